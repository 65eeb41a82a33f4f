// Every input the expression fuzzer kept, and its seeds, parsed as the
// fuzzer parses them: no crash, and the text written back means the same.
#include "kept.h"
#include "model.h"
#include "parseanything.h"

using FuzzedExpressions = Model;

TEST_F(FuzzedExpressions, KeptInputsParseSafelyAndBackAgain) {
    int n = keptinputs(GYREL_FUZZ_DIR, [](const std::string& bytes, const std::string& name) {
        EXPECT_EQ(parseanything(bytes), 0) << name;
    });
    EXPECT_GE(n, 4);
    // Renamed numbers are written with their new names.
    Expression e;
    ASSERT_TRUE(e.parse("a*a + b", numbersbefore(nullptr)));
    objects.find("a", 0, nullptr)->setname("alpha");
    EXPECT_EQ(e.text(), "alpha*alpha + b");
    // A name that would not read back as a name is written in braces.
    for (const char* name : {"my number", "2a", "x+y", "pi", "r\xc2\xb2"}) {
        objects.find("b", 0, nullptr)->setname(name);
        const std::string written = e.text();
        Expression back;
        ASSERT_TRUE(back.parse(written, numbersbefore(nullptr))) << written << ": " << back.Why;
        EXPECT_EQ(back.names(), e.names()) << written;
        objects.find(name, 0, nullptr)->setname("b");
    }
    EXPECT_EQ(e.text(), "alpha*alpha + b");
}
