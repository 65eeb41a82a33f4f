// Opening GeoGebra files: their constructions become Gyrel's, object by
// object, with what Gyrel cannot build dropped and reported.
#pragma once

#include <string>
#include <vector>

struct GgbDropped {
    std::string Label;   // GeoGebra's name of the object
    std::string Command; // what made it: "Function f", "Intersect[c, f]"
    std::string Reason;  // "function graphs are not supported"
    // The line a person reads: "Function f: function graphs are not
    // supported".
    std::string line() const;
};

struct GgbImport {
    // Why nothing could be imported; empty when the file was read.
    std::string Error;
    std::vector<GgbDropped> Dropped;
    // Objects whose computed place disagrees with the one GeoGebra stored.
    std::vector<std::string> Mismatches;
    // What came otherwise than in GeoGebra: "c: shown always, its
    // condition ... is not supported".
    std::vector<std::string> Notes;
    int Made = 0; // objects made
};

// Whether the bytes of a file are a GeoGebra file (a ZIP archive).
bool isggb(const std::string& bytes);
// Imports the bytes of a .ggb file into the construction, which the caller
// has cleared, and sets the view through the file host.
GgbImport importggb(const std::string& bytes);
// Imports the construction of a GeoGebra file from the text of its
// geogebra.xml, with the tools of its geogebra_macro.xml (empty: none).
GgbImport importggbxml(const std::string& xml, const std::string& macros = "");
