// libFuzzer entry: the expression parser on any input.
#include "gyrstrings.h"
#include "parseanything.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool installed = (progstrings = GyrStrings, true);
    (void)installed;
    if (parseanything(std::string(reinterpret_cast<const char*>(data), size))) std::abort();
    return 0;
}
