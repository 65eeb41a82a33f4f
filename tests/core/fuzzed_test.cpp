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
}
