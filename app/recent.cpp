// The Recent Files submenu: the last constructions loaded or saved, newest
// first, kept in the settings.
#include "commands.h"
#include "mainwindow.h"
#include "menu.h"
#include "profile.h"
#include "settings.h"

#include <string>
#include <vector>

namespace {

const char* const Popup = "&Recent Files";

std::string key(int i) {
    return "recent" + std::to_string(i + 1);
}

// The files of the list as the settings keep them.
std::vector<std::string> files() {
    std::vector<std::string> v;
    for (int i = 0; i < RecentMax; ++i) {
        std::string f = profile.read(key(i).c_str(), "");
        if (!f.empty()) v.push_back(f);
    }
    return v;
}

void store(const std::vector<std::string>& v) {
    for (int i = 0; i < RecentMax; ++i)
        profile.write(key(i).c_str(), i < static_cast<int>(v.size()) ? v[i].c_str() : "");
}

// A menu caption: its number as the key, the file's name, then its folder;
// an ampersand shows as one.
std::string caption(int i, const std::string& path) {
    std::string shown = shownname(path.c_str()).text(), s = "&" + std::to_string(i + 1) + " ";
    std::size_t slash = shown.rfind('/');
    std::string name = slash == std::string::npos ? shown : shown.substr(slash + 1);
    std::string folder = slash == std::string::npos ? "" : shown.substr(0, slash + 1);
    for (char c : name + (folder.empty() ? "" : "  (" + folder + ")")) {
        if (c == '&') s += '&';
        if (c != '\t') s += c;
    }
    return s;
}

void dorecent() {
    int i = menu.command() - RecentFirst;
    std::vector<std::string> v = files();
    if (i < 0 || i >= static_cast<int>(v.size())) return;
    std::string name = v[i], bytes;
    // A file that is gone leaves the list (loading it says so).
    if (!readfile(name.c_str(), bytes)) forgetfile(name.c_str());
    doload(name.c_str());
}

} // namespace

void recentmenu() {
    for (int i = 0; i <= RecentMax; ++i) menu.remove(Popup, RecentNone + i);
    std::vector<std::string> v = files();
    if (v.empty()) {
        menu.append(Popup, RecentNone, "(none)", [] {});
        menu.enable(RecentNone, 0);
    }
    for (int i = 0; i < static_cast<int>(v.size()); ++i)
        menu.append(Popup, RecentFirst + i, caption(i, v[i]).c_str(), dorecent);
}

void rememberfile(const char* name) {
    if (!name || !*name) return;
    std::vector<std::string> v = files();
    // Whole paths: the list must hold wherever Gyrel is started next.
    std::string path = wholepath(name);
    for (auto f = v.begin(); f != v.end();) f = *f == path ? v.erase(f) : f + 1;
    v.insert(v.begin(), path);
    if (v.size() > RecentMax) v.resize(RecentMax);
    store(v);
    recentmenu();
}

void forgetfile(const char* name) {
    std::vector<std::string> v = files();
    std::size_t n = v.size();
    for (auto f = v.begin(); f != v.end();) f = *f == name ? v.erase(f) : f + 1;
    if (v.size() == n) return;
    store(v);
    recentmenu();
}
