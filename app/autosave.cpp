#include "autosave.h"
#include "constructionfile.h"
#include "mainwindow.h"
#include "messages.h"
#include "objectlist.h"

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// The lines that follow the records in a copy: what it is a copy of, and
// when it was written. Readers of construction files skip them.
const char* const OfLine = "// autosave of: ";
const char* const AtLine = "// autosave at: ";

std::string now() {
    std::time_t t = std::time(nullptr);
    char b[64] = "";
    std::strftime(b, sizeof b, "%Y-%m-%d %H:%M", std::localtime(&t));
    return b;
}

// The text after a tag line of a copy, empty when there is none.
std::string tagged(const std::string& text, const char* tag) {
    std::size_t at = text.rfind(std::string("\n") + tag);
    if (at == std::string::npos) return "";
    at += 1 + std::string(tag).size();
    std::size_t end = text.find('\n', at);
    return text.substr(at, end == std::string::npos ? std::string::npos : end - at);
}

} // namespace

std::string Autosave::folder() {
    const char* state = std::getenv("XDG_STATE_HOME");
    if (state && *state == '/') return std::string(state) + "/gyrel";
    const char* home = std::getenv("HOME");
    return std::string(home ? home : "") + "/.local/state/gyrel";
}

void Autosave::step() {
    if (!objects.changed || objects.empty()) {
        remove();
        return;
    }
    Dirty = 1;
    if (++Pending >= Steps) write();
}

void Autosave::tick() {
    if (Dirty) write();
}

void Autosave::write() {
    if (Seconds <= 0 || !objects.changed || objects.empty()) return;
    if (Copy.empty()) {
        // Each running Gyrel has a copy of its own, named by its process
        // and held by a lock while it runs.
        std::error_code e;
        fs::create_directories(folder(), e);
        std::string base = folder() + "/autosave-" + std::to_string(getpid());
        if (!Lock.take(base + ".lock")) return;
        Copy = base + ".gyr";
    }
    // The file's whole path: the next start may be in another folder.
    std::string text = construction() + OfLine + wholepath(loadname) + "\n" + AtLine + now() + "\n";
    if (writefile(Copy.c_str(), toutf8(text)) == Written) Pending = Dirty = 0;
}

void Autosave::remove() {
    Pending = Dirty = 0;
    if (Copy.empty()) return;
    std::error_code e;
    fs::remove(Copy, e);
    Lock.release();
    Copy.clear();
}

int Autosave::recover() {
    std::error_code e;
    fs::directory_iterator d(folder(), e);
    if (e) return 0;
    std::vector<std::string> copies;
    for (const fs::directory_entry& f : d) {
        std::string name = f.path().filename().string();
        if (name.rfind("autosave-", 0) == 0 && f.path().extension() == ".gyr" &&
            f.path().string() != Copy)
            copies.push_back(f.path().string());
    }
    for (const std::string& c : copies) {
        // A copy whose Gyrel still runs is that one's.
        FileLock lock;
        std::string base = c.substr(0, c.size() - 4);
        if (!lock.take(base + ".lock")) continue;
        std::string bytes;
        if (!readfile(c.c_str(), bytes)) continue;
        std::string text = fromutf8(bytes);
        std::string at = tagged(text, AtLine);
        std::string question = "Gyrel was not closed normally. Restore the construction of " +
                               (at.empty() ? std::string("an earlier session") : at) + "?";
        if (Question(window, question.c_str(), String(1).text()) != IDYES) {
            fs::remove(c, e);
            continue;
        }
        if (!window.testclose()) return 0;
        window.history.end();
        window.history.begin();
        int whole = objects.load(c.c_str());
        std::string of = tagged(text, OfLine);
        if (whole) loadname = of.c_str();
        window.history.end();
        objects.changed.set();
        window.undomenu();
        window.settitle();
        // The restored work lives on in this program's own copy.
        fs::remove(c, e);
        write();
        return 1;
    }
    return 0;
}
