#include "circle.h"
#include "constructionfile.h"
#include "control.h"
#include "files.h"
#include "io.h"
#include "json.h"
#include "locus.h"
#include "number.h"
#include "objectlist.h"
#include "point.h"
#include "region.h"
#include "text.h"

#include <cmath>
#include <gtest/gtest.h>
#include <string>

namespace {

struct NumberRecords : ::testing::Test {
    void SetUp() override { filehost().clear(); }
    void TearDown() override { filehost().clear(); }
    static Failure read(const std::string& text) {
        filehost().clear();
        return readconstruction(text);
    }
    static Object* find(const char* name) { return objects.find(name, 0, nullptr); }
    static double value(const char* name) { return static_cast<Number*>(find(name))->value(); }
    // The records of a construction, without the view line.
    static std::string records() {
        std::string s = construction();
        return s.substr(s.find('\n') + 1);
    }
};

const std::string head = R"("A"()=point(0.000000000000000,0.000000000000000);
"B"()=point(3.000000000000000,4.000000000000000);
"C"()=point(3.000000000000000,0.000000000000000);
"w1"()=angle("C","A","B");
"w2"()=angle("A","B","C");
"w3"()=angle("B","C","A");
"P"()=polygon("A","C","B");
)";

} // namespace

TEST_F(NumberRecords, EveryNumberRecordRoundTripsByteForByte) {
    const std::string numbers =
        R"("a1"()=anglesize("w1");
"a2"()=anglesize("w2");
"a3"()=anglesize("w3");
"F"()=area("P");
"sum"(x:-6.5,y:6,dx:3,decimals:4)=calculate("a1 + a2 + a3");
"r"(x:-6,y:5)=slider(2,0,10,0.5);
"k"()=circleradius("A","r");
"k2"(dotted)=circleradius("B",1.25);
"b"(x:-6,y:4)=checkbox(1,"Show the \"heights\" \\ all");
"t"(showif:b)=text("Area of ABC: {F} cm²\nsum {sum}",1,-2);
"u"("showif:F >= 5",dx:4,dy:-3)=text("{a1}","A");
"v"()=rotate("C","A","a1");
"e"()=dilate("B","A","r");
)";
    ASSERT_EQ(read(head + numbers).Line, 0) << read(head + numbers).Reason;
    const std::string first = records();
    EXPECT_NE(first.find(numbers), std::string::npos) << first;
    ASSERT_EQ(read(construction()).Line, 0);
    EXPECT_EQ(records(), first);

    EXPECT_NEAR(value("sum"), 180, 1e-12);
    EXPECT_EQ(value("r"), 2);
    EXPECT_EQ(static_cast<Circle*>(find("k"))->r(), 2);
    EXPECT_EQ(static_cast<Circle*>(find("k2"))->r(), 1.25);
    auto* t = static_cast<Text*>(find("t"));
    EXPECT_EQ(t->shown(), "Area of ABC: 6.00 cm²\nsum 180.0000");
    EXPECT_EQ(static_cast<CheckBox*>(find("b"))->Caption, "Show the \"heights\" \\ all");
    EXPECT_FALSE(t->hidden());
    EXPECT_FALSE(find("u")->hidden()) << "the area 6 is above 5";

    const std::string json = constructionjson();
    for (
        const char* part :
        {R"("name": "sum", "kind": "calculate", "parents": ["a1", "a2", "a3"], "hidden": false, "valid": true, "value": )",
         R"("name": "t", "kind": "text", "parents": ["F", "sum", "b"], "hidden": false, "valid": true, "text": "Area of ABC: 6.00 cm²\nsum 180.0000"})",
         R"("name": "k", "kind": "circleradius", "parents": ["A", "r"])",
         R"("name": "r", "kind": "slider", "parents": [], "hidden": false, "valid": true, "value": 2})"})
        EXPECT_NE(json.find(part), std::string::npos) << part << "\n" << json;
    static_cast<CheckBox*>(find("b"))->click();
    EXPECT_TRUE(t->hidden());
}

