#include "angle.h"
#include "circle.h"
#include "constructionfile.h"
#include "derived.h"
#include "files.h"
#include "intersection.h"
#include "io.h"
#include "json.h"
#include "line.h"
#include "objectlist.h"
#include "scripted.h"
#include "view.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <signal.h>
#include <string>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

namespace {

struct Files : ::testing::Test {
    ScriptedAnswerer answers;
    QTemporaryDir dir;
    void SetUp() override {
        filehost().clear();
        objects.changed.clear();
        view().showhidden = 0;
    }
    void TearDown() override { filehost().clear(); }
    std::string path(const char* name) const { return (dir.path() + "/" + name).toStdString(); }
    static std::string contents(const std::string& name) {
        std::string b;
        readfile(name.c_str(), b);
        return b;
    }
    static void write(const std::string& name, const std::string& bytes) {
        QFile f(QString::fromStdString(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes.data(), static_cast<qint64>(bytes.size()));
    }
    // Reads a construction from text into a cleared construction.
    static Failure read(const std::string& text) {
        filehost().clear();
        return readconstruction(text);
    }
    static Object* find(const char* name) { return objects.find(name, 0, nullptr); }
};

// Every kind of object with every flag and colour, at coordinates that no
// fixed number of decimals holds.
void everything() {
    Point* a = new Point(-2, -1);
    Point* b = new Point(1.0 / 3, std::sqrt(2.0));
    Point* c = new Point(1e-20, 2.5e7 + 1.0 / 7);
    Point* d = new Point(-3.75, 4);
    b->setcolor(1);
    b->Symbol = 1;
    c->Symbol = 10;
    d->Symbol = 11;
    d->Class &= ~CMovable;
    d->showname = 1;
    Lineprim* l = makeline(a, b);
    l->Linetype = 1;
    l->setcolor(2);
    Ray* r = new Ray(b, d);
    r->Linetype = 2;
    r->ishidden = 1;
    Point* e = new Point(5, -2);
    Segment* s = new Segment(d, e);
    s->Class |= CFixed;
    s->showlength = 1;
    s->setcolor(3);
    Circle* k = new Circle(a, new Point(4, 1));
    k->Complete = 0;
    k->Class |= CFixed;
    k->setcolor(4);
    k->showname = 1;
    new Middle(a, d);
    new Intersection(l, r);
    Intersection* pair = new Intersection(k, s);
    pair->other()->setcolor(5);
    pair->other()->Symbol = 1;
    makeparallel(e, l, 0)->Linetype = 2;
    DepLine* v = makeparallel(a, s, 1);
    v->O->ishidden = 0;
    v->showname = 1;
    Pointon* on = new Pointon(k, 7.123456789, 0.5);
    on->Class &= ~CMovable;
    Circle3Circle* k3 = makecircle3(d, a, b);
    k3->Linetype = 1;
    Angle* w = new Angle(a, d, new Point(-1, 6));
    w->showsize = 1;
    w->Pixelsize = 30;
    w->Class |= CFixed;
    w->Linetype = 2;
    w->showname = 1;
    objects.update();
}

std::vector<double> geometry() {
    std::vector<double> g;
    for (Object* o = objects.first(); o; o = o->next()) {
        if (auto* p = dynamic_cast<Pointprim*>(o)) g.insert(g.end(), {p->x(), p->y()});
        if (auto* l = dynamic_cast<Lineprim*>(o))
            g.insert(g.end(), {l->vx(), l->vy(), l->length()});
        if (auto* c = dynamic_cast<Circle*>(o)) g.push_back(c->r());
        if (auto* w = dynamic_cast<Angle*>(o)) g.push_back(w->Phi);
        g.push_back(o->valid);
    }
    return g;
}

std::vector<std::string> names() {
    std::vector<std::string> n;
    for (Object* o = objects.first(); o; o = o->next())
        n.push_back(std::string(o->name()) + "/" + std::to_string(o->objectclass()) + "/" +
                    std::to_string(o->color()) + "/" + std::to_string(o->ishidden) +
                    std::to_string(o->showname));
    return n;
}

} // namespace

TEST_F(Files, RoundTripKeepsEveryObjectFlagAndBit) {
    everything();
    view().X1 = -9.5, view().X2 = 12.25, view().Y1 = -3, view().Y2 = 8;
    objects.comment() = "A construction\r\nof every kind.";
    std::string first = construction();
    if (qEnvironmentVariableIsSet("GYREL_CORPUS"))
        write(qgetenv("GYREL_CORPUS").toStdString() + "/every-kind.gyr", toutf8(first));
    std::vector<double> before = geometry();
    std::vector<std::string> named = names();
    int n = objects.count();

    Failure f = read(first);
    EXPECT_EQ(f.Line, 0) << f.Text;
    EXPECT_EQ(objects.count(), n);
    EXPECT_EQ(names(), named);
    std::vector<double> after = geometry();
    ASSERT_EQ(after.size(), before.size());
    for (std::size_t i = 0; i < after.size(); ++i)
        EXPECT_EQ(after[i], before[i]) << "to the last bit, at " << i;
    EXPECT_STREQ(objects.comment().text(), "A construction\r\nof every kind.");
    EXPECT_DOUBLE_EQ(view().X1, -9.501);
    EXPECT_DOUBLE_EQ(view().Y2, 8.001);
    auto* d = static_cast<Pointprim*>(find("Point_4"));
    EXPECT_EQ(d->Symbol, 11);
    auto* w = static_cast<Angle*>(find("Angle_1"));
    EXPECT_EQ(w->Pixelsize, 30);
    EXPECT_TRUE(w->showsize);
    EXPECT_EQ(w->Linetype, 2);
    EXPECT_FALSE(static_cast<Circle*>(find("Circle_1"))->Complete);
    EXPECT_TRUE(static_cast<Lineprim*>(find("Segment_1"))->showlength);

    view().X1 = -9.5, view().X2 = 12.25, view().Y1 = -3, view().Y2 = 8;
    EXPECT_EQ(construction(), first) << "saved again, the same bytes";
    EXPECT_NE(first.find("\"Point_1\"()=point(-2.000000000000000,-1.000000000000000);\n"),
              std::string::npos);
    EXPECT_NE(first.find("window(-9.5,12.25,-3,8);\n/*\nA construction\n\nof every kind.\n*/\n"),
              std::string::npos);
    EXPECT_NE(first.find("=parallel(\"Point_5\",\"Line_1\");"), std::string::npos);
}

TEST_F(Files, TheExampleFileLoads) {
    const char* example = "window(-7,7,-7,7);\n"
                          "/*\n"
                          "Midpoint of a segment and a circle through it.\n"
                          "*/\n"
                          "\"Point_1\"()=point(-2.000000000000000,-1.000000000000000);\n"
                          "\"Point_2\"(color:blue,symbol:cross)=point(3.000000000000000,"
                          "1.500000000000000);\n"
                          "\"Segment_1\"(thick)=segment(\"Point_1\",\"Point_2\");\n"
                          "\"Middle_1\"()=middle(\"Point_1\",\"Point_2\");\n"
                          "\"Circle_1\"(uncomplete,dotted)=circle(\"Middle_1\",\"Point_2\");\n"
                          "\"Point_3\"(fixed)=point(0.000000000000000,3.000000000000000);\n"
                          "\"Object_5\"(hidden),\"Line_1\"(color:green)=parallel(\"Point_3\","
                          "\"Segment_1\");\n"
                          "\"Angle_1\"(showsize,size_30)=angle(\"Point_1\",\"Middle_1\","
                          "\"Point_3\");\n";
    Failure f = read(example);
    EXPECT_EQ(f.Line, 0) << f.Text;
    ASSERT_EQ(objects.count(), 9);
    EXPECT_STREQ(objects.comment().text(), "Midpoint of a segment and a circle through it.");
    auto* p2 = static_cast<Pointprim*>(find("Point_2"));
    EXPECT_EQ(p2->color(), 1);
    EXPECT_EQ(p2->Symbol, 1);
    EXPECT_EQ(p2->y(), 1.5);
    EXPECT_EQ(static_cast<Lineprim*>(find("Segment_1"))->Linetype, 1);
    auto* m = static_cast<Pointprim*>(find("Middle_1"));
    EXPECT_DOUBLE_EQ(m->x(), 0.5);
    auto* c = static_cast<Circle*>(find("Circle_1"));
    EXPECT_EQ(c->p1(), m);
    EXPECT_FALSE(c->Complete);
    EXPECT_EQ(c->Linetype, 2);
    EXPECT_FALSE(find("Point_3")->objectclass() & CMovable);
    auto* h = dynamic_cast<Parallel*>(find("Object_5"));
    ASSERT_NE(h, nullptr);
    EXPECT_TRUE(h->ishidden);
    EXPECT_EQ(h->other(), find("Line_1"));
    EXPECT_EQ(find("Line_1")->color(), 3);
    EXPECT_FALSE(find("Line_1")->ishidden);
    auto* w = static_cast<Angle*>(find("Angle_1"));
    EXPECT_EQ(w->Pixelsize, 30);
    EXPECT_EQ(w->m(), m);
}

TEST_F(Files, ReaderToleratesWhatItShouldAndNothingElse) {
    // No view line and no comment; integers; comments and empty lines; CR LF.
    Failure f = read("\"A\"()=point(1,2);\r\n\r\n// a remark\n\"B\"(hidden)=point(3,-4.5e1);");
    EXPECT_EQ(f.Line, 0) << f.Text;
    EXPECT_EQ(objects.count(), 2);
    EXPECT_EQ(static_cast<Pointprim*>(find("B"))->y(), -45);
    EXPECT_TRUE(find("B")->ishidden);
    EXPECT_EQ(view().X1, -7) << "the view stays";

    EXPECT_EQ(read("").Line, 0);
    EXPECT_EQ(read("window(1,3,0,5);").Line, 0);
    EXPECT_TRUE(objects.empty());
    EXPECT_DOUBLE_EQ(view().X1, 0.999);
    EXPECT_DOUBLE_EQ(view().Y1, 0.001);
    EXPECT_EQ(read("window(a,b,c,d);\n\"A\"()=point(0,0);\n").Line, 0)
        << "a broken view is skipped";
    EXPECT_EQ(objects.count(), 1);
    EXPECT_EQ(read("window(nan,inf,0,1);\n").Line, 0);
    EXPECT_EQ(view().X1, -7);

    // Flags read in any order; size_2 gives 5; fixed only on basic points.
    f = read("\"A\"()=point(0,0);\n\"B\"()=point(1,0);\n\"C\"()=point(0,1);\n"
             "\"W\"(size_2,dotted,fixed,showsize)=angle(\"A\",\"B\",\"C\");\n"
             "\"P\"(symbol:square,fixed,color:nonsense)=point(2,2);\n");
    EXPECT_EQ(f.Line, 0) << f.Text;
    EXPECT_EQ(static_cast<Angle*>(find("W"))->Pixelsize, 5);
    EXPECT_EQ(find("P")->color(), 0);
    EXPECT_EQ(find("P")->objectclass(), CPoint | CBasic);
}

TEST_F(Files, BrokenRecordsStopAtTheFirstFailingLine) {
    const std::string head =
        "window(-7,7,-7,7);\n/*\n*/\n\"A\"()=point(0,0);\n\"B\"()=point(1,0);\n";
    struct Case {
        const char* record;
        const char* why;
    } cases[] = {
        {"\"C\"(hidden) =point(1,2);", "a blank between ) and ="},
        {"   ", "a line of blanks"},
        {"\"C\"()=point(1,2)", "no ;"},
        {"\"C\"()=point(1,2,3);", "three numbers"},
        {"\"C\"()=point(1;2);", "no , between the numbers"},
        {"\"C\"()=point(1.5x,2);", "no number"},
        {"\"C\"()=point(1,2", "cut off"},
        {"\"C\"()=dot(1,2);", "unknown keyword"},
        {"\"C\"()=unimplemented(1,2);", "no reader takes it"},
        {"\"C\"()=otherintersection(\"A\",\"B\");", "written by nobody"},
        {"\"C\"(bold)=point(1,2);", "unknown flag"},
        {"\"C\"(fixed)=middle(\"A\",\"B\");", "fixed on a midpoint"},
        {"\"C\"()=segment(\"A\",\"Z\");", "an unknown name"},
        {"\"C\"()=segment(\"A\",\"D\");", "a name defined later"},
        {"\"C\"()=circle(\"A\");", "one parameter"},
        {"\"C\"(),\"D\"()=segment(\"A\",\"B\");", "two items"},
        {"\"C\"()=intersection(\"A\",\"B\");", "points are no lines"},
        {"\"A\"()=point(3,3);", "a name used before"},
        {"\"a\"(),\"b\"(),\"c\"(),\"d\"(),\"e\"(),\"f\"(),\"g\"(),\"h\"(),\"i\"()=point(1,2);",
         "nine items"},
        {"\"C\"(a,b,c,d,e,f,g,h)=point(1,2);", "eight flags"},
        {"\"C\"()=point(1,2,3,4,5,6,7,8,9);", "nine parameters"},
        {"\"CCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCC\"()=point(1,2);",
         "a name of 67 characters"},
        {"\"C()=point(1,2);", "an open quote"},
        {"\"C\"()=poi\0nt(1,2);", "a NUL byte"},
    };
    for (const Case& c : cases) {
        std::string text = head +
                           std::string(c.record, c.record + std::strlen(c.record) +
                                                     (std::strstr(c.why, "NUL") ? 9 : 0)) +
                           "\n\"D\"()=point(5,5);\n";
        answers.AskedBoxes.clear();
        Failure f = read(text);
        EXPECT_EQ(f.Line, 6) << c.why;
        EXPECT_STREQ(f.Text.c_str(), c.record) << c.why;
        EXPECT_NE(find("B"), nullptr) << c.why << ": the objects before stay";
        EXPECT_EQ(find("D"), nullptr) << c.why << ": reading stops";
        EXPECT_STREQ(objects.last()->name(), "B") << c.why << ": the failing record made nothing";
        EXPECT_TRUE(answers.AskedBoxes.empty()) << c.why << ": reading asks nobody";
        if (std::string(c.why) == "a name used before") {
            EXPECT_EQ(f.Reason, "the name A is used twice");
            EXPECT_EQ(f.Message, 48);
        } else {
            EXPECT_EQ(f.Reason, "") << c.why;
        }
    }

    // One-item intersections cross straight objects only; pairs need a circle.
    std::string lines = head + "\"L\"()=line(\"A\",\"B\");\n\"K\"()=circle(\"A\",\"B\");\n";
    EXPECT_EQ(read(lines + "\"S\"()=intersection(\"L\",\"K\");\n").Line, 8);
    EXPECT_EQ(read(lines + "\"S\"(),\"T\"()=intersection(\"L\",\"L\");\n").Line, 8);
    EXPECT_EQ(read(lines + "\"S\"(),\"T\"()=intersection(\"L\",\"K\");\n").Line, 0);
    EXPECT_NE(find("T"), nullptr);

    // A record longer than a line may be fails; so does the rest of a line
    // that cannot be read.
    std::string longrecord = "\"C\"(" + std::string(1100, 'x') + ")=point(1,2);";
    Failure f = read(head + longrecord + "\n");
    EXPECT_EQ(f.Line, 6);
    EXPECT_EQ(f.Text.size(), 1024u);
}

TEST_F(Files, CaptionsAndLongNamesOfWideCharactersReadBack) {
    // Names of 63 characters of four bytes each, a caption of any signs but
    // a quote, a long condition: a record Gyrel writes, it reads again.
    const std::string wide = "\xf0\x9d\x94\xb8", a(63 * 4, 'a'), b(63 * 4, 'b');
    std::string n1, n2, n3;
    for (int i = 0; i < 63; ++i) n1 += wide, n2 += "\xe2\x84\x82", n3 += "\xce\xb1";
    const std::string caption = "(a, b) = \xe2\x88\x9a"
                                "2; " +
                                std::string(150, 'c');
    std::string text = "window(-5,5,-5,5);\n\"" + n1 + "\"()=point(0,0);\n\"" + n2 +
                       "\"()=point(1,0);\n\"" + n3 + "\"(\"caption:" + caption + "\")=segment(\"" +
                       n1 + "\",\"" + n2 + "\");\n";
    Failure f = read(text);
    ASSERT_EQ(f.Line, 0) << f.Text;
    Object* s = find(n3.c_str());
    ASSERT_TRUE(s);
    EXPECT_EQ(s->Caption, caption);
    std::string why;
    ASSERT_TRUE(s->condition(std::string(190, '1').substr(0, 180) + "+1>0", why)) << why;
    const std::string first = construction();
    EXPECT_NE(first.find("\"caption:" + s->Caption + '"'), std::string::npos);
    EXPECT_NE(constructionjson().find("\"caption\": " + jsonstring(caption)), std::string::npos);
    f = read(first);
    ASSERT_EQ(f.Line, 0) << f.Text;
    const std::string again = construction();
    EXPECT_EQ(again.substr(again.find('\n')), first.substr(first.find('\n')));
}

TEST_F(Files, CommentsKeepTheirParagraphs) {
    std::string paragraph;
    for (int i = 0; i < 30; ++i) paragraph += "word" + std::to_string(i) + " ";
    paragraph += "end";
    objects.comment() = (paragraph + "\r\n\r\nSecond paragraph.\r\nThird").c_str();
    std::string text = construction();
    // Lines are broken at blanks after 60 characters.
    std::size_t at = text.find("/*\n") + 3;
    std::size_t end = text.find('\n', at);
    EXPECT_GT(end - at, 60u);
    EXPECT_LT(end - at, 70u);
    read(text);
    EXPECT_EQ(std::string(objects.comment().text()),
              paragraph + "\r\n\r\nSecond paragraph.\r\nThird");

    // Text that would read as the comment's end stays text.
    objects.comment() = "a\r\n*/ not the end\r\n  */ nor this";
    text = construction();
    EXPECT_NE(text.find("\n */ not the end\n"), std::string::npos);
    EXPECT_EQ(read(text + "\"A\"()=point(1,1);\n").Line, 0);
    EXPECT_STREQ(objects.comment().text(), "a\r\n*/ not the end\r\n  */ nor this");
    EXPECT_EQ(objects.count(), 1);

    // Blanks where a line would be broken: so many before an end-like "*/"
    // that the line could break in them, and one at a break before a
    // paragraph's or the comment's end. Each comes back exactly.
    const std::string x(70, 'x');
    for (std::string c :
         {"a\r\n" + std::string(61, ' ') + "*/ b", "a\r\n" + std::string(130, ' ') + "*/ b",
          x + " \r\nnext", x + " ", x + "  y", std::string(200, ' ') + "*/"}) {
        objects.clear();
        objects.comment() = c.c_str();
        read(construction() + "\"A\"()=point(1,1);\n");
        EXPECT_EQ(std::string(objects.comment().text()), c);
        EXPECT_EQ(objects.count(), 1);
    }

    // A comment without its end, and one longer than the comment may be.
    read("/*\nno end");
    EXPECT_STREQ(objects.comment().text(), "no end");
    std::string big = "/*\n";
    for (int i = 0; i < 100; ++i) big += std::string(40, 'c') + "\n";
    big += "*/ the rest is ignored\n\"A\"()=point(1,1);\n";
    EXPECT_EQ(read(big).Line, 0);
    EXPECT_EQ(objects.comment().length(), 2048);
    EXPECT_NE(find("A"), nullptr) << "the comment ends cleanly";
    EXPECT_EQ(construction().find("/*\n*/\n"), std::string::npos);
    filehost().clear();
    EXPECT_NE(construction().find("/*\n*/\n"), std::string::npos) << "always written";
}

TEST_F(Files, SaveAndLoadThroughTheDisk) {
    everything();
    std::string name = path("every kind.gyr");
    ASSERT_EQ(objects.save(name.c_str()), 1);
    EXPECT_FALSE(objects.changed);
    std::string saved = contents(name);
    EXPECT_EQ(saved, toutf8(construction()));
    int n = objects.count();
    objects.changed.set();
    ASSERT_EQ(objects.load(name.c_str()), 1);
    EXPECT_EQ(objects.count(), n);
    EXPECT_FALSE(objects.changed);
    EXPECT_TRUE(answers.AskedDialogs.empty());

    // A file that cannot be opened: the construction is empty, and it says so.
    EXPECT_EQ(objects.load(path("missing.gyr").c_str()), 0);
    EXPECT_TRUE(objects.empty());
    ASSERT_EQ(answers.AskedBoxes.size(), 1u);
    EXPECT_EQ(answers.AskedBoxes[0].text, "Could not open\n" + path("missing.gyr") + "!");
    EXPECT_EQ(answers.AskedBoxes[0].title, "Gyrel");

    // A broken file: the File Error dialog shows the failing line.
    write(path("broken.gyr"), "\"A\"()=point(1,1);\n\"B\"()=segment(\"A\",\"Q\");\n");
    std::string shown;
    answers.Dialogs.push_back([&](Dialog& d) {
        shown = d.gettext(101).text();
        d.click(1);
    });
    EXPECT_EQ(objects.load(path("broken.gyr").c_str()), 0);
    EXPECT_EQ(answers.AskedDialogs, std::vector<int>{120});
    EXPECT_EQ(shown, "\"B\"()=segment(\"A\",\"Q\");");
    EXPECT_EQ(objects.count(), 1);
    EXPECT_FALSE(objects.changed);
}

TEST_F(Files, AFailedSaveLeavesTheOldFileAsItWas) {
    new Point(1, 2);
    std::string name = path("kept.gyr");
    ASSERT_EQ(objects.save(name.c_str()), 1);
    std::string old = contents(name);
    for (int i = 0; i < 2000; ++i) new Point(i, i);
    objects.changed.set();

    // A disk that fills up: writing stops after a few bytes.
    signal(SIGXFSZ, SIG_IGN);
    rlimit before;
    getrlimit(RLIMIT_FSIZE, &before);
    rlimit small = before;
    small.rlim_cur = 100;
    setrlimit(RLIMIT_FSIZE, &small);
    int saved = objects.save(name.c_str());
    setrlimit(RLIMIT_FSIZE, &before);
    EXPECT_EQ(saved, 0);
    ASSERT_EQ(answers.AskedBoxes.size(), 1u);
    EXPECT_EQ(answers.AskedBoxes[0].text, "Write error on\n" + name);
    EXPECT_EQ(contents(name), old) << "byte for byte";
    EXPECT_TRUE(objects.changed);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"kept.gyr"})
        << "no half-written file is left";

    // A folder in the way, and a folder that does not exist.
    QDir(dir.path()).mkdir("folder.gyr");
    EXPECT_EQ(objects.save(path("folder.gyr").c_str()), 0);
    EXPECT_TRUE(QFileInfo(QString::fromStdString(path("folder.gyr"))).isDir());
    EXPECT_EQ(objects.save(path("no/such/folder.gyr").c_str()), 0);
    ASSERT_EQ(answers.AskedBoxes.size(), 3u);
    EXPECT_EQ(answers.AskedBoxes[2].text, "Could not open\n" + path("no/such/folder.gyr") + "!");
    EXPECT_TRUE(objects.changed);

    // A folder that may not be written (only without the powers of root).
    if (geteuid() != 0) {
        QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        EXPECT_EQ(objects.save(name.c_str()), 0);
        QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                              QFileDevice::ExeOwner);
        EXPECT_EQ(contents(name), old);
    }
    // Loading a folder reads nothing.
    int n = objects.count();
    EXPECT_EQ(objects.load(path("folder.gyr").c_str()), 0);
    EXPECT_EQ(answers.AskedBoxes.back().text, "Could not open\n" + path("folder.gyr") + "!");
    EXPECT_LT(objects.count(), n);
}

