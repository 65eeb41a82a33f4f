// Opening GeoGebra files: archives built here with the ZIP library, and the
// public sample files.
#include "constructionfile.h"
#include "files.h"
#include "ggbimport.h"
#include "ggbimporter.h"
#include "line.h"
#include "objectlist.h"
#include "point.h"
#include "view.h"

#include <QDir>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <zip.h>

namespace {

// The bytes of a ZIP archive of the entries (name, text), each compressed.
std::string archive(const std::map<std::string, std::string>& entries) {
    QTemporaryDir dir;
    const std::string path = dir.path().toStdString() + "/a.ggb";
    int error = 0;
    zip_t* z = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!z) return "";
    for (const auto& [name, text] : entries) {
        zip_source_t* s = zip_source_buffer(z, text.data(), text.size(), 0);
        zip_file_add(z, name.c_str(), s, ZIP_FL_OVERWRITE);
    }
    if (zip_close(z) != 0) return "";
    std::string bytes;
    readfile(path.c_str(), bytes);
    return bytes;
}

std::string construction(const std::string& body) {
    return R"(<?xml version="1.0" encoding="utf-8"?>
<geogebra format="5.0">
<euclidianView><size width="800" height="600"/>
<coordSystem xZero="400" yZero="300" scale="50" yscale="50"/></euclidianView>
<construction>)" +
           body + "</construction></geogebra>";
}

std::string point(const char* label, double x, double y, const std::string& style = "") {
    return std::string("<element type=\"point\" label=\"") + label + "\">" + style +
           "<coords x=\"" + std::to_string(x) + "\" y=\"" + std::to_string(y) +
           "\" z=\"1\"/></element>\n";
}

// The values of an object by their keys.
struct Values : ValueSink {
    void number(const char* key, double x) override { V[key] = {x}; }
    void numbers(const char* key, const double* v, int n) override { V[key].assign(v, v + n); }
    void points(const char* key, const double* xy, int n) override {
        V[key].assign(xy, xy + 2 * n);
    }
    void text(const char*, const std::string&) override {}
    std::map<std::string, std::vector<double>> V;
};

struct Ggb : ::testing::Test {
    void SetUp() override { filehost().clear(); }
    void TearDown() override { filehost().clear(); }
    static GgbImport open(const std::string& body) {
        filehost().clear();
        return importggb(archive({{"geogebra.xml", construction(body)}}));
    }
    static Object* find(const char* name) { return objects.find(name, 0, nullptr); }
    static Pointprim* at(const char* name) { return dynamic_cast<Pointprim*>(find(name)); }
};

