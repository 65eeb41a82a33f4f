// Conversions between the window layer's own types and Qt's: texts are UTF-8.
// Internal to ruvo.
#pragma once

#include "ps.h"

#include <QColor>
#include <QString>

inline QString qstr(const char* s) {
    return QString::fromUtf8(s ? s : "");
}
inline QString qstr(const char* s, int n) {
    return QString::fromUtf8(s, n);
}
inline QColor qcolor(Color c) {
    return QColor(c.red(), c.green(), c.blue());
}
inline Color fromqcolor(const QColor& c) {
    return Color(c.red(), c.green(), c.blue());
}

// Text of n bytes as the font shows it: Symbol-layout letters for symbol fonts.
QString fonttext(const char* s, int n, bool symbol);