TEST_F(Files, NamesAreUtf8AndOtherFilesStillLoad) {
    // Every letter is kept: Latin, Greek, the euro sign, CJK; a name of 63
    // Greek letters is as long as names may be.
    const std::string names[] = {"Gr\xc3\xbc\xc3\x9f"
                                 "e",
                                 "\xce\xb1",
                                 "\xce\xb2",
                                 "\xe2\x82\xac",
                                 "\xe4\xb8\x89\xe8\xa7\x92",
                                 std::string(63 * 2, 'x')};
    std::string greek;
    for (int i = 0; i < 63; ++i) greek += "\xcf\x80";
    int x = 0;
    for (const std::string& n : names)
        (new Point(x++, 0))->setname(n == names[5] ? greek.c_str() : n.c_str());
    std::string name = path("names.gyr");
    ASSERT_EQ(objects.save(name.c_str()), 1);
    EXPECT_NE(contents(name).find("\"Gr\xc3\xbc\xc3\x9f"
                                  "e\"()"),
              std::string::npos);
    ASSERT_EQ(objects.load(name.c_str()), 1);
    ASSERT_EQ(objects.count(), 6) << "alpha and beta are two names";
    for (const std::string& n : names)
        EXPECT_NE(find(n == names[5] ? greek.c_str() : n.c_str()), nullptr) << n;

    // 64 letters are one too many, whatever their bytes.
    write(name, "\"" + greek + "\xcf\x80\"()=point(1,1);\n");
    EXPECT_EQ(objects.load(name.c_str()), 0);

    write(name, "\"M\xfc"
                "ller\"()=point(1,1);\n");
    ASSERT_EQ(objects.load(name.c_str()), 1);
    EXPECT_NE(find("M\xc3\xbcller"), nullptr) << "bytes that are no UTF-8 read as Latin-1";
    write(name, "\xef\xbb\xbf\"A\"()=point(1,1);\n\"\xe2\x82\xac\"()=point(2,2);\n");
    ASSERT_EQ(objects.load(name.c_str()), 1);
    EXPECT_NE(find("A"), nullptr) << "a byte order mark is skipped";
    EXPECT_NE(find("\xe2\x82\xac"), nullptr) << "characters beyond Latin-1";
}

