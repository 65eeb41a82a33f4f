#include "selectors.h"
#include "answerer.h"

#include <cstring>

void Filters::add(const char* description, const char* pattern) {
    if (N >= Max) return;
    D[N] = description;
    P[N] = pattern;
    ++N;
}

FileSelector::FileSelector(Window* w, const char* filter, int saving, const char* title,
                           const char* ext)
    : FileSelector(w, filter, saving, title, ext, nullptr) {}

FileSelector::FileSelector(Window* w, const char* filter, int saving, const char* title,
                           const char* ext, Filters* filters)
    : W(w), Filter(filter), Title(title), File(filter, 256), Ext(ext), F(filters), Saving(saving),
      Empty("") {}

const char* FileSelector::select(Window* owner) {
    String before(File);
    // The chooser starts where the last chosen file lies (at first, where
    // the program runs: the pattern has no directory).
    String dir(File);
    dir.stripfilename();
    File = Filter;
    FileRequest r{Saving, Title.text(),     Filter.text(), Ext.text(), dir.text(),
                  F,      owner ? owner : W};
    String chosen = Answerer::current().file(r);
    if (chosen.empty()) {
        File = before;
        return Empty.text();
    }
    // A name typed without an extension gets the one of the chosen type,
    // else the default one.
    const char* pattern = F && F->Chosen >= 0 && F->Chosen < F->n() ? F->pattern(F->Chosen) : "";
    if (*chosen.extension() == 0 && pattern[0] == '*' && pattern[1] == '.' && pattern[2] &&
        !std::strchr(pattern, ' ')) {
        chosen.cat(pattern + 1);
    } else if (!Ext.empty() && *chosen.extension() == 0) {
        chosen.cat(".");
        chosen.cat(Ext);
    }
    File.copy(chosen.text(), 256);
    return File.text();
}

Color ColorSelector::select() {
    Color c = C;
    if (Answerer::current().color(c, Cust, W)) {
        C = c;
        R = 1;
    } else {
        R = 2;
    }
    return C;
}
