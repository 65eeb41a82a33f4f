// Every macro file the fuzzer kept, and the seed files, read as the fuzzer
// reads them: no crash, and what was read saves and reads back the same.
#include "kept.h"
#include "readmacro.h"

TEST(FuzzedMacros, KeptInputsReadSafelyAndBackAgain) {
    int n = keptinputs(GYREL_FUZZ_DIR, [](const std::string& bytes, const std::string& name) {
        EXPECT_EQ(readanymacro(bytes), 0) << name;
    });
    EXPECT_GE(n, 3);
}
