// Saving and loading constructions: the view line, the comment block and one
// record per object in list order.
#include "constructionfile.h"
#include "dialogitems.h"
#include "files.h"
#include "io.h"
#include "messages.h"
#include "objectlist.h"
#include "resources.h"
#include "view.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

namespace {

FileHost plainhost;
FileHost* installed = nullptr;

// A line of a record holds at most LineMax characters: room for the longest
// record Gyrel writes, seven names of 63 characters with a caption, a
// condition and the other flags, whatever bytes the characters take.
enum { LineMax = 1024, CommentMax = 2048, WrapAfter = 60, FileHelp = 7 };
// The longest line of a record of a long list: a polygon of 1,000 vertices
// whose names take 63 characters of four bytes each.
const std::size_t LongLineMax = 1 << 19;

// Whether a line is longer than its record may be.
bool toolong(const std::string& line) {
    if (line.size() <= LineMax || characters(line.c_str()) <= LineMax) return false;
    return line.size() > LongLineMax || !iolist.longrecord(line.c_str());
}

const ControlSpec errorcontrols[] = {
    {ControlSpec::Static, -1, "Error in Input file:", 0, 1},
    {ControlSpec::Edit, 101, "", 1, 4},
    {ControlSpec::Default, 1, "OK", 2, 1},
    {ControlSpec::Button, 2, "Cancel", 2, 1},
    {ControlSpec::Button, 9, "Help", 2, 1},
    {ControlSpec::Last, 0, nullptr, 0, 0},
};
const DialogSpec errordialog = {120, "File Error", errorcontrols};

// A UI text with a file name in it.
void tell(int id, const char* filename) {
    Warning(textwith(id, shownname(filename)), String(1));
}

// Whether a comment line that begins at p would read as the comment's end
// ("*/", or blanks and "*/"): written, such a line gets one more blank in
// front, which reading takes away again.
int endlike(const char* p) {
    while (*p == ' ') ++p;
    return p[0] == '*' && p[1] == '/';
}

} // namespace

void writecomment(std::string& out, const char* c) {
    std::size_t width = 0;
    // A line that would read as the comment's end keeps its "*/" on it: a
    // wrap in its leading blanks would leave the extra blank on a line that
    // reading does not take it from.
    const char* keep = c;
    for (const char* p = c; *p; ++p) {
        if (*p == '\r' || *p == '\n') {
            if (*p == '\r' && p[1] == '\n') ++p;
            if (width) out += '\n';
            out += '\n';
            width = 0;
            continue;
        }
        if (width == 0 && endlike(p)) {
            out += ' ';
            ++width;
            keep = std::strstr(p, "*/") + 1;
        }
        out += *p;
        ++width;
        // The blank a wrap takes comes back as the joining blank when the
        // lines are read, so only a blank with more of the line after it.
        if (p[1] == ' ' && width > WrapAfter && p >= keep && p[2] && p[2] != '\r' && p[2] != '\n') {
            out += '\n';
            width = 0;
            ++p;
        }
    }
    if (width) out += '\n';
}

void addcommentline(std::string& c, std::string l) {
    // A carriage return inside a line is no paragraph break.
    l.erase(std::remove(l.begin(), l.end(), '\r'), l.end());
    if (!l.empty() && l[0] == ' ' && endlike(l.c_str())) l.erase(0, 1);
    if (l.empty()) {
        c += "\r\n";
        return;
    }
    if (!c.empty() && c.back() != '\n') c += ' ';
    c += l;
}

std::string commentfromdialog(const char* text, std::size_t max) {
    std::string t;
    for (const char* p = text; *p; ++p) {
        if (*p == '\n' && (p == text || p[-1] != '\r')) t += '\r';
        t += *p;
    }
    t.resize(characterbytes(t.c_str(), max));
    return t;
}

namespace {

// Reads "window(x1,x2,y1,y2)": 1 with the four numbers when they are there.
int viewline(const std::string& line, double v[4]) {
    const char* p = line.c_str() + 7;
    const char* end = line.c_str() + line.size();
    for (int i = 0; i < 4; ++i) {
        if (i > 0 && *p++ != ',') return 0;
        while (*p == ' ' || *p == '\t') ++p;
        if (*p == '+') ++p;
        auto r = std::from_chars(p, end, v[i]);
        if (r.ec != std::errc() || !std::isfinite(v[i])) return 0;
        p = r.ptr;
    }
    return std::isfinite(v[1] - v[0]) && std::isfinite(v[3] - v[2]);
}

// The lines of a text: a line feed ends each, a carriage return before it
// is dropped, and a last line without its line feed counts too.
class Lines {
  public:
    explicit Lines(const std::string& t) : T(t) {}
    int next(std::string& line) {
        if (At >= T.size()) return 0;
        std::size_t end = T.find('\n', At);
        if (end == std::string::npos) end = T.size();
        line.assign(T, At, end - At);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        At = end + 1;
        ++Number;
        return 1;
    }
    int number() const { return Number; }

