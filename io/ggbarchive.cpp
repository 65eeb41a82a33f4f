#include "ggbarchive.h"

#include <memory>
#include <zip.h>

namespace {

struct ArchiveCloser {
    void operator()(zip_t* z) const { zip_discard(z); }
};
struct FileCloser {
    void operator()(zip_file_t* f) const { zip_fclose(f); }
};

// Reads the entry named name into text; 0 when it is missing, -1 with the
// reason in why when it cannot be read whole.
int entry(zip_t* z, const char* name, std::string& text, std::string& why) {
    const zip_int64_t i = zip_name_locate(z, name, 0);
    if (i < 0) return 0;
    std::unique_ptr<zip_file_t, FileCloser> f(zip_fopen_index(z, static_cast<zip_uint64_t>(i), 0));
    if (!f) {
        why = std::string(name) + " in the archive cannot be unpacked: " + zip_strerror(z);
        return -1;
    }
    // The size the archive declares may be false: the text grows as it is
    // read, up to the limit.
    text.clear();
    char buffer[1 << 16];
    for (;;) {
        const zip_int64_t n = zip_fread(f.get(), buffer, sizeof buffer);
        if (n < 0) {
            why = std::string(name) + " in the archive is damaged: " + zip_file_strerror(f.get());
            return -1;
        }
        if (n == 0) break;
        if (text.size() + static_cast<std::size_t>(n) > GgbEntryMax) {
            why = std::string(name) + " unpacks to more than 64 MB";
            text.clear();
            return -1;
        }
        text.append(buffer, static_cast<std::size_t>(n));
    }
    return 1;
}

} // namespace

bool unzipggb(const std::string& bytes, GgbEntries& entries, std::string& why) {
    entries = GgbEntries();
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
    if (!source) {
        why = "the file cannot be read as an archive";
        zip_error_fini(&error);
        return false;
    }
    std::unique_ptr<zip_t, ArchiveCloser> z(zip_open_from_source(source, ZIP_RDONLY, &error));
    if (!z) {
        zip_source_free(source);
        why = "the file is no GeoGebra file (no ZIP archive)";
        zip_error_fini(&error);
        return false;
    }
    zip_error_fini(&error);
    const int found = entry(z.get(), "geogebra.xml", entries.Construction, why);
    if (found == 0) why = "the archive holds no geogebra.xml";
    if (found <= 0) return false;
    return entry(z.get(), "geogebra_macro.xml", entries.Macros, why) >= 0;
}
