// What the expression parser is given to chew on: any bytes as the text of
// a calculation over three number objects a, b and c.
#pragma once

#include "control.h"
#include "expression.h"
#include "number.h"
#include "objectlist.h"

#include <cmath>
#include <string>

// 0 when all went well; an expression that parsed but whose text, written
// back with its names, parses to another value is a fault.
inline int parseanything(const std::string& text) {
    if (!objects.find("c", CNumber, nullptr)) {
        objects.clear();
        const char* names[3] = {"a", "b", "c"};
        const double values[3] = {2.5, -1, 0};
        for (int i = 0; i < 3; ++i) {
            auto* s = new Slider(values[i], -10, 10, 0.5);
            s->setname(names[i]);
        }
    }
    Expression e;
    if (!e.parse(text, numbersbefore(nullptr))) return e.At > text.size() ? 1 : 0;
    const double x = e.evaluate(numbervalue);
    Expression again;
    if (!again.parse(e.text(), numbersbefore(nullptr))) return 1;
    const double y = again.evaluate(numbervalue);
    if (std::isnan(x) != std::isnan(y) || (!std::isnan(x) && x != y)) return 1;
    return 0;
}
