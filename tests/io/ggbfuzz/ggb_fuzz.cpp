// libFuzzer entry: the GeoGebra importer on any input.
#include "gyrstrings.h"
#include "importanything.h"
#include "readanything.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Silent silent;
    static Answerer* installed = (progstrings = GyrStrings, Answerer::install(&silent));
    (void)installed;
    if (importanything(std::string(reinterpret_cast<const char*>(data), size))) std::abort();
    return 0;
}