TEST_F(Ggb, CommandsByTheirInputsWithStyleAndTheView) {
    const std::string body =
        point("A", 0, 0,
              R"(<show object="true" label="true"/><objColor r="255" g="0" b="0" alpha="0"/>
                 <pointStyle val="1"/><fixed val="true"/>)") +
        point("B", 4, 0) + point("C", 0, 3) + R"x(
<command name="Segment"><input a0="A" a1="B"/><output a0="s"/></command>
<element type="segment" label="s"><show object="true" label="true"/><labelMode val="2"/>
 <lineStyle thickness="9" type="15"/><coords x="0" y="4" z="0"/></element>
<command name="Circle"><input a0="A" a1="B"/><output a0="c"/></command>
<command name="Circle"><input a0="C" a1="2.5"/><output a0="d"/></command>
<command name="Circle"><input a0="B" a1="s"/><output a0="e"/></command>
<element type="conic" label="e"><show object="false" label="false"/>
 <matrix A0="1" A1="1" A2="0" A3="0" A4="-4" A5="0"/></element>
<command name="Intersect"><input a0="c" a1="d" a2="2"/><output a0="P"/></command>
<element type="point" label="P"><coords x="-2.4968730444297722" y="3.125" z="1"/></element>
<command name="Midpoint"><input a0="s"/><output a0="M"/></command>
<element type="point" label="M"><coords x="2" y="0" z="1"/></element>
<command name="Polygon"><input a0="A" a1="B" a2="4"/><output a0="q" a1="q1" a2="q2" a3="q3" a4="q4" a5="Q1" a6="Q2"/></command>
<element type="point" label="Q1"><coords x="4" y="4" z="1"/></element>
<command name="Mirror"><input a0="C" a1="s"/><output a0="C'"/></command>
<element type="point" label="C'"><coords x="0" y="-3" z="1"/></element>
<command name="Rotate"><input a0="B" a1="90°" a2="A"/><output a0="B'"/></command>
<element type="point" label="B'"><coords x="0" y="4" z="1"/></element>
<command name="Angle"><input a0="B" a1="A" a2="C"/><output a0="α"/></command>
<element type="angle" label="α"><value val="1.5707963267948966"/></element>
<command name="Distance"><input a0="A" a1="C"/><output a0="dist"/></command>
<element type="numeric" label="dist"><value val="3"/></element>
<command name="Line"><input a0="C" a1="xAxis"/><output a0="g"/></command>
<command name="Circle"><input a0="C" a1="Segment[A, B]"/><output a0="compass"/></command>
<element type="conic" label="compass"><matrix A0="1" A1="1" A2="-7" A3="0" A4="0" A5="-3"/></element>
<command name="Segment"><input a0="(1, -2)" a1="C"/><output a0="u"/></command>
<command name="Midpoint"><input a0="A" a1="C"/><output a0="N"/></command>
<element type="point" label="N"><show object="true" label="true"/><labelMode val="3"/>
 <caption val="Middle"/><coords x="0" y="1.5" z="1"/></element>
<command name="Segment"><input a0="N" a1="B"/><output a0="v"/></command>
<command name="Vector"><input a0="C"/><output a0="pos"/></command>
<command name="Ray"><input a0="B" a1="pos"/><output a0="up"/></command>
<element type="ray" label="up"><coords x="1" y="0" z="-4"/></element>
<command name="Circle"><input a0="A" a1="B" a2="C"/><output a0="k3"/></command>
<element type="conic" label="k3"><matrix A0="1" A1="1" A2="0" A3="0" A4="-2" A5="-1.5"/></element>
<command name="Center"><input a0="k3"/><output a0="Z"/></command>
<element type="point" label="Z"><show object="true" label="true"/><labelMode val="3"/>
 <caption val="$%n_0$ &quot;centre&quot;"/><coords x="2" y="1.5" z="1"/></element>
<command name="Arc"><input a0="k3" a1="B" a2="C"/><output a0="arc"/></command>
<command name="CircumcircleSector"><input a0="B" a1="C" a2="A"/><output a0="fan"/></command>
<command name="CircumcircleSector"><input a0="A" a1="C" a2="B"/><output a0="fan2"/></command>
<command name="Segment"><input a0="A" a1="2.5"/><output a0="fix" a1="F"/></command>
<element type="point" label="F"><coords x="2.5" y="0" z="1"/></element>
<command name="Segment"><input a0="C" a1="dist"/><output a0="fix2" a1=""/></command>
<element type="segment" label="fix2"><coords x="0" y="1" z="-3"/></element>
<command name="Line"><input a0="A" a1="B"/><output a0="ab"/></command>
<element type="line" label="ab"><coords x="0" y="1" z="0"/></element>
<command name="Distance"><input a0="C" a1="ab"/><output a0="h"/></command>
<element type="numeric" label="h"><value val="3"/></element>
)x";
    const GgbImport r = open(body);
    ASSERT_EQ(r.Error, "");
    EXPECT_TRUE(r.Dropped.empty()) << r.Dropped[0].line();
    EXPECT_TRUE(r.Mismatches.empty()) << r.Mismatches[0];
    // The view GeoGebra showed: 800 x 600 pixels, 50 a unit, the origin in
    // the middle.
    EXPECT_NEAR(view().X1, -8, 1e-9);
    EXPECT_NEAR(view().X2, 8, 1e-9);
    EXPECT_NEAR(view().Y1, -6, 1e-9);
    EXPECT_NEAR(view().Y2, 6, 1e-9);
    // Style.
    Pointprim* a = at("A");
    ASSERT_TRUE(a);
    EXPECT_EQ(a->color(), ObjectColors::custom(Color(255, 0, 0)));
    EXPECT_TRUE(a->showname);
    EXPECT_EQ(a->Symbol, 1);
    EXPECT_FALSE(a->Class & CMovable) << "fixed in GeoGebra";
    const std::string text = ::construction();
    EXPECT_NE(text.find(R"("s"(dotted,showlength)=segment("A","B");)"), std::string::npos) << text;
    EXPECT_TRUE(find("e")->ishidden);
    // The second crossing, as GeoGebra numbered it, whatever Gyrel's order.
    ASSERT_TRUE(at("P"));
    EXPECT_NEAR(at("P")->x(), -2.4968730444297722, 1e-9);
    EXPECT_NEAR(at("P")->y(), 3.125, 1e-9);
    EXPECT_NEAR(at("M")->x(), 2, 1e-12);
    EXPECT_NEAR(at("Q1")->x(), 4, 1e-9);
    EXPECT_NEAR(at("Q1")->y(), 4, 1e-9);
    ASSERT_TRUE(find("q4"));
    EXPECT_NEAR(at("C'")->y(), -3, 1e-12);
    EXPECT_NEAR(at("B'")->y(), 4, 1e-9);
    ASSERT_TRUE(find("α"));
    ASSERT_TRUE(find("g"));
    ASSERT_TRUE(find("compass") && find("u"));
    // Names are GeoGebra's labels; a caption it shows is shown in place of
    // the name.
    ASSERT_TRUE(at("N") && find("v"));
    EXPECT_FALSE(find("Middle"));
    EXPECT_STREQ(at("N")->labelname(), "Middle");
    EXPECT_TRUE(at("N")->showname);
    EXPECT_EQ(find("M")->Caption, "");
    ASSERT_TRUE(at("Z") && find("arc"));
    EXPECT_EQ(at("Z")->Caption, "Z_0 'centre'");
    ASSERT_TRUE(find("pos") && find("up"));
    // A sector through three points runs through its middle one, whichever
    // way round: B, C, A and A, C, B give the same piece of the circle.
    ASSERT_TRUE(find("fan") && find("fan2"));
    Values fan, fan2;
    find("fan")->values(fan);
    find("fan2")->values(fan2);
    const double sweep = 2 * M_PI - 2 * std::atan2(2, 1.5);
    EXPECT_NEAR(fan.V["area"][0], 6.25 * sweep / 2, 1e-9);
    EXPECT_NEAR(fan2.V["area"][0], fan.V["area"][0], 1e-9);
    EXPECT_NE(text.find(R"(=sector3("B","C","A");)"), std::string::npos) << text;
    // A segment of a given length ends at a point of its own; a distance
    // from a line is to its foot.
    ASSERT_TRUE(find("fix") && at("F") && find("fix2") && find("h"));
    EXPECT_NEAR(at("F")->x(), 2.5, 1e-12);
    EXPECT_NEAR(dynamic_cast<Segment*>(find("fix2"))->length(), 3, 1e-12);
    Values h;
    find("h")->values(h);
    EXPECT_NEAR(h.V["value"][0], 3, 1e-12);
    // Dragging a free point moves what rests on it.
    at("B")->set(5, 0);
    at("C")->set(1, 4);
    objects.update();
    EXPECT_NEAR(at("M")->x(), 2.5, 1e-12);
    find("h")->values(h);
    EXPECT_NEAR(h.V["value"][0], 4, 1e-12);
    EXPECT_NEAR(dynamic_cast<Segment*>(find("fix2"))->length(), std::hypot(1, 4), 1e-12);
}

