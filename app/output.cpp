// The construction on paper, on the clipboard and in a bitmap file.
#include "bitmapps.h"
#include "commands.h"
#include "export.h"
#include "files.h"
#include "help.h"
#include "mainwindow.h"
#include "messages.h"
#include "metafile.h"
#include "objectlist.h"
#include "printer.h"
#include "selectors.h"
#include "settings.h"

#include <cstring>
#include <memory>

namespace {

// Prints the comment in the box from the left margin at top to the bottom
// margin, going on to new pages while text is left.
void commentpages(PrinterPS& p, int W, int H, const PageLayout& m, int top) {
    const char* rest = objects.comment().text();
    for (;;) {
        int w = W - 2 * m.d, h = H - m.d - top;
        const char* left = rest;
        p.set(m.d, top, w, h);
        rest = p.multiline(rest, 0, 0, w, h);
        if (!*rest) return;
        // A page too low for one line would never take any of the text.
        if (rest == left && top == m.d) return;
        p.formfeed();
        top = m.d;
    }
}

} // namespace

PageLayout pagelayout(int W, int H, int ww, int wh) {
    PageLayout m{};
    m.d = static_cast<int>(W * 0.1);
    m.f = W - 2 * m.d;
    m.l = static_cast<int>(m.f * (static_cast<double>(wh) / ww));
    m.cx = W / 2;
    m.cy = m.d + m.l / 2;
    if (m.cy + m.l / 2 > H - m.d) {
        m.l = H - 2 * m.d;
        m.f = static_cast<int>(m.l * (static_cast<double>(ww) / wh));
        m.cx = m.d + m.f / 2;
        m.cy = H / 2;
        m.filling = 1;
    }
    return m;
}

void doprint() {
    if (Printer.empty()) Printer.getprinter();
    PrinterPS p(String(1), Printer);
    if (!p.known()) {
        Warning(window, String(96), String(1));
        return;
    }
    if (Question(window, textwith(98, Printer), String(1)) != IDYES) return;
    if (std::strcmp(p.device().text(), pdfprinter) == 0) {
        FileSelector pdfs(&window, "*.pdf", 1, "Print into PDF File", "pdf");
        String name(pdfs.select());
        if (name.empty()) return;
        p.setoutput(name);
    }
    p.start();
    if (!p.started()) {
        Warning(window, textwith(40, shownname(p.output())), String(1));
        return;
    }
    const int W = p.width(), H = p.height();
    const PageLayout m =
        pagelayout(W, H, std::max(window.width(), 1), std::max(window.height(), 1));
    p.set(m.cx - m.f / 2, m.cy - m.l / 2, m.f, m.l);
    p.markersize(m.f / 200);
    // The names are drawn in the printer fonts while they exist; the
    // comment keeps the text font after them.
    window.dress(p);
    const int modern = window.Style == MainWindow::Modern;
    std::unique_ptr<Font> text(new Font(labelfont(modern), labelsize(m.f, modern)));
    std::unique_ptr<Font> symbols(new Font(symbolfontname, m.f / std::max(fontsize, 1)));
    pfont = text.get();
    psymbolfont = symbols.get();
    p.font(*pfont);
    objects.draw(p);
    pfont = psymbolfont = nullptr;
    p.font(*text);
    // An empty comment prints nothing, and no empty page.
    if (printcomment && !objects.comment().empty()) {
        int top = m.l + 2 * m.d;
        if (m.filling) {
            p.formfeed();
            top = m.d;
        }
        commentpages(p, W, H, m, top);
    }
    if (!p.stop()) Warning(window, textwith(41, shownname(p.output())), String(1));
}

void docopyclipboard() {
    MetafilePS m(window.width(), window.height());
    window.dress(m);
    if (font) m.font(*font);
    m.markersize(4);
    objects.draw(m);
    m.close();
    Metafile copy(m);
    Clipboard(window).copy(copy, window.width(), window.height());
}

void dosavebitmap() {
    FileSelector bitmaps(&window, "*.bmp", 1, "Save Bitmap", "bmp");
    String name(bitmaps.select());
    if (name.empty() || !bitmap) return;
    if (bitmap->invalid) {
        objects.draw(*bitmap);
        bitmap->invalid = 0;
    }
    // The file keeps the sharp pixels even while the window draws smoothly.
    MyBitmapPS* picture = bitmap;
    std::unique_ptr<MyBitmapPS> sharp;
    if (bitmap->smooth()) {
        sharp = std::make_unique<MyBitmapPS>(window, bitmap->width(), bitmap->height());
        sharp->markersize(bitmap->markersize());
        if (font) sharp->font(*font);
        objects.draw(*sharp);
        picture = sharp.get();
    }
    tellwritten(picture->write(name, 4), name);
}

void tellwritten(WriteResult r, const char* name) {
    if (r == NotOpened) Warning(window, textwith(40, shownname(name)), String(1));
    if (r == NotWritten) Warning(window, textwith(41, shownname(name)), String(1));
}
