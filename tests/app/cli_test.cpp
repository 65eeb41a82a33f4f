// The command line never waits for a person: a file the reader refuses is
// one line on standard error, in the real program and in the program's own
// process with an answerer that nobody may ask.
#include "angle.h"
#include "app.h"
#include "circle.h"
#include "cli.h"
#include "constructionfile.h"
#include "dialog.h"
#include "line.h"
#include "point.h"
#include "run.h"
#include "scripted.h"

#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>
#include <cstdio>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

const char* const twice = "window(-7,7,-7,7);\n"
                          "\"A\"()=point(1,2);\n"
                          "\"B\"()=point(3,1);\n"
                          "\"A\"()=point(1,2);\n"
                          "\"s\"()=segment(\"A\",\"B\");\n";

// Fails the test at anything asked of a person.
class Nobody : public Answerer {
  public:
    Nobody() : Before(Answerer::install(this)) {}
    ~Nobody() override { Answerer::install(Before); }
    int messagebox(Box, const char* text, const char*, Window*) override {
        ADD_FAILURE() << "a message box: " << text;
        return IDCANCEL;
    }
    int printersetup(PrinterPS&, Window*) override {
        ADD_FAILURE() << "the printer dialog";
        return 0;
    }
    void dialog(Dialog& d) override { ADD_FAILURE() << "dialog " << d.Id; }
    String file(const FileRequest&) override {
        ADD_FAILURE() << "a file chooser";
        return String("");
    }
    int color(Color&, Color*, Window*) override {
        ADD_FAILURE() << "a colour chooser";
        return 0;
    }

  private:
    Answerer* Before;
};

// Runs the command line in this process; the arguments as the shell gives them.
int run(std::vector<std::string> args) {
    args.insert(args.begin(), "gyrel");
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    return runtool(static_cast<int>(args.size()), argv.data());
}

struct CommandLine : Main, TempFiles {};

} // namespace

TEST_F(CommandLine, ANameUsedTwiceIsOneLineOnStandardErrorAndNoWait) {
    write("twice.gyr", twice);
    for (QStringList args : {QStringList{"--check"}, QStringList{"--list"},
                             QStringList{"--export", file("twice.svg")}}) {
        Outcome r = gyrel(args << file("twice.gyr"), 10000);
        EXPECT_EQ(r.status, 1) << args.join(' ').toStdString() << " (-1: it hung)";
        EXPECT_EQ(r.err, file("twice.gyr") + ":4: error: the name A is used twice\n");
        EXPECT_TRUE(r.out.isEmpty()) << r.out.toStdString();
    }
    EXPECT_FALSE(QFile::exists(file("twice.svg")));
}

TEST_F(CommandLine, NoPathOfTheCommandLineAsksAnything) {
    Nobody nobody;
    write("twice.gyr", twice);
    write("broken.gyr", "window(-7,7,-7,7);\n\"A\"()=point(1,2);\n\"l\"()=line(\"A\",\"Q\");\n");
    write("good.gyr", "window(-7,7,-7,7);\n\"A\"()=point(1,2);\n\"B\"()=point(3,1);\n");
    // A changed construction in the window is no reason to ask either.
    new Point(0, 0);
    objects.changed.set();
    for (const char* f : {"twice.gyr", "broken.gyr"}) {
        EXPECT_EQ(run({"--check", path(f)}), 1) << f;
        EXPECT_EQ(run({"--list", path(f)}), 1) << f;
        EXPECT_EQ(run({"--export", path("x.png"), path(f)}), 1) << f;
    }
    EXPECT_EQ(run({"--check", path("missing.gyr")}), 2);
    EXPECT_EQ(run({"--export", path("good.png"), "--width", "200", path("good.gyr")}), 0);
    EXPECT_TRUE(QFile::exists(file("good.png")));
    EXPECT_EQ(run({"--frob"}), 2);
    EXPECT_EQ(&view(), static_cast<View*>(&window)) << "the window's view is back";
    objects.changed.clear();
}