TEST_F(Ggb, WhatCannotComeIsDroppedWithWhatRestsOnItAndMismatchesAreTold) {
    const std::string body = point("A", 0, 0) + point("B", 2, 0) + R"(
<expression label="f" exp="f(x) = x^2"/>
<element type="function" label="f"><show object="true" label="true"/></element>
<command name="Point"><input a0="f"/><output a0="P"/></command>
<element type="point" label="P"><coords x="1" y="1" z="1"/></element>
<command name="Ellipse"><input a0="A" a1="B" a2="3"/><output a0="e"/></command>
<command name="Midpoint"><input a0="A" a1="B"/><output a0="M"/></command>
<element type="point" label="M"><coords x="1.5" y="0" z="1"/></element>
<element type="point3d" label="Z"><coords x="1" y="1" z="1" w="1"/></element>
)";
    const GgbImport r = open(body);
    ASSERT_EQ(r.Error, "");
    ASSERT_EQ(r.Dropped.size(), 4u);
    EXPECT_EQ(r.Dropped[0].line(),
              "f = f(x) = x^2: definitions by expressions of this kind are not supported");
    EXPECT_EQ(r.Dropped[1].line(), "P = Point[f]: it depends on f, which is not imported");
    EXPECT_EQ(r.Dropped[2].line(), "e = Ellipse[A, B, 3]: the command Ellipse is not supported");
    EXPECT_EQ(r.Dropped[3].line(), "Point3d Z: 3D objects are not supported");
    EXPECT_FALSE(find("P"));
    ASSERT_EQ(r.Mismatches.size(), 1u) << "M lies at 1, not at 1.5";
    EXPECT_EQ(r.Mismatches[0].rfind("M: ", 0), 0u) << r.Mismatches[0];
}