TEST_F(Files, NumbersUseAPointInEveryLocale) {
    // A German locale writes 1,5 with the C library's own functions.
    QTemporaryDir locales;
    std::string made = "localedef -i de_DE -f UTF-8 '" + locales.path().toStdString() +
                       "/de_DE.UTF-8' >/dev/null 2>&1";
    ASSERT_EQ(std::system(made.c_str()), 0) << "the locales package is needed";
    setenv("LOCPATH", locales.path().toStdString().c_str(), 1);
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr);
    char probe[16];
    std::snprintf(probe, sizeof probe, "%g", 1.5);
    EXPECT_STREQ(probe, "1,5");

    Point* m = new Point(1.5, -0.25);
    new Pointon(new Circle(m, new Point(3.5, 0)), 1.5, 2.5);
    view().X1 = -7.5;
    std::string text = construction();
    Failure f = read(text);
    view().X1 = -7.5, view().X2 = 7, view().Y1 = -7, view().Y2 = 7;
    std::string again = construction();
    std::setlocale(LC_ALL, "C");
    unsetenv("LOCPATH");
    EXPECT_EQ(f.Line, 0) << f.Text;
    EXPECT_NE(text.find("window(-7.5,"), std::string::npos);
    EXPECT_NE(text.find("point(1.500000000000000,-0.250000000000000)"), std::string::npos);
    EXPECT_EQ(text.find(",5"), std::string::npos);
    EXPECT_EQ(objects.count(), 4);
    EXPECT_EQ(static_cast<Pointprim*>(objects.first())->x(), 1.5);
    EXPECT_EQ(again, text);
}

TEST_F(Files, MacroStepsTranslateNamesInsteadOfRenaming) {
    Point* a = new Point(0, 0);
    a->setname("Corner");
    struct Map : Translator {
        const char* translate(const char* n) override {
            for (auto& e : Entries)
                if (e.first == n) return e.second.c_str();
            return nullptr;
        }
        void add(const char* n, const char* own) override { Entries.push_back({n, own}); }
        std::vector<std::pair<std::string, std::string>> Entries{{"P", "Corner"}};
    } map;
    translation = &map;
    int made = iolist.interpret("\"Q\"(showname)=point(1,1);");
    int line = iolist.interpret("\"L\"()=segment(\"P\",\"Q\");");
    translation = nullptr;
    EXPECT_EQ(made, 1);
    EXPECT_EQ(line, 1);
    EXPECT_EQ(find("Q"), nullptr) << "the step's names are not taken";
    auto* s = dynamic_cast<Segment*>(objects.last());
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->p1(), a);
    EXPECT_TRUE(s->p2()->showname);
    EXPECT_EQ(map.Entries.size(), 3u);
    EXPECT_EQ(map.Entries[1].first, "Q");
    EXPECT_EQ(map.Entries[1].second, std::string(s->p2()->name()));
}
