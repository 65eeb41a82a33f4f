// Drawing surfaces: a thin object around one paint device (window, off-screen
// bitmap, metafile or printer page) that draws in integer device pixels with a
// current pen, colour, font, mark size and clip rectangle. y grows downwards.
#pragma once

#include <vector>

#include "claims.h"
#include "textstrings.h"

class QPainter;
class QPaintDevice;
class QPen;
class QBrush;
class QColor;
class QFont;
class QImage;
class Window;
struct RasterClip;
class SmoothBatch;

// Packed RGB value: red in the low byte, then green, then blue.
struct Color {
    unsigned int C = 0;
    Color() = default;
    Color(unsigned int c) : C(c) {}
    Color(int r, int g, int b)
        : C(static_cast<unsigned>(r & 255) | static_cast<unsigned>(g & 255) << 8 |
            static_cast<unsigned>(b & 255) << 16) {}
    int red() const { return static_cast<int>(C & 255); }
    int green() const { return static_cast<int>(C >> 8 & 255); }
    int blue() const { return static_cast<int>(C >> 16 & 255); }
    bool operator==(const Color& o) const { return C == o.C; }
    bool operator!=(const Color& o) const { return C != o.C; }
};

// a mixed with b: t = 0 gives a, t = 1 gives b.
inline Color mix(Color a, Color b, double t) {
    auto part = [t](int x, int y) { return static_cast<int>(x + (y - x) * t + 0.5); };
    return Color(part(a.red(), b.red()), part(a.green(), b.green()), part(a.blue(), b.blue()));
}

// The family of the desktop's proportional font.
const char* desktopfontname();

// The colours of the desktop theme for window backgrounds and window text.
Color syswindowcolor();
Color syswindowtextcolor();

class Pen {
  public:
    enum Style { Solid = 0, Dotted = 2 };
    explicit Pen(Color c, int width = 1, int style = Solid);
    ~Pen();
    Pen(const Pen&) = delete;
    Pen& operator=(const Pen&) = delete;
    Color color() const { return C; }
    int width() const { return W; }
    int style() const { return S; }
    QPen* Handle;

  private:
    Color C;
    int W, S;
};

class Brush {
  public:
    explicit Brush(Color c);
    ~Brush();
    Brush(const Brush&) = delete;
    Brush& operator=(const Brush&) = delete;
    Color color() const { return C; }
    QBrush* Handle;

  private:
    Color C;
};

// A logical font description in the layout of the classic window systems.
struct LogFont {
    int Height = 0, Width = 0, Escapement = 0, Orientation = 0, Weight = 400;
    unsigned char Italic = 0, Underline = 0, StrikeOut = 0, CharSet = 0;
    unsigned char OutPrecision = 0, ClipPrecision = 0, Quality = 0, PitchAndFamily = 0;
    char FaceName[32] = {};
};

// A font of a face and a cell height in pixels. A symbol font ("Symbol", or
// character set 2) draws each byte as its letter of the Symbol layout, so a
// draws as alpha whatever font the desktop substitutes for it.
class Font {
  public:
    enum { SymbolCharset = 2 };
    Font(const char* face, int height);
    explicit Font(const LogFont& f);
    ~Font();
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;
    int symbol() const { return Symbolic; }
    LogFont F;
    QFont* Handle;

  private:
    void create();
    int Symbolic;
};

// The Unicode character that the Symbol layout shows for byte c.
char32_t symbolchar(unsigned char c);

struct PSPoint {
    int x, y;
};

class Points {
  public:
    Points() = default;
    ~Points() { delete[] P; }
    Points(const Points&) = delete;
    Points& operator=(const Points&) = delete;
    void add(int x, int y);
    void clear() { N = 0; }
    int n() const { return N; }
    PSPoint& operator[](int i) { return P[i]; }
    int N = 0, Size = 0;
    PSPoint* P = nullptr;
};

struct RECT {
    int left, top, right, bottom;
};

class PS {
  public:
    PS();
    virtual ~PS();
    PS(const PS&) = delete;
    PS& operator=(const PS&) = delete;

    virtual void erase();