TEST_F(Ggb, BrokenAndHostileFilesAreRefusedWithAReason) {
    auto error = [](const std::string& bytes) {
        filehost().clear();
        GgbImport r = importggb(bytes);
        EXPECT_TRUE(objects.empty()) << r.Error;
        return r.Error;
    };
    EXPECT_NE(error("PK\x03\x04 no archive at all").find("no GeoGebra file"), std::string::npos);
    EXPECT_NE(error(archive({{"other.xml", "<geogebra/>"}})).find("no geogebra.xml"),
              std::string::npos);
    EXPECT_NE(error(archive({{"geogebra.xml", "<geogebra><construction>"}})).find("broken"),
              std::string::npos);
    EXPECT_NE(error(archive({{"geogebra.xml", "<html/>"}})).find("no GeoGebra"), std::string::npos);
    const std::string entities = R"(<?xml version="1.0"?><!DOCTYPE g [<!ENTITY a "aaaaaaaaaa">
<!ENTITY b "&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;">]><geogebra><construction>
<element type="point" label="&b;"><coords x="1" y="1" z="1"/></element></construction></geogebra>)";
    EXPECT_NE(error(archive({{"geogebra.xml", entities}})).find("document type"),
              std::string::npos);
    std::string deep;
    for (int i = 0; i < 100; ++i) deep += "<a>";
    EXPECT_NE(error(archive({{"geogebra.xml", "<geogebra>" + deep}})).find("nested"),
              std::string::npos);
    // A bomb: a small archive that unpacks to more than 64 MB.
    const std::string zeros((64u << 20) + 1, ' ');
    const std::string bomb = archive({{"geogebra.xml", zeros}});
    EXPECT_LT(bomb.size(), 1u << 20);
    EXPECT_NE(error(bomb).find("64 MB"), std::string::npos);
    // Labels of any length and characters, forward references, numbers
    // beyond doubles: imported where they can be, the rest dropped.
    const std::string odd =
        point(std::string(300, 'x').c_str(), 1, 1) + point("a&quot;b\\c", 2, 2) + R"(
