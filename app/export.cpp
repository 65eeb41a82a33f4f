#include "export.h"
#include "commands.h"
#include "dialogitems.h"
#include "help.h"
#include "mainwindow.h"
#include "messages.h"
#include "objectlist.h"
#include "picture.h"
#include "resources.h"
#include "selectors.h"
#include "settings.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

using C = ControlSpec;

const ControlSpec pngcontrols[] = {
    {C::Group, -1, "Width", 0, 2},
    {C::Radio, 101, "As the window", 1, 1},
    {C::Radio, 102, "Twice as wide", 1, 1},
    {C::Radio, 103, "Four times as wide", 2, 1},
    {C::Radio, 104, "Pixels:", 2, 1},
    {C::Edit, 105, "", 3, 2},
    {C::GroupEnd, 0, "", 3, 1},
    {C::Check, 106, "Transparent background", 4, 2},
    {C::Default, 1, "OK", 5, 1},
    {C::Button, 2, "Cancel", 5, 1},
    {C::Button, 9, "Help", 5, 1},
    {C::Last, 0, nullptr, 0, 0},
};
enum { PngHelp = 16 };
const DialogSpec pngdialog = {121, "PNG Picture", pngcontrols};
const bool defined = (definedialog(&pngdialog), true);

// The widest picture a typed width may ask for.
const long MaxWidth = 20000;

} // namespace

int pictureheight(int width) {
    const View& v = view();
    double h = width * (v.Y2 - v.Y1) / (v.X2 - v.X1);
    return std::isfinite(h) ? static_cast<int>(std::clamp(std::lround(h), 1L, 8L * MaxWidth)) : 1;
}

const char* labelfont(int modern) {
    return modern ? desktopfontname() : fontname.text();
}

int labelsize(int length, int modern) {
    const int classic = length / std::max(fontsize, 1);
    return modern ? std::max(classic * 17 / 20, 8) : classic;
}

WriteResult exportpicture(const char* name, int width, int transparent, int modern) {
    int kind = PicturePS::kindof(name);
    if (kind < 0) kind = PicturePS::Svg;
    width = std::max(width, 1);
    PicturePS p(static_cast<PicturePS::Kind>(kind), width, pictureheight(width), transparent);
    // Marks and names as large against the picture as on the screen.
    p.markersize(width / std::max(msize, 1));
    p.modern(modern);
    std::unique_ptr<Font> text(new Font(labelfont(modern), labelsize(width, modern)));
    std::unique_ptr<Font> symbols(new Font(symbolfontname, width / std::max(fontsize, 1)));
    pfont = text.get();
    psymbolfont = symbols.get();
    p.font(*pfont);
    objects.draw(p);
    pfont = psymbolfont = nullptr;
    return p.write(name);
}

namespace {

// The width of a picture, asked only when "any width" is chosen.
class WidthItem : public LongItem {
  public:
    WidthItem(int id, Dialog& d, long n, const RadioItem& size) : LongItem(id, d, n), Size(size) {
        range(1, MaxWidth);
    }
    const char* refusal() override { return Size.Sel == 3 ? LongItem::refusal() : nullptr; }

  private:
    const RadioItem& Size;
};

} // namespace

void doexport() {
    (void)defined;
    Filters types;
    types.add("SVG drawing", "*.svg");
    types.add("PDF document", "*.pdf");
    types.add("PNG image", "*.png");
    FileSelector pictures(&window, "*.svg", 1, "Export Picture", "svg", &types);
    String name(pictures.select());
    if (name.empty()) return;
    if (PicturePS::kindof(name) < 0) name.cat(".svg");
    int width = std::max(window.width(), 1), transparent = 0;
    if (PicturePS::kindof(name) == PicturePS::Png) {
        Dialog d(&window, 121, &help, PngHelp);
        const int ids[] = {101, 102, 103, 104};
        RadioItem size(ids, 4, 0, d);
        WidthItem pixels(105, d, 4L * width, size);
        CheckItem clear(106, d, 0);
        d.carryout();
        if (d.result() != 1) return;
        const long widths[] = {width, 2L * width, 4L * width, pixels.N};
        width = static_cast<int>(std::clamp(widths[size.Sel], 1L, MaxWidth));
        transparent = clear.F;
    }
    tellwritten(exportpicture(name, width, transparent, window.Style == MainWindow::Modern), name);
}
