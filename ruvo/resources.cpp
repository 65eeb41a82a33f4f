#include "resources.h"

#include <map>
#include <string>
#include <utility>

namespace {

struct Table {
    std::map<std::string, const MenuSpec*> menus;
    std::map<int, const DialogSpec*> dialogs;
    std::map<int, std::pair<const char* const*, int>> bitmaps;
};

Table& table() {
    static Table t;
    return t;
}

} // namespace

void definemenu(const char* name, const MenuSpec* lines) {
    table().menus[name] = lines;
}

const MenuSpec* findmenu(const char* name) {
    auto m = table().menus.find(name);
    return m == table().menus.end() ? nullptr : m->second;
}

void definedialog(const DialogSpec* d) {
    table().dialogs[d->id] = d;
}

const DialogSpec* finddialog(int id) {
    auto d = table().dialogs.find(id);
    return d == table().dialogs.end() ? nullptr : d->second;
}

void definebitmap(int id, const char* const* svgs, int n) {
    table().bitmaps[id] = {svgs, n};
}

const char* const* findbitmap(int id, int& n) {
    auto b = table().bitmaps.find(id);
    n = b == table().bitmaps.end() ? 0 : b->second.second;
    return n ? b->second.first : nullptr;
}