TEST_F(CommandLine, TheWindowKeepsNoObjectNamedLikeAQuestionMark) {
    ScriptedAnswerer s;
    write("twice.gyr", twice);
    std::string shown;
    s.Dialogs.push_back([&](Dialog& d) {
        shown = d.gettext(101).text();
        d.click(1);
    });
    doload(path("twice.gyr").c_str());
    ASSERT_EQ(s.AskedBoxes.size(), 1u);
    EXPECT_EQ(s.AskedBoxes[0].text, "Name has been used before!");
    EXPECT_EQ(s.AskedDialogs, std::vector<int>{120});
    EXPECT_EQ(shown, "\"A\"()=point(1,2);");
    EXPECT_EQ(objects.count(), 2) << "A and B, and nothing of the failing record";
    for (Object* o = objects.first(); o; o = o->next()) EXPECT_STRNE(o->name(), "???");
    EXPECT_STREQ(loadname.text(), "") << "a broken file is never saved over";
    // The load is one step: undone, redone and forgotten without a trace.
    window.command(UndoCommand);
    EXPECT_TRUE(objects.empty());
    window.command(RedoCommand);
    EXPECT_EQ(objects.count(), 2);
    window.command(UndoCommand);
    window.history.clear();
    window.command(RedoCommand);
    EXPECT_TRUE(objects.empty());
}

namespace {

// A construction of every kind, with a hidden object and two invalid ones.
const char* const everykind = "window(-8,8,-6,6);\n"
                              "/*\nEvery kind: \"quoted\", a back\\slash,\n\nand a tab\there.\n*/\n"
                              "\"A\"()=point(-3,-2);\n"
                              "\"B\"()=point(4,-1.25);\n"
                              "\"C\"(hidden)=point(0.1,3.3);\n"
                              "\"g\"()=line(\"A\",\"B\");\n"
                              "\"r\"()=ray(\"B\",\"C\");\n"
                              "\"s\"()=segment(\"C\",\"A\");\n"
                              "\"k\"()=circle(\"A\",\"C\");\n"
                              "\"M\"()=middle(\"A\",\"B\");\n"
                              "\"H\"(hidden),\"p\"()=parallel(\"C\",\"g\");\n"
                              "\"Q\"(hidden),\"q\"()=rectangular(\"M\",\"g\");\n"
                              "\"N\"(hidden),\"n\"()=circle3(\"M\",\"A\",\"C\");\n"
                              "\"S\"()=intersection(\"q\",\"r\");\n"
                              "\"T\"(),\"U\"()=intersection(\"g\",\"k\");\n"
                              "\"X\"()=intersection(\"g\",\"p\");\n"
                              "\"O\"()=pointon(\"k\",1,1);\n"
                              "\"w\"()=angle(\"A\",\"B\",\"C\");\n"
                              "\"Y\"()=middle(\"X\",\"A\");\n"
                              "\"K\"()=circlethrough(\"A\",\"B\",\"C\");\n"
                              "\"W\"()=bisector(\"A\",\"B\",\"C\");\n"
                              "\"m\"()=midperpendicular(\"A\",\"B\");\n"
                              "\"t1\"(),\"t2\"()=tangents(\"B\",\"k\");\n"
                              "\"v\"()=vector(\"A\",\"B\");\n"
                              "\"A1\"()=reflect(\"C\",\"g\");\n"
                              "\"A2\"()=rotate(\"s\",\"M\",60);\n"
                              "\"A3\"()=rotate(\"k\",\"B\",\"w\");\n"
                              "\"A4\"()=translate(\"r\",\"v\");\n"
                              "\"A5\"()=translate(\"A\",\"B\",\"C\");\n"
                              "\"A6\"()=dilate(\"g\",\"M\",-2);\n";

// The numbers an object has in JSON, in one list: a point's x and y, a
// line's two points and normal, a circle's centre and radius, an angle.
std::vector<double> flat(const QJsonObject& o) {
    std::vector<double> v;
    std::function<void(const QJsonValue&)> add = [&](const QJsonValue& x) {
        if (x.isArray())
            for (const QJsonValue& e : x.toArray()) add(e);
        else
            v.push_back(x.toDouble());
    };
    for (const char* key : {"x", "y", "points", "normal", "center", "radius", "degrees"})
        if (o.contains(key)) add(o[key]);
    return v;
}

// The object of the name in a JSON list of objects.
QJsonObject named(const QJsonArray& list, const char* name) {
    for (const QJsonValue& v : list)
        if (v.toObject()["name"].toString() == name) return v.toObject();
    ADD_FAILURE() << name;
    return QJsonObject();
}

// The model's own numbers of the same object.
std::vector<double> own(Object* o) {
    if (!o->valid) return {};
    if (auto* p = dynamic_cast<Pointprim*>(o)) return {p->x(), p->y()};
    if (auto* l = dynamic_cast<Lineprim*>(o))
        return {l->x(),
                l->y(),
                l->x1(),
                l->y1(),
                -l->vy(),
                l->vx(),
                -(-l->vy() * l->x() + l->vx() * l->y())};
    if (auto* c = dynamic_cast<Circle*>(o)) return {c->x(), c->y(), c->r()};
    if (auto* a = dynamic_cast<Angle*>(o)) return {a->size()};
    return {};
}

} // namespace