<command name="Segment"><input a0="later" a1="a&quot;b\c"/><output a0="s"/></command>
<element type="point" label="later"><coords x="1e999" y="0" z="1"/></element>
<command name="Segment"><input a0="later" a1="later"/><output a0="later"/></command>
)";
    filehost().clear();
    GgbImport r = open(odd);
    EXPECT_EQ(r.Error, "");
    EXPECT_EQ(objects.count(), 2);
    EXPECT_EQ(r.Dropped.size(), 2u);
}

TEST_F(Ggb, TheSamplesImportWhereGeoGebraHadThem) {
    const QDir samples(GYREL_GGB_DIR);
    const QStringList files = samples.entryList({"*.ggb"}, QDir::Files);
    ASSERT_GE(files.size(), 14);
    // What each sample keeps back: pictures and what rests on them.
    const std::map<std::string, std::size_t> dropped = {{"Streckung_worksheet.ggb", 14}};
    for (const QString& f : files) {
        std::string bytes;
        ASSERT_TRUE(readfile(samples.filePath(f).toLocal8Bit().constData(), bytes));
        filehost().clear();
        GgbImport r = importggb(bytes);
        const std::string name = f.toStdString();
        EXPECT_EQ(r.Error, "") << name;
        EXPECT_TRUE(r.Mismatches.empty()) << name << ": " << r.Mismatches[0];
        EXPECT_GT(r.Made, 1) << name;
        const auto d = dropped.find(name);
        EXPECT_EQ(r.Dropped.size(), d == dropped.end() ? 0 : d->second) << name;
    }
}

TEST_F(Ggb, ExpressionsOfNumbersTextsAndPoints) {
    const std::string body = point("A", 0, 0) + point("B", 3, 0) + point("C", 0, 4) + R"x(
<command name="Segment"><input a0="A" a1="B"/><output a0="s"/></command>
<command name="Angle"><input a0="B" a1="A" a2="C"/><output a0="α"/></command>
<element type="angle" label="α"><value val="1.5707963267948966"/></element>
<expression label="a_{1}" exp="2 s + sin(α) - 3^2"/>
<element type="numeric" label="a_{1}"><value val="-2"/></element>
<expression label="β" exp="α / 2"/>
<element type="angle" label="β"><value val="0.7853981633974483"/></element>
<expression label="T" exp="&quot;s = &quot; + s + &quot; {and} &quot; + a_{1}"/>
<element type="text" label="T"><startPoint exp="C"/></element>
<expression label="D" exp="C + B - A"/>
<element type="point" label="D"><coords x="3" y="4" z="1"/></element>
<command name="Vector"><input a0="A" a1="B"/><output a0="v"/></command>
<expression label="E" exp="A + OrthogonalVector[v]" type="point"/>
<element type="point" label="E"><coords x="0" y="3" z="1"/></element>
<expression label="G" exp="C - 2 UnitVector[Vector[A, B]] + v" type="point"/>
<element type="point" label="G"><coords x="1" y="4" z="1"/></element>
<command name="Rotate"><input a0="B" a1="-α / 2" a2="A"/><output a0="B'"/></command>
<element type="point" label="B'"><coords x="2.1213203435596424" y="-2.1213203435596424" z="1"/></element>
<expression label="bad" exp="Name[A] + 1"/>
<expression label="H" exp="(s, a_{1} / 2)" type="point"/>
<element type="point" label="H"><coords x="3" y="-1" z="1"/></element>
<expression label="K" exp="(sqrt(s * (s + 1)), 0)" type="point"/>
<element type="point" label="K"><coords x="3.4641016151377544" y="0" z="1"/></element>
<expression label="bad2" exp="(s, Name[A])" type="point"/>
<expression label="L" exp="&quot;\overline{&quot; + (Name[A]) + Name[B] + &quot;} \, = &quot; + a_{1}"/>
<element type="text" label="L"><isLaTeX val="true"/><startPoint exp="Midpoint[A, B]"/></element>
<command name="Segment"><input a0="A" a1="(s / 3, s)"/><output a0="u"/></command>
<element type="segment" label="u"><coords x="3" y="-1" z="0"/></element>
)x";
    const GgbImport r = open(body);
    ASSERT_EQ(r.Error, "");
    EXPECT_TRUE(r.Mismatches.empty()) << r.Mismatches[0];
    ASSERT_EQ(r.Dropped.size(), 2u) << r.Dropped[1].line();
    EXPECT_EQ(r.Dropped[0].line(), "bad = Name[A] + 1: Name[A] is no number Gyrel has");
    EXPECT_EQ(r.Dropped[1].line(), "bad2 = (s, Name[A]): Name[A] is no number Gyrel has");
    ASSERT_TRUE(find("a_{1}") && find("β") && find("T") && at("D"));
    ASSERT_TRUE(at("E") && at("G") && at("B'"));
    EXPECT_NEAR(at("D")->x(), 3, 1e-12);
    const std::string text = ::construction();
    EXPECT_NE(text.find(R"(=text("s = {_help} (and) {a_{1}}","C");)"), std::string::npos) << text;
    EXPECT_NE(text.find("=text(\"A\xcc\x85"
                        "B\xcc\x85 = {a_{1}}\",\""),
              std::string::npos)
        << text;
    // The text follows the numbers it shows.
    at("B")->set(4, 0);
    objects.update();
    Values v;
    find("a_{1}")->values(v);
    EXPECT_NEAR(v.V["value"][0], 0, 1e-12);
    // A point of coordinates follows its numbers, also through zero.
    ASSERT_TRUE(at("H") && at("K") && find("u"));
    EXPECT_NEAR(dynamic_cast<Segment*>(find("u"))->length(), std::hypot(4, 4.0 / 3), 1e-12);
    EXPECT_NEAR(at("H")->x(), 4, 1e-12);
    EXPECT_NEAR(at("H")->y(), 0, 1e-12);
    EXPECT_TRUE(at("H")->valid);
    at("B")->set(2, 0);
    objects.update();
    EXPECT_NEAR(at("H")->x(), 2, 1e-12);
    EXPECT_NEAR(at("H")->y(), -2, 1e-12);
    EXPECT_NEAR(at("K")->x(), std::sqrt(6.0), 1e-12);
}

