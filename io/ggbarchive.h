// The ZIP archive of a GeoGebra file: the texts of the entries an import
// reads, each within a size limit, so that a small file cannot unpack into
// more than a construction needs.
#pragma once

#include <string>

struct GgbEntries {
    std::string Construction; // geogebra.xml
    std::string Macros;       // geogebra_macro.xml; empty when there is none
};

// The largest entry read, unpacked.
const std::size_t GgbEntryMax = 64u << 20;

// Reads the entries from the bytes of an archive; false with the reason in
// why when the bytes are no archive, geogebra.xml is missing, or an entry
// is broken or larger than GgbEntryMax.
bool unzipggb(const std::string& bytes, GgbEntries& entries, std::string& why);
