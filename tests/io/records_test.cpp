#include "bitmapps.h"
#include "constructed.h"
#include "constructionfile.h"
#include "files.h"
#include "io.h"
#include "json.h"
#include "objectlist.h"
#include "transform.h"
#include "view.h"

#include <QFile>
#include <cmath>
#include <gtest/gtest.h>
#include <string>

namespace {

struct Records : ::testing::Test {
    void SetUp() override { filehost().clear(); }
    void TearDown() override { filehost().clear(); }
    static Failure read(const std::string& text) {
        filehost().clear();
        return readconstruction(text);
    }
    static Object* find(const char* name) { return objects.find(name, 0, nullptr); }
    static Pointprim* point(const char* name) { return static_cast<Pointprim*>(find(name)); }
};

// Every new record with flags, each kind of original for the maps, and the
// maps' every form.
const char* const everyrecord = R"("A"()=point(0.000000000000000,0.000000000000000);
"B"()=point(4.000000000000000,0.000000000000000);
"C"(symbol:circle)=point(0.000000000000000,3.000000000000000);
"k"(color:blue,uncomplete,thick)=circlethrough("A","B","C");
"w"(showname,dotted)=bisector("B","A","C");
"m"(hidden)=midperpendicular("A","B");
"P"()=point(5.000000000000000,0.000000000000000);
"M"()=point(0.000000000000000,0.000000000000000);
"R"()=point(1.000000000000000,0.000000000000000);
"c"()=circle("M","R");
"t1"(color:green),"t2"(hidden)=tangents("P","c");
"v"(thick,showlength)=vector("A","C");
"g"()=line("M","P");
"A1"(symbol:cross)=reflect("C","g");
"A2"()=reflect("k","M");
"alpha"()=angle("B","A","C");
"A3"()=rotate("C","M",60);
"A4"(showname)=rotate("m","M","alpha");
"A5"()=translate("c","A","B");
"A6"()=translate("w","v");
"A7"()=dilate("v","M",-2.5);
"A8"()=dilate("A7","P",0.001);
"A9"()=reflect("t2","A1");
)";

} // namespace

TEST_F(Records, EveryNewRecordRoundTripsByteForByte) {
    Failure f = read(everyrecord);
    ASSERT_EQ(f.Line, 0) << f.Text << " " << f.Reason;
    std::string first = construction();
    if (qEnvironmentVariableIsSet("GYREL_CORPUS")) {
        QFile out(qgetenv("GYREL_CORPUS") + "/new-kinds.gyr");
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(first.data(), static_cast<qint64>(first.size()));
    }
    // The records come back exactly as they were written, after the view.
    EXPECT_NE(first.find(everyrecord), std::string::npos) << first;
    f = read(first);
    ASSERT_EQ(f.Line, 0) << f.Text;
    // (Reading the view line widens it by a margin; the records stay.)
    std::string again = construction();
    EXPECT_EQ(again.substr(again.find('\n')), first.substr(first.find('\n')));
    // The kinds, flags and values came back.
    EXPECT_FALSE(static_cast<Circle*>(find("k"))->Complete);
    EXPECT_EQ(find("t2")->ishidden, 1);
    EXPECT_EQ(find("t2")->original(), find("t1"));
    EXPECT_EQ(find("A4")->objectclass(), CStraight);
    EXPECT_EQ(find("A7")->objectclass(), CStraight | CSegment | CVector);
    EXPECT_EQ(find("A2")->objectclass(), CCircle);
    EXPECT_EQ(point("A1")->Symbol, 1);
    EXPECT_NEAR(point("A3")->x(), 0 - 3 * std::sqrt(3) / 2, 1e-15);
    auto* a7 = static_cast<Lineprim*>(find("A7"));
    EXPECT_NEAR(a7->x1(), 0, 1e-15);
    EXPECT_NEAR(a7->y1(), -7.5, 1e-15);
    for (Object* o = objects.first(); o; o = o->next()) EXPECT_TRUE(o->valid) << o->name();
}