TEST_F(CommandLine, JsonGivesEveryObjectWithTheModelsOwnNumbers) {
    write("every.gyr", everykind);
    Outcome r = gyrel({"--json", file("every.gyr")});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    QJsonParseError error;
    QJsonDocument doc = QJsonDocument::fromJson(r.out.toUtf8(), &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    QJsonObject root = doc.object();

    // The same file read here gives the numbers to compare, bit for bit.
    filehost().clear();
    ASSERT_EQ(readconstruction(everykind).Line, 0);
    QJsonArray view = root["view"].toArray();
    ASSERT_EQ(view.size(), 4);
    EXPECT_EQ(view[0].toDouble(), window.x1());
    EXPECT_EQ(view[1].toDouble(), window.x2());
    EXPECT_EQ(root["comment"].toString().toStdString(), objects.comment().text());

    QJsonArray list = root["objects"].toArray();
    ASSERT_EQ(list.size(), objects.count());
    int i = 0, invalid = 0;
    for (Object* o = objects.first(); o; o = o->next(), ++i) {
        QJsonObject j = list[i].toObject();
        SCOPED_TRACE(o->name());
        EXPECT_EQ(j["name"].toString().toStdString(), o->name());
        EXPECT_EQ(j["hidden"].toBool(), static_cast<bool>(o->ishidden));
        EXPECT_EQ(j["valid"].toBool(), static_cast<bool>(o->valid));
        invalid += !o->valid;
        std::vector<double> numbers = flat(j), mine = own(o);
        EXPECT_EQ(numbers, mine);
        EXPECT_EQ(numbers.empty(), !o->valid) << "numbers exactly while valid";
        Object* d[8];
        int n = o->dep(d);
        QJsonArray parents = j["parents"].toArray();
        ASSERT_EQ(parents.size(), n);
        for (int k = 0; k < n; ++k) EXPECT_EQ(parents[k].toString().toStdString(), d[k]->name());
        if (j.contains("normal")) {
            QJsonArray a = j["normal"].toArray();
            EXPECT_NEAR(std::hypot(a[0].toDouble(), a[1].toDouble()), 1, 1e-15);
        }
    }
    EXPECT_EQ(invalid, 2) << "X of two parallels and the midpoint Y built on it";
    auto kind = [&](const char* name) {
        for (const QJsonValue& v : list)
            if (v.toObject()["name"].toString() == name)
                return v.toObject()["kind"].toString().toStdString();
        return std::string("none");
    };
    EXPECT_EQ(kind("A"), "point");
    EXPECT_EQ(kind("H"), "parallel");
    EXPECT_EQ(kind("p"), "parallel") << "written with its help point's record";
    EXPECT_EQ(kind("q"), "rectangular");
    EXPECT_EQ(kind("n"), "circle3");
    EXPECT_EQ(kind("U"), "intersection");
    EXPECT_EQ(kind("O"), "pointon");
    EXPECT_EQ(kind("w"), "angle");
    EXPECT_EQ(kind("r"), "ray");
    EXPECT_EQ(kind("s"), "segment");
    EXPECT_EQ(kind("K"), "circlethrough");
    EXPECT_EQ(kind("W"), "bisector");
    EXPECT_EQ(kind("m"), "midperpendicular");
    EXPECT_EQ(kind("t2"), "tangents");
    EXPECT_EQ(kind("v"), "vector");
    EXPECT_EQ(kind("A1"), "reflect");
    EXPECT_EQ(kind("A3"), "rotate");
    EXPECT_EQ(kind("A5"), "translate");
    EXPECT_EQ(kind("A6"), "dilate");
    objects.clear();
}

TEST_F(CommandLine, JsonGivesTheKnownAnswersOfTheNewKinds) {
    write("known.gyr", "\"A\"()=point(0,0);\n\"B\"()=point(4,0);\n\"C\"()=point(0,3);\n"
                       "\"k\"()=circlethrough(\"A\",\"B\",\"C\");\n"
                       "\"E\"()=point(1,0);\n\"F\"()=point(0,1);\n"
                       "\"w\"()=bisector(\"E\",\"A\",\"F\");\n"
                       "\"P\"()=point(5,0);\n\"c\"()=circle(\"A\",\"E\");\n"
                       "\"t1\"(),\"t2\"()=tangents(\"P\",\"c\");\n"
                       "\"X\"()=point(1,2);\n\"D\"()=point(1,1);\n\"g\"()=line(\"A\",\"D\");\n"
                       "\"X1\"()=reflect(\"X\",\"g\");\n\"X2\"()=reflect(\"X\",\"A\");\n"
                       "\"E1\"()=rotate(\"E\",\"A\",90);\n"
                       "\"Q\"()=point(3,4);\n\"A1\"()=translate(\"A\",\"D\",\"Q\");\n"
                       "\"G\"()=point(2,0);\n\"G1\"()=dilate(\"G\",\"E\",-2);\n");
    Outcome r = gyrel({"--json", file("known.gyr")});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    QJsonArray list = QJsonDocument::fromJson(r.out.toUtf8()).object()["objects"].toArray();
    auto get = [&](const char* name) { return named(list, name); };
    auto at = [](const QJsonObject& o, const char* key, int i, int j = -1) {
        QJsonValue v = o[key].toArray()[i];
        return j < 0 ? v.toDouble() : v.toArray()[j].toDouble();
    };
    QJsonObject k = get("k");
    EXPECT_EQ(at(k, "center", 0), 2);
    EXPECT_EQ(at(k, "center", 1), 1.5);
    EXPECT_EQ(k["radius"].toDouble(), 2.5);
    QJsonObject w = get("w");
    EXPECT_NEAR(at(w, "normal", 0) + at(w, "normal", 1), 0, 1e-15) << "y = x";
    EXPECT_NEAR(at(w, "normal", 2), 0, 1e-15);
    for (auto [name, sign] : {std::pair{"t1", 1}, std::pair{"t2", -1}}) {
        QJsonObject t = get(name);
        EXPECT_NEAR(at(t, "points", 0, 0), 0.2, 1e-15) << name;
        EXPECT_NEAR(at(t, "points", 0, 1), sign * 0.9797958971132712, 1e-15) << name;
        EXPECT_NEAR(at(t, "points", 1, 0), 5, 1e-15) << name;
    }
    auto place = [&](const char* name, double x, double y) {
        QJsonObject p = get(name);
        EXPECT_EQ(p["x"].toDouble(), x) << name;
        EXPECT_EQ(p["y"].toDouble(), y) << name;
    };
    place("X1", 2, 1);
    place("X2", -1, -2);
    place("E1", 0, 1);
    place("A1", 2, 3);
    place("G1", -1, 0);
}

TEST_F(CommandLine, JsonAndPicturesOfShapes) {
    write("shapes.gyr",
          "\"A\"()=point(0,0);\n\"B\"()=point(2,0);\n\"C\"()=point(2,2);\n\"D\"()=point(0,2);\n"
          "\"P\"()=polygon(\"A\",\"B\",\"C\",\"D\");\n"
          "\"E\"()=point(1,0);\n"
          "\"H\"(),\"H3\"(),\"H4\"(),\"H5\"(),\"H6\"()=regularpolygon(\"A\",\"E\",6);\n"
          "\"F\"()=point(0,1);\n\"q\"()=arc(\"A\",\"E\",\"F\");\n"
          "\"L\"()=point(-1,0);\n\"c\"()=semicircle(\"L\",\"E\");\n"
          "\"s\"(color:green)=sector(\"A\",\"E\",\"F\");\n");
    Outcome r = gyrel({"--json", file("shapes.gyr")});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    QJsonArray list = QJsonDocument::fromJson(r.out.toUtf8()).object()["objects"].toArray();
    auto get = [&](const char* name) { return named(list, name); };
    EXPECT_EQ(get("P")["area"].toDouble(), 4);
    EXPECT_EQ(get("P")["perimeter"].toDouble(), 8);
    EXPECT_EQ(get("P")["vertices"].toArray().size(), 4);
    QJsonObject h = get("H");
    EXPECT_NEAR(h["area"].toDouble(), 3 * std::sqrt(3) / 2, 1e-14);
    EXPECT_NEAR(h["vertices"].toArray()[3].toArray()[1].toDouble(), std::sqrt(3), 1e-15);
    QJsonObject q = get("q");
    EXPECT_NEAR(q["length"].toDouble(), M_PI / 2, 1e-15);
    EXPECT_EQ(q["from_degrees"].toDouble(), 0);
    EXPECT_EQ(q["to_degrees"].toDouble(), 90);
    EXPECT_EQ(q["radius"].toDouble(), 1);
    QJsonObject c = get("c");
    EXPECT_EQ(c["center"].toArray()[1].toDouble(), 0);
    EXPECT_EQ(c["radius"].toDouble(), 1);
    EXPECT_EQ(c["from_degrees"].toDouble(), 0) << "from (1, 0) over the top (0, 1)";
    EXPECT_EQ(c["to_degrees"].toDouble(), 180);
    QJsonObject s = get("s");
    EXPECT_NEAR(s["area"].toDouble(), M_PI / 4, 1e-15);
    EXPECT_NEAR(s["perimeter"].toDouble(), M_PI / 2 + 2, 1e-15);
    // An SVG picture holds the insides as filled shapes, a quarter opaque.
    ASSERT_EQ(gyrel({"--export", file("shapes.svg"), file("shapes.gyr")}).status, 0);
    QFile svg(file("shapes.svg"));
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    QString text = QString::fromUtf8(svg.readAll());
    EXPECT_GE(text.count("fill-opacity=\"0.25"), 3) << "the square, the hexagon, the sector";
}

TEST_F(CommandLine, PicturesInTheModernStyleOnlyWhenAsked) {
    write("dot.gyr", "window(-7,7,-7,7);\n\"A\"(color:#ff8800)=point(0,0);\n");
    ASSERT_EQ(run({"--export", path("classic.png"), "--width", "140", path("dot.gyr")}), 0);
    ASSERT_EQ(run({"--export", path("modern.png"), "--modern", "--width", "140", path("dot.gyr")}),
              0);
    QImage classic(file("classic.png")), modern(file("modern.png"));
    ASSERT_FALSE(classic.isNull());
    // The point's centre: inside a hollow square, or a dot of its colour.
    EXPECT_EQ(classic.pixel(70, 70), qRgb(255, 255, 255));
    EXPECT_EQ(modern.pixel(70, 70), qRgb(255, 136, 0));
    EXPECT_EQ(run({"--modern", path("dot.gyr")}), 2) << "only with --export";
    // As a program, whose toolkit takes options of its own.
    Outcome r =
        gyrel({"--export", file("program.png"), "--modern", "--width", "140", file("dot.gyr")});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(QImage(file("program.png")), modern);
}

TEST_F(CommandLine, RelationTellsWhatHoldsInGeneralAndWhatHereOnly) {
    write("euler.gyr", "\"A\"()=point(-4,-2);\n\"B\"()=point(5,-1.5);\n\"C\"()=point(0.5,4);\n"
                       "\"a\"()=line(\"B\",\"C\");\n\"b\"()=line(\"C\",\"A\");\n"
                       "\"m1\"()=midperpendicular(\"A\",\"B\");\n"
                       "\"m2\"()=midperpendicular(\"B\",\"C\");\n"
                       "\"U\"()=intersection(\"m1\",\"m2\");\n"
                       "\"Ma\"()=middle(\"B\",\"C\");\n\"Mb\"()=middle(\"C\",\"A\");\n"
                       "\"sa\"()=line(\"A\",\"Ma\");\n\"sb\"()=line(\"B\",\"Mb\");\n"
                       "\"S\"()=intersection(\"sa\",\"sb\");\n"
                       "\"X1\"(hidden),\"ha\"()=rectangular(\"A\",\"a\");\n"
                       "\"X2\"(hidden),\"hb\"()=rectangular(\"B\",\"b\");\n"
                       "\"H\"()=intersection(\"ha\",\"hb\");\n"
                       "\"P\"()=point(1,-1.72222222222);\n");
    Outcome r = gyrel({"--relation", "H,S,U", file("euler.gyr")});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.out.toStdString(), "H, S and U lie on one line \xe2\x80\x94 true in general "
                                   "(checked in 1,000 random positions)\n");
    // Placed on the line by hand: true here only, whatever the seed.
    for (const char* seed : {"1", "2", "99"}) {
        r = gyrel({"--relation", "A,B,P", "--seed", seed, file("euler.gyr")});
        EXPECT_EQ(r.status, 1);
        EXPECT_NE(r.out.toStdString().find("A, B and P lie on one line \xe2\x80\x94 true here, but "
                                           "not in general: moving "),
                  std::string::npos)
            << r.out.toStdString();
    }
    EXPECT_EQ(gyrel({"--relation", "A,B,C", file("euler.gyr")}).status, 1) << "nothing holds";
    r = gyrel({"--relation", "A,Q", file("euler.gyr")});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.toStdString().find("there is no object Q"), std::string::npos);
    EXPECT_EQ(gyrel({"--relation", "A,B,P", "--seed", "x", file("euler.gyr")}).status, 2);
    EXPECT_EQ(gyrel({"--seed", "3", file("euler.gyr")}).status, 2);
    // Discover names the seed and finds the Euler line, nothing made so.
    r = gyrel({"--discover", "S", "--seed", "5", file("euler.gyr")});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.out.toStdString(),
              "S in 1,000 random positions, seed 5:\nS, U and H lie on one line\n");
    r = gyrel({"--discover", "P", file("euler.gyr")});
    EXPECT_EQ(r.out.toStdString(), "P in 1,000 random positions, seed 1:\nNothing holds in "
                                   "general beyond how it was made.\n");
    EXPECT_EQ(gyrel({"--discover", "Q", file("euler.gyr")}).status, 2);
}
