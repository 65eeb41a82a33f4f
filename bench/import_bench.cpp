// Opening GeoGebra files of 1,000 and 10,000 objects: generated
// constructions of the commands teachers use most, each object with its
// style and the values GeoGebra stores, read from the XML and from the
// archive.
#include "constructionfile.h"
#include "ggbimport.h"
#include "gyrstrings.h"
#include "objectlist.h"

#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdio>
#include <string>
#include <zip.h>

namespace {

std::string number(double x) {
    char b[40];
    std::snprintf(b, sizeof b, "%.17g", x);
    return b;
}

std::string style() {
    return R"(<show object="true" label="true"/><objColor r="0" g="0" b="255" alpha="0"/>
<lineStyle thickness="5" type="0"/>)";
}

std::string point(const std::string& label, double x, double y) {
    return "<element type=\"point\" label=\"" + label + "\">" + style() + "<coords x=\"" +
           number(x) + "\" y=\"" + number(y) + "\" z=\"1\"/></element>\n";
}

std::string command(const std::string& name, const std::string& a, const std::string& b,
                    const std::string& out) {
    return "<command name=\"" + name + "\"><input a0=\"" + a + "\" a1=\"" + b +
           "\"/><output a0=\"" + out + "\"/></command>\n";
}

// A cell of ten objects: three points, two segments, a circle, a midpoint,
// a line, a crossing of the circle and the line, a distance.
std::string cell(int i) {
    const std::string n = std::to_string(i);
    const double x = (i % 40) * 3, y = (i / 40) * 3;
    std::string s = point("A" + n, x, y) + point("B" + n, x + 2, y) + point("C" + n, x, y + 1.5);
    s += command("Segment", "A" + n, "B" + n, "s" + n);
    s += "<element type=\"segment\" label=\"s" + n + "\">" + style() + "</element>\n";
    s += command("Segment", "B" + n, "C" + n, "t" + n);
    s += command("Circle", "A" + n, "B" + n, "k" + n);
    s += "<element type=\"conic\" label=\"k" + n + "\">" + style() +
         "<matrix A0=\"1\" A1=\"1\" A2=\"" + number(x * x + y * y - 4) + "\" A3=\"0\" A4=\"" +
         number(-x) + "\" A5=\"" + number(-y) + "\"/></element>\n";
    s += command("Midpoint", "A" + n, "C" + n, "M" + n);
    s += command("Line", "C" + n, "M" + n, "g" + n);
    s += "<command name=\"Intersect\"><input a0=\"k" + n + "\" a1=\"g" + n + "\" a2=\"1\"/>" +
         "<output a0=\"P" + n + "\"/></command>\n";
    s += command("Distance", "A" + n, "C" + n, "d" + n);
    return s;
}

std::string construction(int objects) {
    std::string s = R"(<?xml version="1.0" encoding="utf-8"?><geogebra format="5.0">
<euclidianView><size width="1000" height="700"/>
<coordSystem xZero="20" yZero="680" scale="8" yscale="8"/></euclidianView><construction>)";
    for (int i = 0; i < objects / 10; ++i) s += cell(i);
    return s + "</construction></geogebra>";
}

std::string archive(const std::string& xml) {
    const std::string path = "/tmp/gyrel-import-bench.ggb";
    int error = 0;
    zip_t* z = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!z) return "";
    zip_file_add(z, "geogebra.xml", zip_source_buffer(z, xml.data(), xml.size(), 0), 0);
    zip_close(z);
    std::string bytes;
    if (FILE* f = std::fopen(path.c_str(), "rb")) {
        char b[65536];
        for (std::size_t n; (n = std::fread(b, 1, sizeof b, f)) > 0;) bytes.append(b, n);
        std::fclose(f);
    }
    std::remove(path.c_str());
    return bytes;
}

void BM_ImportXml(benchmark::State& state) {
    progstrings = GyrStrings;
    const std::string xml = construction(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        filehost().clear();
        GgbImport r = importggbxml(xml);
        if (!r.Error.empty() || !r.Dropped.empty()) state.SkipWithError("the import failed");
    }
    state.counters["objects"] = objects.count();
    filehost().clear();
}
BENCHMARK(BM_ImportXml)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_ImportArchive(benchmark::State& state) {
    progstrings = GyrStrings;
    const std::string bytes = archive(construction(static_cast<int>(state.range(0))));
    for (auto _ : state) {
        filehost().clear();
        GgbImport r = importggb(bytes);
        if (!r.Error.empty() || !r.Dropped.empty()) state.SkipWithError("the import failed");
    }
    state.counters["objects"] = objects.count();
    filehost().clear();
}
BENCHMARK(BM_ImportArchive)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace
