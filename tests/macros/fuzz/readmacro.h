// What the reader of macro files is given to chew on: any bytes as a macro
// file, what that macro saves read back again, and a run of its steps.
#pragma once

#include "files.h"
#include "macro.h"
#include "objectlist.h"

#include <memory>
#include <string>

// 0 when all went well; a macro that was read but whose saved file does
// not read back as the same macro is a fault.
inline int readanymacro(const std::string& bytes) {
    std::string bad;
    std::unique_ptr<Macro> m(readmacro(fromutf8(bytes), bad));
    if (!m) return 0;
    std::string saved = m->file();
    std::unique_ptr<Macro> again(readmacro(saved, bad));
    if (!again) return 1;
    return again->file() != saved || again->parameters() != m->parameters() ||
           again->steps() != m->steps();
}
