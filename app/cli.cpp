#include "cli.h"
#include "answerer.h"
#include "constructionfile.h"
#include "discover.h"
#include "export.h"
#include "files.h"
#include "ggbimport.h"
#include "json.h"
#include "messages.h"
#include "objectlist.h"
#include "picture.h"
#include "relation.h"
#include "view.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

const char* const usage =
    "Usage: gyrel [FILE.gyr | noabout]\n"
    "       gyrel --export OUT.svg|OUT.pdf|OUT.png [--width PIXELS] [--modern] FILE.gyr\n"
    "       gyrel --list FILE.gyr\n"
    "       gyrel --check FILE.gyr\n"
    "       gyrel --json FILE.gyr\n"
    "       gyrel --relation A,B,C [--seed N] FILE.gyr\n"
    "       gyrel --discover NAME [--seed N] FILE.gyr\n"
    "\n"
    "Without an option Gyrel opens its window, with the construction of FILE.gyr\n"
    "when one is given (\"noabout\": without the About box).\n"
    "Every FILE may also be a GeoGebra file (FILE.ggb): what Gyrel cannot build\n"
    "of it is told on standard error, one line an object.\n"
    "\n"
    "  --export OUT   draws the construction as its file's view shows it into\n"
    "                 OUT, an SVG or PDF drawing or a PNG image\n"
    "  --width N      the picture's width in pixels (800 unless given); the\n"
    "                 height follows the view\n"
    "  --modern       draws in the modern style (the classic one unless given)\n"
    "  --list         prints every object with how it is made\n"
    "  --check        reads the file and says whether every line reads (of a\n"
    "                 GeoGebra file, whether every object came)\n"
    "  --json         prints the construction as JSON: {\"view\": [x1, x2, y1, y2],\n"
    "                 \"comment\": ..., \"objects\": [...]}, each object with its\n"
    "                 \"name\", \"kind\" (its record's keyword), \"parents\",\n"
    "                 \"hidden\", its \"caption\" when it has one, \"valid\" and,\n"
    "                 while valid, its numbers: \"x\", \"y\"\n"
    "                 of a point; \"points\" [[x, y], [x, y]] and \"normal\" [a, b, c]\n"
    "                 (a x + b y + c = 0, a^2 + b^2 = 1) of a line, ray or segment;\n"
    "                 \"center\" [x, y] and \"radius\" of a circle; \"degrees\" of\n"
    "                 an angle; \"value\" of a number; \"text\" of a text, the\n"
    "                 values filled in. Numbers read back exactly.\n"
    "  --relation A,B,C  prints each relation that holds among the named objects\n"
    "                 (points on one line or circle, lines through one point,\n"
    "                 parallel or perpendicular, a point on a line or circle,\n"
    "                 equal lengths, angles or numbers, touching circles and\n"
    "                 lines) and whether it holds in general: checked in 1,000\n"
    "                 random positions of the free objects\n"
    "  --discover NAME  prints every relation of the object NAME with the\n"
    "                 visible objects that holds in general and is not simply how\n"
    "                 something was made, after the seed of its random positions\n"
    "  --seed N       the random positions' seed (1 unless given)\n"
    "  --help         shows this text\n"
    "  --version      shows the version\n"
    "\n"
    "Exit status: 0 done, 1 a file that does not read or a picture that could\n"
    "not be written (--relation: a relation that holds here only, or none at\n"
    "all), 2 a wrong call or a file that cannot be opened.\n";

// The view of a picture: the file's view line on a picture of Width pixels.
class PictureView : public View {
  public:
    int viewwidth() const override { return Width; }
    int viewheight() const override { return pictureheight(Width); }
    int Width = 800;
};

int fail(const std::string& message) {
    std::fprintf(stderr, "gyrel: %s\n", message.c_str());
    return 2;
}

