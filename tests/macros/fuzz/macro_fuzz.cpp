// libFuzzer entry: the reader of macro files on any input.
#include "gyrstrings.h"
#include "readmacro.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static bool texts = (progstrings = GyrStrings, true);
    (void)texts;
    if (readanymacro(std::string(reinterpret_cast<const char*>(data), size))) std::abort();
    return 0;
}
