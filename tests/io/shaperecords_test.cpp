#include "arc.h"
#include "constructionfile.h"
#include "io.h"
#include "json.h"
#include "objectlist.h"
#include "region.h"
#include "transform.h"

#include <QFile>
#include <cmath>
#include <gtest/gtest.h>
#include <string>

namespace {

struct ShapeRecords : ::testing::Test {
    void SetUp() override { filehost().clear(); }
    void TearDown() override { filehost().clear(); }
    static Failure read(const std::string& text) {
        filehost().clear();
        return readconstruction(text);
    }
    static Object* find(const char* name) { return objects.find(name, 0, nullptr); }
};

// Every record of the shapes with flags, and the maps of each.
const char* const shapes = R"("A"()=point(0.000000000000000,0.000000000000000);
"B"()=point(2.000000000000000,0.000000000000000);
"C"()=point(2.000000000000000,2.000000000000000);
"D"()=point(0.000000000000000,2.000000000000000);
"P"(color:blue,thick)=polygon("A","B","C","D");
"Segment_1"()=segment("A","B");
"Segment_2"()=segment("B","C");
"Segment_3"()=segment("C","D");
"Segment_4"()=segment("D","A");
"H"(showname,unfilled),"H3"(),"H4"(hidden),"H5"(),"H6"(symbol:cross)=regularpolygon("A","B",6);
"T"(dotted),"T3"()=regularpolygon("C","D",3);
"M"()=point(-2.000000000000000,-2.000000000000000);
"a"(color:green)=arc3("A","D","M");
"b"(dotted)=arc("M","A","B");
"c"(hidden)=semicircle("A","B");
"s"(unfilled,thick)=sector("M","B","D");
"t"(color:cyan)=sector3("B","D","M");
"g"()=line("A","D");
"P'"()=reflect("P","g");
"b'"()=rotate("b","M",90);
"c'"()=translate("c","A","C");
"s'"()=dilate("s","M",-0.5);
"H'"()=reflect("H","M");
)";

} // namespace

TEST_F(ShapeRecords, EveryShapeRecordRoundTripsByteForByte) {
    Failure f = read(shapes);
    ASSERT_EQ(f.Line, 0) << f.Text << " " << f.Reason;
    std::string first = construction();
    if (qEnvironmentVariableIsSet("GYREL_CORPUS")) {
        QFile out(qgetenv("GYREL_CORPUS") + "/shapes.gyr");
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(first.data(), static_cast<qint64>(first.size()));
    }
    EXPECT_NE(first.find(shapes), std::string::npos) << first;
    ASSERT_EQ(read(first).Line, 0);
    std::string again = construction();
    EXPECT_EQ(again.substr(again.find('\n')), first.substr(first.find('\n')));
    auto* h = static_cast<RegularPolygon*>(find("H"));
    EXPECT_FALSE(h->Filled);
    EXPECT_TRUE(h->showname);
    EXPECT_EQ(find("H4")->ishidden, 1);
    EXPECT_EQ(static_cast<Pointprim*>(find("H6"))->Symbol, 1);
    EXPECT_EQ(find("H6")->original(), h);
    EXPECT_EQ(static_cast<Region*>(find("P"))->Linetype, 1);
    EXPECT_FALSE(static_cast<Sector*>(find("s"))->Filled);
    EXPECT_EQ(find("P'")->objectclass(), CRegion);
    EXPECT_EQ(find("b'")->objectclass(), CCircle | CArc);
    EXPECT_EQ(find("s'")->objectclass(), CRegion);
    EXPECT_NEAR(static_cast<Region*>(find("H'"))->area(), h->area(), 1e-14);
    for (Object* o = objects.first(); o; o = o->next()) EXPECT_TRUE(o->valid) << o->name();
}

