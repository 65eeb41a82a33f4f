// What the reader of construction files is given to chew on: any bytes, as
// one record, as a whole file, and what that file saves as read back again.
#pragma once

#include "answerer.h"
#include "constructionfile.h"
#include "files.h"
#include "io.h"
#include "messages.h"
#include "objectlist.h"
#include "view.h"

#include <cstdlib>
#include <string>

// Answers every question at once, as a user who presses OK.
class Silent : public Answerer {
  public:
    int messagebox(Box, const char*, const char*, Window*) override { return IDOK; }
    int printersetup(PrinterPS&, Window*) override { return 0; }
    void dialog(Dialog&) override {}
    String file(const FileRequest&) override { return String(""); }
    int color(Color&, Color*, Window*) override { return 0; }
};

// 0 when the construction as it stands saves and reads back as it was;
// clears it.
inline int readsback() {
    int n = objects.count();
    std::string saved = construction();
    View before = view();
    filehost().clear();
    Failure again = readconstruction(saved);
    // Reading moves the view by its 0.001; the rest must come back as it was.
    view().X1 = before.X1, view().X2 = before.X2, view().Y1 = before.Y1, view().Y2 = before.Y2;
    int fault = again.Line != 0 || objects.count() != n || construction() != saved;
    filehost().clear();
    return fault;
}

// 0 when all went well; a construction that was read but does not read
// back as it was saved is a fault.
inline int readanything(const std::string& bytes) {
    std::string text = fromutf8(bytes);
    filehost().clear();
    input.read(text.c_str());
    iolist.interpret(text.c_str());
    filehost().clear();
    readconstruction(text);
    return readsback();
}