TEST(GgbLatex, FormulasBecomePlainText) {
    EXPECT_EQ(plainlatex("\\overline{AB} \\, = \\, 3"), "A\xcc\x85"
                                                        "B\xcc\x85 = 3");
    EXPECT_EQ(plainlatex("\\frac{a+b}{2} \\cdot \\sqrt{x}"), "(a+b)/2 \xc2\xb7 \xe2\x88\x9ax");
    EXPECT_EQ(plainlatex("$\\alpha + \\beta = 180^\\circ$"), "\xce\xb1 + \xce\xb2 = 180^\xc2\xb0");
    EXPECT_EQ(plainlatex("A = 3 cm^2, \\text{r}_{1}"), "A = 3 cm\xc2\xb2, r1");
    EXPECT_EQ(plainlatex("\\unknown{x} \\{a\\}"), "unknownx (a)");
    // Broken and hostile formulas end, whatever their nesting.
    for (const std::string& bad :
         {std::string("\\frac{"), std::string("}}}{\\"), std::string(100000, '{'),
          std::string(100000, '}'), std::string(20000, '\\') + "sqrt"}) {
        std::string deep;
        for (int i = 0; i < 5000; ++i) deep += "\\sqrt\\frac";
        plainlatex(bad);
        plainlatex(deep);
    }
}