TEST_F(ShapeRecords, BadShapeRecordsFailAtTheirLine) {
    const std::string head = "\"A\"()=point(0,0);\n\"B\"()=point(1,0);\n\"C\"()=point(0,1);\n"
                             "\"c\"()=circle(\"A\",\"B\");\n\"g\"()=line(\"A\",\"B\");\n"
                             "\"alpha\"()=angle(\"B\",\"A\",\"C\");\n";
    const char* const bad[] = {
        "\"P\"()=polygon(\"A\",\"B\");",
        "\"P\"()=polygon(\"A\",\"B\",\"B\",\"C\");",
        "\"P\"()=polygon(\"A\",\"B\",\"C\",\"A\");",
        "\"P\"()=polygon(\"A\",\"B\",\"g\");",
        "\"P\"(),\"Q\"()=polygon(\"A\",\"B\",\"C\");",
        "\"P\"(fixed)=polygon(\"A\",\"B\",\"C\");",
        "\"P\"(),\"Q\"()=regularpolygon(\"A\",\"B\",2);",
        "\"P\"()=regularpolygon(\"A\",\"B\",3);",
        "\"P\"(),\"Q\"(),\"R\"()=regularpolygon(\"A\",\"B\",3);",
        "\"P\"(),\"Q\"()=regularpolygon(\"A\",\"B\",3.5);",
        "\"P\"(),\"Q\"()=regularpolygon(\"A\",\"B\",x);",
        "\"P\"(),\"Q\"()=regularpolygon(\"A\",\"A\",3);",
        "\"P\"(),\"Q\"()=regularpolygon(\"A\",\"B\",nan);",
        "\"P\"(),\"Q\"()=regularpolygon(\"A\",\"B\",101);",
        "\"P\"(),\"A\"()=regularpolygon(\"A\",\"B\",3);",
        "\"a\"()=arc3(\"A\",\"B\");",
        "\"a\"()=arc(\"A\",\"B\",\"c\");",
        "\"a\"(uncomplete)=arc(\"A\",\"B\",\"C\");",
        "\"a\"()=semicircle(\"A\",\"B\",\"C\");",
        "\"s\"()=sector(\"A\",\"B\");",
        "\"s\"(fixed)=sector(\"A\",\"B\",\"C\");",
        "\"t\"()=sector3(\"A\",\"B\");",
        "\"t\"()=sector3(\"A\",\"B\",\"g\");",
        "\"X\"()=reflect(\"alpha\",\"g\");",
    };
    for (const char* line : bad) {
        Failure f = read(head + line + "\n\"Z\"()=point(3,3);\n");
        EXPECT_EQ(f.Line, 7) << line;
        EXPECT_FALSE(find("Z")) << line;
        EXPECT_EQ(objects.count(), 6) << line << ": what the record made went again";
    }
    // A polygon of 1,000 vertices is read; one of 1,001 is not.
    std::string many, names;
    for (int i = 0; i < 1001; ++i) {
        many += "\"V" + std::to_string(i) + "\"()=point(" + std::to_string(std::cos(i)) + "," +
                std::to_string(std::sin(i)) + ");\n";
        if (i < 1000) names += std::string(i ? "," : "") + "\"V" + std::to_string(i) + "\"";
    }
    ASSERT_EQ(read(many + "\"P\"()=polygon(" + names + ");\n").Line, 0);
    EXPECT_EQ(static_cast<Region*>(find("P"))->vertices(), 1000);
    EXPECT_EQ(read(many + "\"P\"()=polygon(" + names + ",\"V1000\");\n").Line, 1002);
    // A regular 100-gon has 98 items after the polygon.
    std::string items = "\"P\"()";
    for (int i = 0; i < 98; ++i) items += ",\"Q" + std::to_string(i) + "\"()";
    ASSERT_EQ(read(head + items + "=regularpolygon(\"A\",\"B\",100);\n").Line, 0);
    EXPECT_TRUE(find("Q97"));
}

TEST_F(ShapeRecords, JsonGivesTheMeasuresOfShapes) {
    ASSERT_EQ(read(shapes).Line, 0);
    std::string json = constructionjson();
    for (
        const char* part :
        {R"({"name": "P", "kind": "polygon", "parents": ["A", "B", "C", "D"], "hidden": false, "valid": true, "vertices": [[0, 0], [2, 0], [2, 2], [0, 2]], "area": 4, "perimeter": 8})",
         R"({"name": "b", "kind": "arc", "parents": ["M", "A", "B"], "hidden": false, "valid": true, "center": [-2, -2], "radius": 2.8284271247461903, "from_degrees": 45, "to_degrees": 26.56505117707799, "length": 16.86148375717588})",
         R"({"name": "c", "kind": "semicircle", "parents": ["A", "B"], "hidden": true, "valid": true, "center": [1, 0], "radius": 1, "from_degrees": 0, "to_degrees": 180, "length": 3.141592653589793})",
         R"("kind": "sector", "parents": ["M", "B", "D"], "hidden": false, "valid": true, "center": [-2, -2])",
         R"({"name": "H3", "kind": "regularpolygon", "parents": ["H"], "hidden": false, "valid": true, "x": 3, "y": 1.7320508075688772})"})
        EXPECT_NE(json.find(part), std::string::npos) << part << "\n" << json;
}
