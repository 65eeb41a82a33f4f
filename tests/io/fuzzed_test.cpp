// Every input the fuzzer kept, and the seed files, read as the fuzzer reads
// them: no crash, and what was read saves and reads back the same.
#include "importanything.h"
#include "kept.h"
#include "readanything.h"

TEST(Fuzzed, KeptInputsReadSafelyAndBackAgain) {
    Silent silent;
    Answerer* before = Answerer::install(&silent);
    int n = keptinputs(GYREL_FUZZ_DIR, [](const std::string& bytes, const std::string& name) {
        EXPECT_EQ(readanything(bytes), 0) << name;
    });
    Answerer::install(before);
    EXPECT_GE(n, 8);
}

TEST(Fuzzed, KeptGeoGebraInputsImportSafelyAndReadBack) {
    Silent silent;
    Answerer* before = Answerer::install(&silent);
    int n = keptinputs(GYREL_GGBFUZZ_DIR, [](const std::string& bytes, const std::string& name) {
        EXPECT_EQ(importanything(bytes), 0) << name;
    });
    Answerer::install(before);
    EXPECT_GE(n, 14);
}
