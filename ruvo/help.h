// The help viewer over the program's help pages (HTML kept as resources under
// :/help/): the contents, help on help, a topic by keyword or by number.
#pragma once

#include "program.h"

class Window;

class Help : public WindowObject {
  public:
    Help(Window& w, const char* filename);
    ~Help() override;
    void create() override;
    void index();
    void helponhelp();
    void open(const char* key);
    void open(int id);
    void close();
    // Gives the viewer back; it is made again when a page is shown.
    void release();
    // The page shown, as a resource path, or empty while the viewer is closed.
    String page() const;

    String Filename;
    Window* W;

  private:
    void show(const char* page);
    void* Viewer = nullptr; // the viewer window
};

// Gives back every help viewer; the program's end does, before the toolkit
// goes.
void releasehelps();

// The clipboard: pictures (as SVG and as an image) and text.
class Metafile;

class Clipboard {
  public:
    explicit Clipboard(Window& w) : W(&w) {}
    void copy(Metafile& m, int xw, int xh);
    void copy(const char* s);
    const String& gettext();
    Window* W;
    String Content;
};