TEST_F(Ggb, ToolsOfTheFileComeBeforeCommandsAndMakeTheirConstruction) {
    const std::string macros = R"(<geogebra format="5.0">
<macro cmdName="Centre" toolName="Centre"><macroInput a0="A" a1="B" a2="C"/>
<macroOutput a0="M"/><construction>
<element type="point" label="A"><coords x="0" y="0" z="1"/></element>
<element type="point" label="B"><coords x="1" y="0" z="1"/></element>
<element type="point" label="C"><coords x="0" y="1" z="1"/></element>
<command name="LineBisector"><input a0="A" a1="B"/><output a0="g"/></command>
<command name="LineBisector"><input a0="B" a1="C"/><output a0="h"/></command>
<command name="Intersect"><input a0="g" a1="h"/><output a0="M"/></command>
</construction></macro>
<macro cmdName="Midpoint"><macroInput a0="A" a1="B"/><macroOutput a0="D"/><construction>
<element type="point" label="A"><coords x="0" y="0" z="1"/></element>
<element type="point" label="B"><coords x="1" y="0" z="1"/></element>
<command name="Dilate"><input a0="B" a1="2" a2="A"/><output a0="D"/></command>
</construction></macro></geogebra>)";
    const std::string body = point("P", 0, 0) + point("Q", 4, 0) + point("R", 0, 2) + R"(
<command name="Centre"><input a0="P" a1="Q" a2="R"/><output a0="O"/></command>
<element type="point" label="O"><show object="true" label="true"/><coords x="2" y="1" z="1"/></element>
<command name="Centre"><input a0="Q" a1="R" a2="O"/><output a0="O2"/></command>
<command name="Midpoint"><input a0="P" a1="Q"/><output a0="F"/></command>
<element type="point" label="F"><coords x="8" y="0" z="1"/></element>
<command name="Centre"><input a0="P" a1="Q"/><output a0="bad"/></command>
)";
    filehost().clear();
    const GgbImport r =
        importggb(archive({{"geogebra.xml", construction(body)}, {"geogebra_macro.xml", macros}}));
    ASSERT_EQ(r.Error, "");
    EXPECT_TRUE(r.Mismatches.empty()) << r.Mismatches[0];
    ASSERT_EQ(r.Dropped.size(), 1u);
    EXPECT_EQ(r.Dropped[0].line(), "bad = Centre[P, Q]: the tool takes 3 inputs");
    ASSERT_TRUE(at("O") && at("O2") && at("F"));
    EXPECT_NEAR(at("O")->x(), 2, 1e-12);
    EXPECT_NEAR(at("O")->y(), 1, 1e-12);
    EXPECT_TRUE(at("O")->showname);
    EXPECT_FALSE(at("O")->ishidden);
    EXPECT_NEAR(at("F")->x(), 8, 1e-12) << "the file's Midpoint doubles";
    // The tool's own objects (two bisectors a use) are hidden, as O2 is,
    // which has no style in the file; they follow the use's.
    int hidden = 0;
    for (Object* o = objects.first(); o; o = o->next()) hidden += o->ishidden ? 1 : 0;
    EXPECT_EQ(hidden, 5);
    at("Q")->set(6, 0);
    objects.update();
    EXPECT_NEAR(at("O")->x(), 3, 1e-12);
    // A tool that uses itself ends.
    const std::string loop = R"(<geogebra><macro cmdName="Loop"><macroInput a0="A"/>
<macroOutput a0="B"/><construction><element type="point" label="A"><coords x="0" y="0" z="1"/></element>
<command name="Loop"><input a0="A"/><output a0="B"/></command></construction></macro></geogebra>)";
    filehost().clear();
    const GgbImport l = importggbxml(
        construction(point("P", 0, 0) +
                     R"(<command name="Loop"><input a0="P"/><output a0="X"/></command>)"),
        loop);
    ASSERT_EQ(l.Dropped.size(), 1u);
    EXPECT_EQ(l.Dropped[0].Label, "X");
}