TEST_F(Records, BadRecordsFailAtTheirLine) {
    const std::string head = "\"A\"()=point(0,0);\n\"B\"()=point(1,0);\n\"C\"()=point(0,1);\n"
                             "\"c\"()=circle(\"A\",\"B\");\n\"g\"()=line(\"A\",\"B\");\n"
                             "\"alpha\"()=angle(\"B\",\"A\",\"C\");\n";
    const char* const bad[] = {
        "\"k\"()=circlethrough(\"A\",\"B\");",
        "\"k\"()=circlethrough(\"A\",\"B\",\"g\");",
        "\"k\"(),\"l\"()=circlethrough(\"A\",\"B\",\"C\");",
        "\"w\"()=bisector(\"A\",\"B\",\"C\",\"A\");",
        "\"m\"()=midperpendicular(\"A\",\"c\");",
        "\"t\"()=tangents(\"A\",\"c\");",
        "\"t\"(),\"u\"()=tangents(\"A\",\"g\");",
        "\"t\"(),\"u\"()=tangents(\"c\",\"A\");",
        "\"v\"()=vector(\"A\");",
        "\"X\"()=reflect(\"A\",\"c\");",
        "\"X\"()=reflect(\"alpha\",\"g\");",
        "\"X\"()=reflect(\"A\",\"g\",\"B\");",
        "\"X\"()=rotate(\"A\",\"B\");",
        "\"X\"()=rotate(\"A\",\"g\",60);",
        "\"X\"()=rotate(\"A\",\"B\",\"beta\");",
        "\"X\"()=rotate(\"A\",\"B\",inf);",
        "\"X\"()=rotate(\"A\",\"B\",nan);",
        "\"X\"()=translate(\"A\",\"g\");",
        "\"X\"()=translate(\"A\",\"B\",\"g\");",
        "\"X\"()=translate(\"A\",\"B\",\"C\",\"A\");",
        "\"X\"()=dilate(\"A\",\"B\");",
        "\"X\"()=dilate(\"A\",\"B\",\"alpha\");",
        "\"X\"()=dilate(\"A\",\"B\",1e999);",
        "\"X\"()=dilate(\"nothing\",\"B\",2);",
        "\"X\"()=translate(\"A\",\"B\",\"X\");",
        "\"X\"(fixed)=dilate(\"c\",\"B\",2);",
        "\"A\"()=reflect(\"B\",\"g\");",
    };
    for (const char* line : bad) {
        Failure f = read(head + line + "\n\"Z\"()=point(3,3);\n");
        EXPECT_EQ(f.Line, 7) << line;
        EXPECT_FALSE(find("Z")) << line;
        EXPECT_EQ(objects.count(), 6) << line << ": what the record made went again";
    }
    Failure f = read(head + "\"A\"()=reflect(\"B\",\"g\");\n");
    EXPECT_EQ(f.Reason, "the name A is used twice");
}

TEST_F(Records, RotationsTakeAnAngleOrANumber) {
    const std::string head =
        "\"O\"()=point(0,0);\n\"E\"()=point(1,0);\n\"F\"()=point(0,1);\n"
        "\"60\"()=angle(\"E\",\"O\",\"F\");\n\"alpha\"()=angle(\"E\",\"O\",\"F\");\n";
    // A quoted name is an angle first; a bare word a number first.
    ASSERT_EQ(read(head + "\"X\"()=rotate(\"E\",\"O\",\"60\");\n").Line, 0);
    EXPECT_NEAR(point("X")->y(), 1, 1e-15);
    ASSERT_EQ(read(head + "\"X\"()=rotate(\"E\",\"O\",60);\n").Line, 0);
    EXPECT_NEAR(point("X")->y(), std::sqrt(3) / 2, 1e-15);
    ASSERT_EQ(read(head + "\"X\"()=rotate(\"E\",\"O\",alpha);\n").Line, 0);
    EXPECT_NEAR(point("X")->y(), 1, 1e-15);
    ASSERT_EQ(read(head + "\"X\"()=rotate(\"E\",\"O\",\"30\");\n").Line, 0);
    EXPECT_NEAR(point("X")->y(), 0.5, 1e-15) << "no angle 30: the number";
    ASSERT_EQ(read(head + "\"X\"()=rotate(\"E\",\"O\",-1e3);\n").Line, 0);
    EXPECT_NE(construction().find("=rotate(\"E\",\"O\",-1000);"), std::string::npos);
}

TEST_F(Records, JsonGivesTheNumbersOfTheNewKinds) {
    ASSERT_EQ(read(everyrecord).Line, 0);
    std::string json = constructionjson();
    for (
        const char* part :
        {R"({"name": "k", "kind": "circlethrough", "parents": ["A", "B", "C"], "hidden": false, "valid": true, "center": [2, 1.5], "radius": 2.5})",
         R"("kind": "tangents", "parents": ["P", "c"], "hidden": false, "valid": true, "points": [[0.2, 0.9797958971132712], [5, 0]])",
         R"({"name": "t2", "kind": "tangents", "parents": ["t1", "P", "c"], "hidden": true, "valid": true, "points": [[0.2, -0.9797958971132712], [5, 0]])",
         R"({"name": "A5", "kind": "translate", "parents": ["c", "A", "B"], "hidden": false, "valid": true, "center": [4, 0], "radius": 1})",
         R"("kind": "vector", "parents": ["A", "C"], "hidden": false, "valid": true, "points": [[0, 0], [0, 3]])",
         R"("vector": [0, 3])"})
        EXPECT_NE(json.find(part), std::string::npos) << part << "\n" << json;
}

TEST_F(Records, MeasuresRoundTripAndRefuseWhatTheyCannotMeasure) {
    const std::string head = R"("A"()=point(0.000000000000000,0.000000000000000);
"B"()=point(3.000000000000000,4.000000000000000);
"C"()=point(3.000000000000000,0.000000000000000);
"s"()=segment("A","B");
"k"()=circle("A","C");
"w"()=angle("C","A","B");
"P"()=polygon("A","C","B");
"g"()=line("A","B");
)";
    const std::string numbers = R"("d"(color:blue)=distance("A","B");