// Imports a GeoGebra file, telling on standard error what it dropped and
// where its places disagree with GeoGebra's; 0 when it read, with dropped
// counting what did not come.
int importwhole(const char* name, const std::string& bytes, int& dropped) {
    GgbImport r = importggb(bytes);
    if (!r.Error.empty()) {
        std::fprintf(stderr, "%s: error: %s\n", name, r.Error.c_str());
        return 1;
    }
    for (const GgbDropped& d : r.Dropped)
        std::fprintf(stderr, "%s: dropped: %s\n", name, d.line().c_str());
    for (const std::string& m : r.Mismatches)
        std::fprintf(stderr, "%s: mismatch: %s\n", name, m.c_str());
    for (const std::string& n : r.Notes) std::fprintf(stderr, "%s: note: %s\n", name, n.c_str());
    dropped = static_cast<int>(r.Dropped.size() + r.Mismatches.size());
    return 0;
}

// Reads the construction file, Gyrel's or GeoGebra's; 0 when it read whole,
// with dropped counting the objects of a GeoGebra file that did not come.
int readwhole(const char* name, int& dropped) {
    std::string bytes;
    dropped = 0;
    if (!readfile(name, bytes)) return fail(std::string("cannot open ") + name);
    filehost().clear();
    if (isggb(bytes)) return importwhole(name, bytes, dropped);
    Failure f = readconstruction(fromutf8(bytes));
    if (f.Line) {
        if (!f.Reason.empty())
            std::fprintf(stderr, "%s:%d: error: %s\n", name, f.Line, toutf8(f.Reason).c_str());
        else
            std::fprintf(stderr, "%s:%d: error: this line does not read: %s\n", name, f.Line,
                         toutf8(f.Text).c_str());
        return 1;
    }
    return 0;
}

// Answers for a person who is not there.
class Quiet : public Answerer {
  public:
    int messagebox(Box kind, const char* text, const char*, Window*) override {
        std::string line = toutf8(text ? text : "");
        for (char& c : line)
            if (c == '\n' || c == '\r') c = ' ';
        std::fprintf(stderr, "gyrel: %s\n", line.c_str());
        return kind == Box::QuestionAbort ? IDCANCEL : kind == Box::Question ? IDNO : IDOK;
    }
    int printersetup(PrinterPS&, Window*) override { return 0; }
    void dialog(Dialog&) override {}
    String file(const FileRequest&) override { return String(""); }
    int color(Color&, Color*, Window*) override { return 0; }
};

} // namespace

// Prints the relations among the objects named in list ("A,B,C") and how
// they hold; 0 when some hold and all of them in general.
int relations(const std::string& list, std::uint64_t seed) {
    std::vector<Object*> among;
    for (std::size_t start = 0; start <= list.size();) {
        std::size_t comma = list.find(',', start);
        if (comma == std::string::npos) comma = list.size();
        const std::string name = list.substr(start, comma - start);
        Object* o = objects.find(name.c_str(), 0, nullptr);
        if (!o) return fail("--relation: there is no object " + name);
        among.push_back(o);
        start = comma + 1;
    }
    const std::vector<Relation> found = relationsamong(among);
    if (found.empty()) {
        std::printf("No relation holds among these objects here.\n");
        return 1;
    }
    int status = 0;
    for (const Relation& r : found) {
        const Verdict v = checkrelation(r, 1000, seed);
        std::printf("%s \xe2\x80\x94 %s\n", r.text().c_str(), v.text().c_str());
        if (v.R != Verdict::General) status = 1;
    }
    return status;
}

// Prints what holds in general for the object named.
int discoveries(const std::string& name, std::uint64_t seed) {
    Object* o = objects.find(name.c_str(), 0, nullptr);
    if (!o) return fail("--discover: there is no object " + name);
    const std::vector<Found> found = discover(o, 1000, seed);
    std::printf("%s in 1,000 random positions, seed %llu:\n", name.c_str(),
                static_cast<unsigned long long>(seed));
    for (const Found& f : found) std::printf("%s\n", f.R.text().c_str());
    if (found.empty()) std::printf("Nothing holds in general beyond how it was made.\n");
    return 0;
}