    void init();
    Color defaultcolor();
    void release();
    Color color(Color c);
    void textcolor(Color c) { TextColor = c; }
    void backcolor(Color c) { BackColor = c; }
    void font(Font& f);
    // Draws smoothly (antialiased lines, arcs and text) or with the sharp
    // pixels of the pixel rules (the default).
    void smooth(int on);
    int smooth() const { return Smooth; }
    // The modern look: thin lines a pixel and a half wide, texts on a halo
    // of the background. Off until a caller chooses it.
    void modern(int on);
    int modern() const { return Modern; }
    // While on, smooth lines, circles and arcs are dashed (what is hidden
    // and shown faded).
    void dashed(int on);
    // While on, smooth lines, circles, arcs and dots lie on a wider band of
    // colour c (what is highlighted).
    void glow(int on, Color c = Color());
    // The places of the picture that labels and dots have taken while it
    // was drawn: forgotten, taken (by the label of owner, or by no label),
    // whether a rectangle (pixels, right and bottom edges outside) meets
    // one of them, and whose label lies over pixel (x, y) (or within two
    // pixels of it), how far (sx, sy) off its first place.
    void unclaim() { Taken.clear(); }
    void claim(int x1, int y1, int x2, int y2, const void* owner = nullptr, int sx = 0,
               int sy = 0) {
        Taken.take(x1, y1, x2, y2, owner, sx, sy);
    }
    bool claimed(int x1, int y1, int x2, int y2) const { return Taken.taken(x1, y1, x2, y2); }
    const void* claimant(int x, int y, int* sx = nullptr, int* sy = nullptr) const {
        return Taken.owner(x, y, 2, sx, sy);
    }
    // Forgets its claims and lies over those of p (a picture copied from
    // p), until the next unclaim; p must live as long.
    void claimover(const PS& p) { Taken.over(&p.Taken); }
    // A filled dot of radius r pixels about the centre of pixel (x, y),
    // with a rim of a pixel in colour rim: smooth where the picture is, as
    // a filled circle elsewhere.
    void dot(int x, int y, double r, Color fill, Color rim);
    // Draws everything in the colour whose red, green and blue are the bytes
    // of id (a picture of which object painted each pixel), or as asked.
    void identify(int on, unsigned id);
    void markersize(int m) { Ms = m; }
    int markersize() const { return Ms; }
    void set(int x, int y, int w, int h);
    void clip(int x, int y, int w, int h);
    void unclip();

    void move(int x, int y) { X = x, Y = y; }
    void lineto(int x, int y);
    void lineto(int x, int y, Pen& p);
    void point(int x, int y, Color c);
    void mark(int x, int y, int type);

    void rectangle(int x, int y, int w, int h);
    void rectangle(int x, int y, int w, int h, Pen& p);
    void filledrectangle(int x, int y, int w, int h, Color c);
    void filledrectangle(int x, int y, int w, int h, Brush& b);
    void bar(int x, int y, int w, int h, Color c);
    void bar(int x, int y, int w, int h, Brush& b);
    void polygon(Points& p, Color fill, Color line);
    // A line through the n places of xy (x, y pairs of pixels with their
    // fractions) with the current pen, or with pen p when one is given.
    // Smooth drawing into a picture keeps the fractions; sharp drawing
    // draws each step as lineto draws it, and its last pixel; a file or a
    // printer gets one path.
    void polyline(const double* xy, int n, Pen* p = nullptr);
    void fillpolygon(Points& p, Color fill);

    void circle(int x, int y, int r, double factor);
    void circle(int x, int y, int r, double factor, Pen& p);
    void arc(int x, int y, int r, double factor, double phi1, double phi2);
    void arc(int x, int y, int r, double factor, double phi1, double phi2, Pen& p);
    // The arc of the circle about (x, y) from angle from counterclockwise
    // on screen over span (radians, from three o'clock; span up to 2 pi).
    void arcangles(int x, int y, int r, double from, double span);
    void arcangles(int x, int y, int r, double from, double span, Pen& p);
    // The inside of a region: solid in a sharp picture of pixels and when
    // identifying, else (smooth, on paper, in vector pictures) a quarter
    // opaque so that what lies below shows.
    void fillregion(Points& p, Color fill);

    void alignment(int halign, int valign, int update);
    void text(int x, int y, const char* s);
    void text(int x, int y, const char* s, int halign, int valign);
    const char* oneline(const char* p, int x, int y, int w, int h);
    const char* multiline(const char* p, int x, int y, int w, int h);
    void ctext(RECT* r, const char* s);
    void textextent(const char* s, int& w, int& h);
    void textextent(const char* s, int n, int& w, int& h);
    int textwidth(const char* p, int n);
    int textheight(const char* p, int n);
    int textheight();
    int textavewidth();
    double textdiameter(const char* s, double x, double y);