"l"()=length("s");
"r"(hidden)=radius("k");
"alpha"()=anglesize("w");
"F"()=area("P");
"u"()=perimeter("k");
"m"()=slope("g");
)";
    ASSERT_EQ(read(head + numbers).Line, 0);
    std::string first = construction();
    EXPECT_NE(first.find(numbers), std::string::npos) << first;
    ASSERT_EQ(read(first).Line, 0);
    EXPECT_EQ(construction().substr(construction().find('\n')), first.substr(first.find('\n')));
    std::string json = constructionjson();
    for (
        const char* part :
        {R"("name": "d", "kind": "distance", "parents": ["A", "B"], "hidden": false, "valid": true, "value": 5})",
         R"("name": "F", "kind": "area", "parents": ["P"], "hidden": false, "valid": true, "value": 6})",
         R"("name": "m", "kind": "slope", "parents": ["g"], "hidden": false, "valid": true, "value": 1.3333333333333335})"})
        EXPECT_NE(json.find(part), std::string::npos) << part << "\n" << json;
    for (const char* bad :
         {"\"x\"()=distance(\"A\",\"s\");", "\"x\"()=length(\"g\");", "\"x\"()=radius(\"s\");",
          "\"x\"()=anglesize(\"k\");", "\"x\"()=area(\"g\");", "\"x\"()=perimeter(\"A\");",
          "\"x\"()=slope(\"k\");", "\"x\"()=length(\"s\",\"s\");", "\"x\"(),\"y\"()=radius(\"k\");",
          "\"x\"()=area(\"nothing\");"}) {
        Failure f = read(head + bad + "\n");
        EXPECT_EQ(f.Line, 9) << bad;
        EXPECT_FALSE(find("x")) << bad;
    }
}

TEST_F(Records, ColoursOfAnyValueRoundTripAndCountAsTheNearestNamedOne) {
    const std::string text = R"("P"(color:#ff8800)=point(1.000000000000000,2.000000000000000);
"Q"(color:#12345)=point(0.000000000000000,0.000000000000000);
"R"(color:mauve)=point(0.000000000000000,1.000000000000000);
"S"(color:pink)=point(2.000000000000000,1.000000000000000);
)";
    ASSERT_EQ(read(text).Line, 0);
    EXPECT_EQ(find("P")->color(), ObjectColors::custom(Color(255, 136, 0)));
    EXPECT_EQ(find("Q")->color(), 0) << "not a colour: black";
    EXPECT_EQ(find("R")->color(), 0) << "an unknown name: black";
    EXPECT_EQ(find("S")->color(), 2);
    const std::string back = construction();
    EXPECT_NE(back.find(R"("P"(color:#ff8800)=point()"), std::string::npos) << back;
    EXPECT_NE(back.find(R"("Q"()=point()"), std::string::npos);
    EXPECT_NE(back.find(R"("S"(color:pink)=point()"), std::string::npos);
    // Drawn in its colour in either style, and filtered with pink.
    Window w;
    BitmapPS classic(w, 10, 10), modern(w, 10, 10);
    modern.modern(1);
    EXPECT_EQ(find("P")->drawcolor(classic), Color(255, 136, 0));
    EXPECT_EQ(find("P")->drawcolor(modern), Color(255, 136, 0));
    EXPECT_EQ(ObjectColors::group(find("P")->color()), 2);
    objectcolors.choose(2, 0);
    EXPECT_TRUE(find("P")->hidden());
    EXPECT_FALSE(find("Q")->hidden());
    objectcolors.all();
    EXPECT_FALSE(find("P")->hidden());
}

TEST_F(Records, LabelOffsetsOfEveryKindRoundTrip) {
    const std::string text = R"("A"(showname,dx:12)=point(0.000000000000000,0.000000000000000);
"B"()=point(1.000000000000000,0.000000000000000);
"s"(showlength,dx:-4,dy:7.5)=segment("A","B");
"k"(showname,dy:-1e9)=circle("A","B");
"n"(dx:3)=distance("A","B");
)";
    ASSERT_EQ(read(text).Line, 0);
    EXPECT_EQ(find("A")->LabelDx, 12);
    EXPECT_EQ(find("s")->LabelDx, -4);
    EXPECT_EQ(find("s")->LabelDy, 7.5);
    EXPECT_EQ(find("k")->LabelDy, -1e5) << "held within reach";
    EXPECT_EQ(find("n")->LabelDx, 0) << "a number's own offset is its place";
    const std::string back = construction();
    EXPECT_NE(back.find(R"("A"(showname,dx:12)=point()"), std::string::npos) << back;
    EXPECT_NE(back.find(R"("s"(dx:-4,dy:7.5,showlength)=segment()"), std::string::npos) << back;
    EXPECT_NE(back.find(R"("k"(showname,dy:-1e+05)=circle()"), std::string::npos) << back;
    EXPECT_NE(back.find(R"("n"(dx:3)=distance()"), std::string::npos) << back;
    EXPECT_NE(read(R"("A"(dx:left)=point(0,0);)"
                   "\n")
                  .Line,
              0)
        << "no number, no offset";
}