int runquietly(int argc, char** argv) {
    Quiet quiet;
    Answerer* before = Answerer::install(&quiet);
    int status = runtool(argc, argv);
    Answerer::install(before);
    return status;
}

int commandlinetool(int argc, char** argv) {
    return argc > 1 && std::strncmp(argv[1], "--", 2) == 0;
}

int runtool(int argc, char** argv) {
    std::string mode, out, file, named;
    unsigned long long seed = 1;
    long width = 800;
    int modern = 0;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--help") {
            std::fputs(usage, stdout);
            return 0;
        }
        if (a == "--version") {
            std::printf("gyrel %s\n", GYREL_VERSION);
            return 0;
        }
        if (a == "--export" || a == "--list" || a == "--check" || a == "--json" ||
            a == "--relation" || a == "--discover") {
            if (!mode.empty())
                return fail("one of --export, --list, --check, --json, --relation and --discover "
                            "at a time");
            mode = a;
            if (a == "--relation" || a == "--discover") {
                if (++i >= argc || !*argv[i])
                    return fail(a == "--relation" ? "--relation wants the objects' names: A,B,C"
                                                  : "--discover wants an object's name");
                named = argv[i];
            }
            if (a == "--export") {
                if (++i >= argc) return fail("--export wants the picture's file name");
                out = argv[i];
                if (PicturePS::kindof(out.c_str()) < 0)
                    return fail("--export writes .svg, .pdf and .png files, not " + out);
            }
        } else if (a == "--width") {
            char* end = nullptr;
            width = ++i < argc ? std::strtol(argv[i], &end, 10) : 0;
            if (i >= argc || *end || width < 1 || width > 20000)
                return fail("--width wants a number of pixels from 1 to 20000");
        } else if (a == "--modern") {
            modern = 1;
        } else if (a == "--seed") {
            char* end = nullptr;
            seed = ++i < argc ? std::strtoull(argv[i], &end, 10) : 0;
            if (i >= argc || !*argv[i] || *end || argv[i][0] == '-')
                return fail("--seed wants a whole number");
        } else if (a.size() > 1 && a[0] == '-' && a != "-") {
            return fail("unknown option " + a + " (see gyrel --help)");
        } else if (file.empty()) {
            file = a;
        } else {
            return fail("one construction file at a time");
        }
    }
    if (mode.empty())
        return fail("--width and --modern go with --export, --seed with --relation and "
                    "--discover (see gyrel --help)");
    if (file.empty()) return fail(mode + " wants a construction file (see gyrel --help)");
    PictureView v;
    v.Width = static_cast<int>(width);
    View* window = setview(&v);
    FileHost* host = setfilehost(nullptr);
    int dropped = 0;
    int status = readwhole(file.c_str(), dropped);
    if (status == 0 && mode == "--check" && dropped) status = 1;
    if (status == 0 && mode == "--list") {
        String s("");
        objects.show(s);
        std::string t = toutf8(s.text());
        for (size_t p; (p = t.find('\r')) != std::string::npos;) t.erase(p, 1);
        std::fputs(t.c_str(), stdout);
    }
    if (status == 0 && mode == "--json") std::fputs(constructionjson().c_str(), stdout);
    if (status == 0 && mode == "--relation") status = relations(named, seed);
    if (status == 0 && mode == "--discover") status = discoveries(named, seed);
    if (status == 0 && mode == "--export") {
        switch (exportpicture(out.c_str(), v.Width, 0, modern)) {
        case NotOpened:
            status = fail("cannot write " + out) - 1;
            break;
        case NotWritten:
            status = fail("could not write all of " + out) - 1;
            break;
        case Written:
            break;
        }
    }
    objects.clear();
    setfilehost(host);
    setview(window);
    return status;
}