TEST_F(NumberRecords, BrokenNumberRecordsFailAsBrokenRecords) {
    const std::string numbers = R"("F"()=area("P");
"r"()=slider(2,0,10,0.5);
)";
    for (const char* bad : {
             R"("x"()=calculate("F*");)",           // no expression
             R"("x"()=calculate("x+1");)",          // itself
             R"("x"()=calculate("later");)",        // no earlier number
             R"("x"()=calculate("A");)",            // a point is no number
             R"("x"()=calculate(F);)",              // not quoted: a name, not an expression
             R"("x"()=slider(2,10,0,1);)",          // minimum above maximum
             R"("x"()=slider(2,0,10,0);)",          // no step
             R"("x"()=slider(2,0,10,-1);)",         // negative step
             R"("x"()=slider(2,0,inf,1);)",         // no finite range
             R"("x"()=slider(2,0,10);)",            // too few
             R"("x"()=checkbox(2,"c");)",           // neither on nor off
             R"("x"()=checkbox(1);)",               // no caption
             R"("x"()=text("t",1);)",               // no place
             R"("x"()=text("t","F");)",             // no point
             R"("x"()=circleradius("A","P");)",     // no number
             R"("x"()=circleradius("A",nan);)",     //
             R"("x"(showif:F>)=point(1,1);)",       // broken condition
             R"("x"(showif:x>1)=slider(1,0,2,1);)", // a condition on itself
             R"("x"(decimals:11)=calculate("1");)", // too many places
         }) {
        Failure f = read(head + numbers + bad + "\n");
        EXPECT_EQ(f.Line, 10) << bad;
        EXPECT_FALSE(find("x")) << bad;
    }
    // A long condition, and one whose number got a long name, read back.
    ASSERT_EQ(read(head + numbers + "\"x\"()=point(1,1);\n").Line, 0);
    std::string why;
    Object* x = find("x");
    ASSERT_TRUE(
        x->condition("F > 1 + 2 + 3 + 4 + 5 + 6 + 7 + 8 + 9 + 10 + 11 + 12 + 13 + 14", why));
    find("F")->setname(std::string(60, 'F').c_str());
    const std::string saved = records();
    ASSERT_EQ(read(construction()).Line, 0) << saved;
    EXPECT_EQ(records(), saved);
    EXPECT_EQ(find("x")->condition().substr(0, 62), std::string(60, 'F') + " >");
    // A slider's value outside its range is moved into it, onto a step.
    ASSERT_EQ(read(head + "\"s\"()=slider(12,0,10,3);\n\"s2\"()=slider(0.31,0,1,0.1);\n").Line, 0);
    EXPECT_EQ(value("s"), 9);
    EXPECT_EQ(value("s2"), 0.3);
    // A long text with every escape, and one of 10,000 characters.
    std::string longtext(10000, 'x');
    ASSERT_EQ(read(head + "\"t\"()=text(\"" + longtext + "\",0,0);\n").Line, 0);
    EXPECT_EQ(static_cast<Text*>(find("t"))->source(), longtext);
    EXPECT_NE(read(head + "\"t\"()=text(\"" + longtext + "y\",0,0);\n").Line, 0);
}

TEST_F(NumberRecords, ARegularPolygonCountsItsVerticesByANumber) {
    const std::string records = R"("n"(x:-6,y:6)=slider(6,1,120,1);
"R"()=regularpolygon("A","C","n");
"G"()=area("R");
)";
    ASSERT_EQ(read(head + records).Line, 0);
    EXPECT_NE(construction().find(records), std::string::npos) << construction();
    auto* p = static_cast<RegularPolygon*>(find("R"));
    EXPECT_EQ(p->vertices(), 6);
    EXPECT_TRUE(p->Vertices.empty()) << "no vertices of its own";
    EXPECT_NEAR(value("G"), 6 * 9 * std::sqrt(3.0) / 4, 1e-9);
    auto* n = static_cast<Slider*>(find("n"));
    n->setvalue(4);
    objects.update();
    EXPECT_NEAR(value("G"), 9, 1e-9);
    for (double outside : {2.0, 101.0}) {
        n->setvalue(outside);
        objects.update();
        EXPECT_FALSE(p->valid) << outside;
        EXPECT_FALSE(find("G")->valid);
    }
    n->setvalue(3);
    objects.update();
    EXPECT_TRUE(p->valid);
    // With a number, the record has the polygon alone.
    EXPECT_NE(
        read(head +
             "\"n\"()=slider(6,1,120,1);\n\"R\"(),\"Q\"()=regularpolygon(\"A\",\"C\",\"n\");\n")
            .Line,
        0);
}

TEST_F(NumberRecords, ALocusRoundTripsAndRefusesWhatCannotDriveIt) {
    const std::string records = R"("O"()=point(0.000000000000000,0.000000000000000);
"E"()=point(1.000000000000000,0.000000000000000);
"k"()=circle("O","E");
"Q"()=pointon("k",0,1);
"F"()=point(4.000000000000000,0.000000000000000);
"M"()=middle("F","Q");
"L"(color:blue,thick,samples:500)=locus("M","Q");
)";
    ASSERT_EQ(read(records).Line, 0) << read(records).Reason;
    EXPECT_NE(construction().find(records), std::string::npos) << construction();
    ASSERT_EQ(read(construction()).Line, 0);
    EXPECT_NE(construction().find(records), std::string::npos);
    auto* l = static_cast<Locus*>(find("L"));
    EXPECT_EQ(l->Limit, 500);
    const std::string json = constructionjson();
    EXPECT_NE(
        json.find(
            R"("name": "L", "kind": "locus", "parents": ["M", "Q"], "hidden": false, "valid": true, "points": [[2.5, 0], )"),
        std::string::npos)
        << json;
    for (const char* bad :
         {R"("x"()=locus("M","F");)", R"("x"()=locus("F","Q");)", R"("x"()=locus("k","Q");)",
          R"("x"()=locus("M","M");)", R"("x"(samples:9)=locus("M","Q");)",
          R"("x"(samples:100001)=locus("M","Q");)"}) {
        EXPECT_EQ(read(records + bad + "\n").Line, 8) << bad;
        EXPECT_FALSE(find("x")) << bad;
    }
}