  private:
    const std::string& T;
    std::size_t At = 0;
    int Number = 0;
};

int starts(const std::string& s, const char* prefix) {
    return s.compare(0, std::strlen(prefix), prefix) == 0;
}

// Collects the comment from the rest of its first line to the line that
// begins with "*/": an empty line is a paragraph break, other lines join
// with one blank. Beyond its size the comment is cut, and reading goes on to
// its end.
void readcomment(Lines& lines, std::string first) {
    std::string c, line;
    auto add = [&c](const std::string& l) { addcommentline(c, l); };
    if (!first.empty()) add(first);
    while (lines.next(line) && !starts(line, "*/")) {
        if (c.size() < 4 * CommentMax) add(line);
    }
    c.resize(characterbytes(c.c_str(), CommentMax));
    objects.comment() = c.c_str();
}

} // namespace

int FileHost::clear() {
    objects.clear();
    objects.comment() = "";
    counts.reset();
    setsize(-7, 7, -7, 7);
    return 1;
}

void FileHost::setsize(double x1, double x2, double y1, double y2) {
    if (x1 + 1e-15 > x2 || y1 + 1e-15 > y2) return;
    View& v = view();
    v.X1 = x1, v.X2 = x2, v.Y1 = y1, v.Y2 = y2;
    v.Pixel = (x2 - x1) / std::max(v.viewwidth(), 1);
}

FileHost& filehost() {
    return installed ? *installed : plainhost;
}

FileHost* setfilehost(FileHost* h) {
    FileHost* before = installed;
    installed = h;
    return before;
}

std::string construction() {
    const View& v = view();
    std::string s = "window(" + general6(v.X1) + "," + general6(v.X2) + "," + general6(v.Y1) + "," +
                    general6(v.Y2) + ");\n/*\n";
    writecomment(s, objects.comment().text());
    s += "*/\n";
    for (Object* o = objects.first(); o; o = o->next())
        if (o->io()) s += o->io()->write(o);
    return s;
}

bool readrecord(const std::string& line) {
    Object* before = objects.last();
    input.Reason.clear();
    if (!toolong(line) && iolist.interpret(line.c_str())) return true;
    while (objects.last() != before) objects.remove(objects.last());
    return false;
}

Failure readconstruction(const std::string& text) {
    Lines lines(text);
    std::string line;
    Failure f;
    if (!lines.next(line)) return f;
    if (starts(line, "window(")) {
        double v[4];
        if (viewline(line, v))
            filehost().setsize(v[0] - 0.001, v[1] - 0.001, v[2] + 0.001, v[3] + 0.001);
        if (!lines.next(line)) return f;
    }
    int more = 1;
    if (starts(line, "/*")) {
        readcomment(lines, line.substr(2));
        more = lines.next(line);
    }
    for (; more; more = lines.next(line)) {
        if (line.empty() || starts(line, "//")) continue;
        if (!readrecord(line)) {
            f.Line = lines.number();
            f.Text = line.substr(0, characterbytes(line.c_str(), LineMax));
            if (!toolong(line)) f.Reason = input.Reason;
            if (!f.Reason.empty()) f.Message = 48;
            break;
        }
    }
    return f;
}

int ObjectList::save(const char* filename) {
    switch (writefile(filename, toutf8(construction()))) {
    case NotOpened:
        tell(40, filename);
        return 0;
    case NotWritten:
        tell(41, filename);
        return 0;
    case Written:
        break;
    }
    changed.clear();
    return 1;
}

int ObjectList::load(const char* filename) {
    if (!filehost().clear() || !empty()) return 0;
    std::string bytes;
    if (!readfile(filename, bytes)) {
        tell(40, filename);
        return 0;
    }
    Failure f = readconstruction(fromutf8(bytes));
    if (f.Line) {
        if (f.Message) Warning(String(f.Message).text(), String(1).text());
        if (!finddialog(120)) definedialog(&errordialog);
        Dialog d(view().owner(), 120, view().help(), FileHelp);
        StringItem shown(101, d, f.Text.c_str());
        shown.Readonly = 1;
        d.carryout();
    }
    filehost().repaint();
    changed.clear();
    return f.Line == 0;
}