    int width() const { return Width; }
    int height() const { return Height; }
    int x() const { return X; }
    int y() const { return Y; }
    Color col() const { return Col; }
    const Pen* pen() const { return HandlePen; }
    // The painter, with every stroke drawn that is still gathered; what
    // the caller sets on it is not known afterwards.
    QPainter* handle() const {
        flush();
        PenKnown = 0;
        return Handle;
    }
    // Draws the smooth strokes gathered so far.
    void flush() const;

    enum { MaxRun = 1023 }; // longest run of characters measured or drawn at once

  protected:
    // Starts drawing on a device of w x h pixels: a painter, then the set-up
    // every surface shares.
    void begin(QPaintDevice* d, int w, int h);
    // Ends drawing and gives the device back: 1 when the device took all of
    // it (a printer or file device may fail to write it).
    int end();

    QPainter* Handle = nullptr;
    int X = 0, Y = 0;
    int Width = 0, Height = 0;
    Pen* HandlePen = nullptr;
    int Ms = 4;
    Color Col;
    int Region = 0; // a clip rectangle is in effect
    int Smooth = 0;
    int Modern = 0, Dashed = 0, Glow = 0;
    Claims Taken;                                    // what labels have taken
    static constexpr double DashOn = 5, DashOff = 3; // logical pixels of a dash and a gap
    Color GlowColor;
    int Ident = 0;
    unsigned IdColor = 0;
    SmoothBatch* Batch; // smooth strokes not yet drawn
    // Where smooth strokes go (the image, or none, the clip rectangle on it,
    // and the device pixels of a pixel and of the origin), worked out when
    // first needed after the surface, origin, clip or drawing mode changed.
    mutable int TargetKnown = 0;
    mutable QImage* Target = nullptr;
    mutable int TargetClip[4] = {};
    mutable double Scale = 1, ShiftX = 0, ShiftY = 0;

  private:
    void selectpen();
    // Sets a pen other than the current one on the painter.
    void otherpen(const QPen& p);
    // Fills a polygon through the painter, without an outline.
    void paintpolygon(Points& p, const QColor& c);
    // The painter holds the current pen (as selectpen set it).
    mutable int PenKnown = 0;
    void drawline(int x, int y, const Pen* p);
    // The image that sharp strokes and fills are written straight into,
    // with the device origin; null when drawing goes through the painter.
    QImage* sharptarget(int& ox, int& oy) const;
    // Sets the pixels of a thin solid line straight into an image that is
    // drawn on without smoothing; 0 when the device is no such image.
    int rasterline(int x0, int y0, int x1, int y1, Color c);
    // Fills a polygon straight into the picture, blended by alpha (0..256)
    // when smooth; 0 when the device is no such image.
    int rasterfill(Points& p, Color c, unsigned alpha);
    // The image that smooth strokes are written straight into, with the
    // clip rectangle on it; null when drawing goes through the painter.
    QImage* smoothtarget(struct RasterClip& clip) const;
    // A thin solid line drawn smoothly into an image; 0 when the device is
    // no such image.
    int smoothline(int x0, int y0, int x1, int y1, Color c);
    // The pixel centre of (x, y) in continuous device coordinates: smooth
    // strokes pass through pixel centres as the sharp ones do.
    double devx(double x) const;
    double devy(double y) const;
    // The width of the painter's pen in device pixels.
    double penwidth() const;
    void ellipse(int left, int top, int right, int bottom);
    // The arc of the circle about (x, y) with radii r, r1 from a1 over span
    // (degrees, counterclockwise on screen from three o'clock).
    void drawarc(int x, int y, int r, int r1, double a1, double span);
    void drawrun(int left, int top, const char* s, int n);
    // The colour or pen to draw with: itself, or the identifying colour.
    QColor ink(Color c) const;
    // A smooth band from (x0, y0) to (x1, y1) in device pixels, dashed and
    // on its glow as the state says.
    void band(QImage& im, const RasterClip& clip, double x0, double y0, double x1, double y1,
              double w, unsigned rgb);
    // A smooth arc of a ring (span 2 pi: the whole ring), dashed and on its
    // glow as the state says.
    void ringarc(QImage& im, const RasterClip& clip, double cx, double cy, double r, double w,
                 double start, double span, unsigned rgb);
    QPen inkpen(const QPen& p) const;

    int OX = 0, OY = 0;                     // device origin set by set()
    int CX1 = 0, CY1 = 0, CX2 = 0, CY2 = 0; // the clip rectangle on the device
    Color TextColor, BackColor;
    int HAlign = 0, VAlign = 0, Update = 1;
    int Symbolic = 0;
};