TEST_F(Ggb, CheckBoxesAndConditionsOfShowing) {
    const std::string body = point("A", 0, 0) + point("B", 3, 0) + R"(
<element type="boolean" label="b"><value val="false"/><caption val="Show the circle"/>
 <show object="true" label="true"/><absoluteScreenLocation x="100" y="50"/></element>
<command name="Circle"><input a0="A" a1="B"/><output a0="c"/></command>
<element type="conic" label="c"><show object="true" label="false"/><condition showObject="b"/></element>
<command name="Distance"><input a0="A" a1="B"/><output a0="d"/></command>
<command name="Segment"><input a0="A" a1="B"/><output a0="s"/></command>
<element type="segment" label="s"><condition showObject="d &#8805; 2 &#8743; b"/></element>
<command name="Midpoint"><input a0="A" a1="B"/><output a0="M"/></command>
<element type="point" label="M"><condition showObject="d &#8805; 2"/><coords x="1.5" y="0" z="1"/></element>
)";
    const GgbImport r = open(body);
    ASSERT_EQ(r.Error, "");
    EXPECT_TRUE(r.Dropped.empty()) << r.Dropped[0].line();
    ASSERT_EQ(r.Notes.size(), 1u) << "and or or are no part of a condition";
    EXPECT_EQ(r.Notes[0].rfind("s: shown always", 0), 0u) << r.Notes[0];
    ASSERT_TRUE(find("b") && find("c") && find("s") && find("M"));
    EXPECT_FALSE(find("c")->conditionholds()) << "the box is off";
    EXPECT_TRUE(find("s")->conditionholds());
    EXPECT_TRUE(find("M")->conditionholds());
    at("B")->set(1, 0);
    objects.update();
    EXPECT_FALSE(find("M")->conditionholds());
    const std::string text = ::construction();
    EXPECT_NE(text.find(R"("b"(x:-6,y:5)=checkbox(0,"Show the circle");)"), std::string::npos)
        << text;
}

TEST_F(Ggb, LinesAndCirclesGivenByTheirEquations) {
    const std::string body = R"(
<element type="line" label="f"><coords x="2" y="-1" z="1"/></element>
<element type="conic" label="k"><matrix A0="2" A1="2" A2="-6" A3="0" A4="-2" A5="4"/></element>
<element type="conic" label="e"><matrix A0="1" A1="4" A2="-4" A3="0" A4="0" A5="0"/></element>
<element type="line" label="z"><coords x="0" y="0" z="1"/></element>
<command name="Intersect"><input a0="f" a1="k"/><output a0="S" a1="T"/></command>
<element type="point" label="P"><coords x="5" y="-2" z="1"/></element>
<command name="Tangent"><input a0="P" a1="k"/><output a0="t1" a1="t2"/></command>
<element type="line" label="t2"><coords x="1" y="1" z="-3"/></element>
)";
    const GgbImport r = open(body);
    ASSERT_EQ(r.Error, "");
    EXPECT_TRUE(r.Mismatches.empty()) << r.Mismatches[0];
    ASSERT_EQ(r.Dropped.size(), 2u) << r.Dropped[1].line();
    EXPECT_EQ(r.Dropped[0].line(), "Conic e: conics other than circles are not supported");
    EXPECT_EQ(r.Dropped[1].line(), "Line z: it has no equation");
    // The circle x^2 + y^2 - 2x + 4y - 3 = 0 about (1, -2), radius sqrt(8),
    // and y = 2 x + 1 cross where both hold.
    ASSERT_TRUE(at("S") && at("T"));
    for (Pointprim* p : {at("S"), at("T")}) {
        EXPECT_NEAR(p->y(), 2 * p->x() + 1, 1e-9);
        EXPECT_NEAR(std::hypot(p->x() - 1, p->y() + 2), std::sqrt(8.0), 1e-9);
    }
    // The tangent GeoGebra calls t2 touches at (3, 0), whichever Gyrel
    // made second.
    auto* t2 = dynamic_cast<Lineprim*>(find("t2"));
    ASSERT_TRUE(t2);
    EXPECT_NEAR(t2->distance(3, 0), 0, 1e-9);
}

} // namespace
