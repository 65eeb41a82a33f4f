#include "qtglue.h"
#include "smoothraster.h"

#include <QBrush>
#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QPen>
#include <QPolygonF>
#include <QRawFont>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

Color syswindowcolor() {
    return fromqcolor(QGuiApplication::palette().color(QPalette::Base));
}

Color syswindowtextcolor() {
    return fromqcolor(QGuiApplication::palette().color(QPalette::Text));
}

Pen::Pen(Color c, int width, int style) : Handle(new QPen(qcolor(c))), C(c), W(width), S(style) {
    Handle->setWidth(width);
    Handle->setStyle(style == Dotted ? Qt::DotLine : Qt::SolidLine);
    // Thin solid lines are drawn with both ends and shortened by their end
    // pixel (see PS::drawline); thick ones have round ends.
    Handle->setCapStyle(width > 1 ? Qt::RoundCap : style == Dotted ? Qt::FlatCap : Qt::SquareCap);
    if (width > 1)
        Handle->setJoinStyle(Qt::RoundJoin);
    else
        Handle->setCosmetic(true);
}

Pen::~Pen() {
    delete Handle;
}

Brush::Brush(Color c) : Handle(new QBrush(qcolor(c))), C(c) {}

Brush::~Brush() {
    delete Handle;
}

Font::Font(const char* face, int height) : Handle(nullptr), Symbolic(0) {
    F.Height = height;
    std::strncpy(F.FaceName, face ? face : "", sizeof F.FaceName - 1);
    create();
}

Font::Font(const LogFont& f) : F(f), Handle(nullptr), Symbolic(0) {
    F.FaceName[sizeof F.FaceName - 1] = 0;
    create();
}

Font::~Font() {
    delete Handle;
}

void Font::create() {
    QString face = qstr(F.FaceName);
    Symbolic = F.CharSet == SymbolCharset || face.compare("Symbol", Qt::CaseInsensitive) == 0;
    Handle = new QFont(face);
    // Symbol-layout text is drawn as Unicode; a symbol-encoded face (or none
    // at all) gives way to a serif face that has the Greek letters.
    if (Symbolic && !QRawFont::fromFont(*Handle).supportsCharacter(QChar(0x03B1))) {
        *Handle = QFont("serif");
        Handle->setStyleHint(QFont::Serif);
    }
    if (face.contains("Courier", Qt::CaseInsensitive) || face.contains("Mono"))
        Handle->setStyleHint(QFont::TypeWriter);
    Handle->setWeight(F.Weight >= 600                  ? QFont::Bold
                      : F.Weight > 0 && F.Weight < 350 ? QFont::Light
                                                       : QFont::Normal);
    Handle->setItalic(F.Italic);
    Handle->setUnderline(F.Underline);
    Handle->setStrikeOut(F.StrikeOut);
    Handle->setStyleStrategy(QFont::NoAntialias);
    if (F.Height < 0) {
        // A negative height asks for the character height without leading.
        Handle->setPixelSize(-F.Height);
    } else if (F.Height > 0) {
        // A positive height is the whole character cell: shrink the em size
        // until ascent plus descent fits.
        int px = F.Height;
        Handle->setPixelSize(px);
        for (int i = 0; i < 8; ++i) {
            int cell = QFontMetrics(*Handle).height();
            if (cell <= F.Height || px <= 1) break;
            px = std::max(1, std::min(px - 1, px * F.Height / cell));
            Handle->setPixelSize(px);
        }
    }
}

void Points::add(int x, int y) {
    if (N == Size) {
        int size = Size ? Size * 2 : 16;
        PSPoint* p = new PSPoint[static_cast<std::size_t>(size)];
        std::copy(P, P + N, p);
        delete[] P;
        P = p;
        Size = size;
    }
    P[N++] = PSPoint{x, y};
}

PS::PS() : Batch(new SmoothBatch) {}

PS::~PS() {
    end();
    delete HandlePen;
    delete Batch;
}

void PS::flush() const {
    if (!Batch->empty()) Batch->draw();
}

void PS::begin(QPaintDevice* d, int w, int h) {
    Width = w;
    Height = h;
    if (!d) return;
    Handle = new QPainter(d);
    PenKnown = 0;
    TargetKnown = 0;
    Handle->setRenderHint(QPainter::Antialiasing, false);
    Handle->setRenderHint(QPainter::TextAntialiasing, false);
    init();
    defaultcolor();
    Handle->setBackgroundMode(Qt::TransparentMode);
    unclip();
}

int PS::end() {
    if (!Handle) return 0;
    flush();
    TargetKnown = 0;
    release();
    bool ended = Handle->isActive() && Handle->end();
    delete Handle;
    Handle = nullptr;
    return ended;
}

void PS::erase() {
    bar(0, 0, Width, Height, syswindowcolor());
}

void PS::init() {
    Color c = syswindowtextcolor();
    delete HandlePen;
    HandlePen = new Pen(c);
    Col = c;
    selectpen();
}

Color PS::defaultcolor() {
    TextColor = syswindowtextcolor();
    BackColor = syswindowcolor();
    return color(syswindowtextcolor());
}

void PS::release() {
    TextColor = syswindowtextcolor();
    BackColor = syswindowcolor();
    delete HandlePen;
    HandlePen = nullptr;
    if (Handle) {
        otherpen(QPen(Qt::black));
        Handle->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    }
    Symbolic = 0;
    unclip();
}

void PS::selectpen() {
    if (Handle && HandlePen) {
        Handle->setPen(inkpen(*HandlePen->Handle));
        PenKnown = 1;
    }
}

void PS::otherpen(const QPen& p) {
    Handle->setPen(p);
    PenKnown = 0;
}

Color PS::color(Color c) {
    Color old = Col;
    if (HandlePen && c == Col) {
        if (!PenKnown) selectpen();
        return old;
    }
    Pen* p = new Pen(c);
    delete HandlePen;
    HandlePen = p;
    Col = c;
    selectpen();
    return old;
}

void PS::font(Font& f) {
    Symbolic = f.symbol();
    if (!Handle) return;
    if (!Smooth) {
        Handle->setFont(*f.Handle);
        return;
    }
    QFont q(*f.Handle);
    q.setStyleStrategy(QFont::PreferAntialias);
    Handle->setFont(q);
}

void PS::identify(int on, unsigned id) {
    TargetKnown = 0;
    Ident = on ? 1 : 0;
    IdColor = qRgb(static_cast<int>(id >> 16 & 255), static_cast<int>(id >> 8 & 255),
                   static_cast<int>(id & 255));
    selectpen();
}

QColor PS::ink(Color c) const {
    return Ident ? QColor::fromRgb(IdColor) : qcolor(c);
}

QPen PS::inkpen(const QPen& p) const {
    // On a denser device a smooth thin line keeps the width of one of the
    // picture's pixels, as wide lines keep theirs.
    const bool widen = Smooth && p.isCosmetic() && Handle && Handle->device() &&
                       Handle->device()->devicePixelRatio() != 1;
    const bool wider = Modern && (p.isCosmetic() || p.widthF() < 1.5);
    if (!Ident && !widen && !wider && !Dashed) return p;
    QPen q(p);
    if (Ident) q.setColor(QColor::fromRgb(IdColor));
    if (widen) {
        q.setCosmetic(false);
        q.setWidthF(1);
    }
    if (wider) {
        q.setCosmetic(false);
        q.setWidthF(1.5);
    }
    if (Dashed && q.style() == Qt::SolidLine) {
        const double w = std::max(q.widthF(), 1.0);
        q.setDashPattern({DashOn / w, DashOff / w});
    }
    return q;
}

void PS::smooth(int on) {
    flush();
    TargetKnown = 0;
    PenKnown = 0;
    Smooth = on ? 1 : 0;
    if (!Handle) return;
    Handle->setRenderHint(QPainter::Antialiasing, Smooth);
    Handle->setRenderHint(QPainter::TextAntialiasing, Smooth);
}

void PS::set(int x, int y, int w, int h) {
    TargetKnown = 0;
    unclip();
    OX = x;
    OY = y;
    Width = w;
    Height = h;
    if (Handle) Handle->setTransform(QTransform::fromTranslate(x, y));
    clip(x, y, w, h);
}

void PS::clip(int x, int y, int w, int h) {
    TargetKnown = 0;
    if (!Handle) return;
    Handle->setClipRect(QRect(x - OX, y - OY, w, h));
    CX1 = x, CY1 = y, CX2 = x + w, CY2 = y + h;
    Region = 1;
}

void PS::unclip() {
    TargetKnown = 0;
    // Clipping to the whole device looks the same as no clip, and the
    // painter draws lines many times faster with a clip rectangle set.
    if (Handle && Handle->device()) {
        Handle->setClipRect(QRect(-OX, -OY, Handle->device()->width(), Handle->device()->height()));
        CX1 = CY1 = 0;
        CX2 = Handle->device()->width();
        CY2 = Handle->device()->height();
    }
    Region = 0;
}

// A line from the current position to (x, y) without its end pixel, in
// whichever direction it runs. A line of zero length draws nothing.
void PS::drawline(int x, int y, const Pen* p) {
    int x0 = X, y0 = Y;
    X = x;
    Y = y;
    if (!Handle || (x == x0 && y == y0)) return;
    const bool thin = p && p->width() <= 1 && p->style() == Pen::Solid;
    if (Smooth) {
        if (thin && smoothline(x0, y0, x, y, p->color())) return;
        flush();
        Handle->drawLine(QLineF(x0 + 0.5, y0 + 0.5, x + 0.5, y + 0.5));
        return;
    }
    flush();
    if (!thin) {
        Handle->drawLine(x0, y0, x, y);
        return;
    }
    // Into an image: exactly the pixels of the whole line but its end.
    if (rasterline(x0, y0, x, y,
                   Ident ? Color(qRed(IdColor), qGreen(IdColor), qBlue(IdColor)) : p->color()))
        return;
    // The pen draws both ends: stop one step short along the major axis.
    int dx = x - x0, dy = y - y0;
    int n = std::max(std::abs(dx), std::abs(dy));
    int x1 = x0 + static_cast<int>(std::lround(static_cast<double>(dx) * (n - 1) / n));
    int y1 = y0 + static_cast<int>(std::lround(static_cast<double>(dy) * (n - 1) / n));
    if (x1 == x0 && y1 == y0)
        Handle->drawPoint(x0, y0);
    else
        Handle->drawLine(x0, y0, x1, y1);
}

void PS::lineto(int x, int y) {
    drawline(x, y, HandlePen);
}

void PS::lineto(int x, int y, Pen& p) {
    if (Handle) otherpen(inkpen(*p.Handle));
    drawline(x, y, &p);
    selectpen();
}

void PS::point(int x, int y, Color c) {
    if (!Handle) return;
    RasterClip clip;
    if (QImage* im = smoothtarget(clip)) {
        // A band one pixel long and wide: the pixel.
        const double r = Scale;
        Batch->line(*im, clip, devx(x) - r / 2, devy(y), devx(x) + r / 2, devy(y), r,
                    qRgb(c.red(), c.green(), c.blue()));
        return;
    }
    flush();
    if (Smooth) {
        Handle->fillRect(QRectF(x, y, 1, 1), ink(c));
        return;
    }
    int ox = 0, oy = 0;
    if (QImage* im = sharptarget(ox, oy)) {
        // Into the image, as the pen would set it.
        x += ox, y += oy;
        if (x >= std::max(CX1, 0) && x < std::min(CX2, im->width()) && y >= std::max(CY1, 0) &&
            y < std::min(CY2, im->height()))
            reinterpret_cast<QRgb*>(im->scanLine(y))[x] = ink(c).rgb();
        return;
    }
    otherpen(QPen(ink(c), 1));
    Handle->drawPoint(x, y);
    selectpen();
}

void PS::mark(int x, int y, int type) {
    int m = Ms;
    switch (type) {
    case 1:
    case 4:
        move(x - m, y - m);
        lineto(x + m + 1, y + m + 1);
        move(x - m, y + m);
        lineto(x + m + 1, y - m - 1);
        if (type == 1) break;
        [[fallthrough]];
    case 2:
        move(x - m, y);
        lineto(x + m + 1, y);
        move(x, y + m);
        lineto(x, y - m - 1);
        break;
    case 3:
        move(x, y - m);
        lineto(x + m, y);
        lineto(x, y + m);
        lineto(x - m, y);
        lineto(x, y - m);
        break;
    case 10:
        point(x, y, Col);
        break;
    case 11:
        ellipse(x - m, y - m, x + m, y + m);
        break;
    default:
        move(x + m, y + m);
        lineto(x - m, y + m);
        lineto(x - m, y - m);
        lineto(x + m, y - m);
        lineto(x + m, y + m);
        break;
    }
}

void PS::rectangle(int x, int y, int w, int h) {
    if (!Handle || w <= 0 || h <= 0) return;
    flush();
    Handle->setBrush(Qt::NoBrush);
    // One pixel wide or high, the outline is that row or column.
    const double s = Smooth ? 0.5 : 0;
    if (w == 1 || h == 1)
        Handle->drawLine(QLineF(x + s, y + s, x + w - 1 + s, y + h - 1 + s));
    else
        Handle->drawRect(QRectF(x + s, y + s, w - 1, h - 1));
}

void PS::rectangle(int x, int y, int w, int h, Pen& p) {
    if (!Handle) return;
    otherpen(inkpen(*p.Handle));
    rectangle(x, y, w, h);
    selectpen();
}

void PS::filledrectangle(int x, int y, int w, int h, Color c) {
    bar(x, y, w, h, c);
    rectangle(x, y, w, h);
}

void PS::filledrectangle(int x, int y, int w, int h, Brush& b) {
    bar(x, y, w, h, b);
    rectangle(x, y, w, h);
}

void PS::bar(int x, int y, int w, int h, Color c) {
    flush();
    if (Handle && w > 0 && h > 0) Handle->fillRect(x, y, w, h, ink(c));
}

void PS::bar(int x, int y, int w, int h, Brush& b) {
    flush();
    if (Handle && w > 0 && h > 0) {
        if (Ident)
            Handle->fillRect(x, y, w, h, QColor::fromRgb(IdColor));
        else
            Handle->fillRect(x, y, w, h, *b.Handle);
    }
}

// The corners at the pixel centres when drawn smoothly.
static QPolygonF qpolygon(Points& p, double s) {
    QPolygonF q(p.N);
    for (int i = 0; i < p.N; ++i) q[i] = QPointF(p.P[i].x + s, p.P[i].y + s);
    return q;
}

void PS::polygon(Points& p, Color fill, Color line) {
    color(line);
    if (!Handle || p.N < 2) return;
    flush();
    Handle->setBrush(ink(fill));
    Handle->drawPolygon(qpolygon(p, Smooth ? 0.5 : 0), Qt::WindingFill);
    Handle->setBrush(Qt::NoBrush);
}

void PS::fillregion(Points& p, Color fill) {
    if (!Handle || p.N < 3) return;
    if (rasterfill(p, fill, 64)) return;
    flush();
    // On paper and in vector pictures the inside is a quarter opaque, as
    // when smooth: only a sharp picture of pixels is filled solid.
    QPaintDevice* d = Handle->device();
    const bool pixels = d && d->devType() == QInternal::Image;
    QColor c = ink(fill);
    if ((Smooth || !pixels) && !Ident) c.setAlpha(64);
    paintpolygon(p, c);
}

void PS::fillpolygon(Points& p, Color fill) {
    if (!Handle || p.N < 3) return;
    flush();
    paintpolygon(p, ink(fill));
}

void PS::paintpolygon(Points& p, const QColor& c) {
    otherpen(Qt::NoPen);
    Handle->setBrush(c);
    Handle->drawPolygon(qpolygon(p, Smooth ? 0.5 : 0), Qt::WindingFill);
    Handle->setBrush(Qt::NoBrush);
    selectpen();
}

// The ellipse inside the box from (left, top) to (right, bottom), right and
// bottom edges excluded.
void PS::ellipse(int left, int top, int right, int bottom) {
    if (!Handle || right - left < 1 || bottom - top < 1) return;
    RasterClip clip;
    QImage* im;
    if (right - left == bottom - top && Handle->pen().style() == Qt::SolidLine &&
        (im = smoothtarget(clip))) {
        const QColor c = Handle->pen().color();
        ringarc(*im, clip, devx((left + right - 1) / 2.0), devy((top + bottom - 1) / 2.0),
                (right - left - 1) / 2.0 * Scale, penwidth(), 0, 2 * M_PI,
                qRgb(c.red(), c.green(), c.blue()));
        return;
    }
    flush();
    const double s = Smooth ? 0.5 : 0;
    Handle->setBrush(Qt::NoBrush);
    Handle->drawEllipse(QRectF(left + s, top + s, right - left - 1, bottom - top - 1));
}

static int vradius(int r, double factor) {
    return factor == 1 ? r : static_cast<int>(r * factor);
}

void PS::circle(int x, int y, int r, double factor) {
    int r1 = vradius(r, factor);
    ellipse(x - r, y - r1, x + r, y + r1);
}

void PS::circle(int x, int y, int r, double factor, Pen& p) {
    if (!Handle) return;
    otherpen(inkpen(*p.Handle));
    circle(x, y, r, factor);
    selectpen();
}

void PS::arc(int x, int y, int r, double factor, double phi1, double phi2) {
    int r1 = vradius(r, factor);
    if (!Handle || r < 1 || r1 < 1) return;
    // The rays run from the centre through these whole-pixel points.
    int x1 = static_cast<int>(x + 100 * std::cos(phi1)),
        y1 = static_cast<int>(y + 100 * std::sin(phi1));
    int x2 = static_cast<int>(x + 100 * std::cos(phi2)),
        y2 = static_cast<int>(y + 100 * std::sin(phi2));
    // Angles on the ellipse as the painter counts them: counterclockwise on
    // screen from three o'clock.
    double rx = r, ry = r1;
    double a1 = std::atan2(-(y1 - y) / ry, (x1 - x) / rx) * 180 / M_PI;
    double a2 = std::atan2(-(y2 - y) / ry, (x2 - x) / rx) * 180 / M_PI;
    double span = std::fmod(a2 - a1 + 720.0, 360.0);
    if (span <= 0 || (x1 == x2 && y1 == y2)) span = 360;
    drawarc(x, y, r, r1, a1, span);
}

void PS::arcangles(int x, int y, int r, double from, double span) {
    if (!Handle || r < 1 || !(span > 0)) return;
    drawarc(x, y, r, r, from * 180 / M_PI, std::min(span * 180 / M_PI, 360.0));
}

void PS::arcangles(int x, int y, int r, double from, double span, Pen& p) {
    if (!Handle) return;
    otherpen(inkpen(*p.Handle));
    arcangles(x, y, r, from, span);
    selectpen();
}

void PS::drawarc(int x, int y, int r, int r1, double a1, double span) {
    // A smooth arc of a circle in a solid pen is a part of a ring, about
    // the same centre as the sharp arc's.
    RasterClip clip;
    QImage* im;
    if (r == r1 && Handle->pen().style() == Qt::SolidLine && (im = smoothtarget(clip))) {
        const QColor c = Handle->pen().color();
        ringarc(*im, clip, x * Scale + ShiftX, y * Scale + ShiftY, (r - 0.5) * Scale, penwidth(),
                a1 * M_PI / 180, span * M_PI / 180, qRgb(c.red(), c.green(), c.blue()));
        return;
    }
    flush();
    const double s = Smooth ? 0.5 : 0;
    QRectF box(x - r + s, y - r1 + s, 2 * r - 1, 2 * r1 - 1);
    Handle->setBrush(Qt::NoBrush);
    if (span == 360) {
        Handle->drawEllipse(box);
        return;
    }
    Handle->drawArc(box, static_cast<int>(std::lround(a1 * 16)),
                    static_cast<int>(std::lround(span * 16)));
}

void PS::arc(int x, int y, int r, double factor, double phi1, double phi2, Pen& p) {
    if (!Handle) return;
    otherpen(inkpen(*p.Handle));
    arc(x, y, r, factor, phi1, phi2);
    selectpen();
}

void PS::alignment(int halign, int valign, int update) {
    HAlign = halign;
    VAlign = valign;
    Update = update;
}

void PS::drawrun(int left, int top, const char* s, int n) {
    if (!Handle || n <= 0) return;
    flush();
    n = std::min<int>(n, MaxRun);
    const QString text = fonttext(s, n, Symbolic);
    const int base = top + Handle->fontMetrics().ascent();
    if (Modern) {
        // A halo of the background keeps the text readable over lines.
        QPainterPath path;
        path.addText(left, base, Handle->font(), text);
        Handle->strokePath(path,
                           QPen(ink(BackColor), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    }
    otherpen(ink(TextColor));
    Handle->drawText(left, base, text);
    selectpen();
}

static int hstart(int x, int w, int halign) {
    return halign == 1 ? x - w / 2 : halign == 2 ? x - w : x;
}

void PS::text(int x, int y, const char* s) {
    int w, h;
    textextent(s, w, h);
    if (!Update) {
        x = X;
        y = Y;
    }
    drawrun(hstart(x, w, HAlign), VAlign == 4 ? y - h : y, s, static_cast<int>(std::strlen(s)));
    if (!Update) X += HAlign == 1 ? 0 : HAlign == 2 ? -w : w;
}

void PS::text(int x, int y, const char* s, int halign, int valign) {
    int w, h;
    textextent(s, w, h);
    int top = valign == 4 ? y - h : valign == 5 ? y + h / 2 - h : y;
    drawrun(hstart(x, w, halign), top, s, static_cast<int>(std::strlen(s)));
}

// Where a line starting at p ends: a line end, or a blank when more text
// would not fit into w pixels.
const char* PS::oneline(const char* p, int x, int y, int w, int) {
    const char* b = p;
    const char* q = p;
    const char* e;
    for (;; ++q) {
        char c = *q;
        if (c == ' ') {
            if (textwidth(p, static_cast<int>(q - p)) > w && b > p) {
                e = b;
                break;
            }
            b = q;
        } else if (c == '\r' || c == '\n' || c == 0) {
            e = textwidth(p, static_cast<int>(q - p)) > w && b > p ? b : q;
            break;
        }
    }
    drawrun(x, y, p, static_cast<int>(e - p));
    if (*e == '\r') return e[1] == '\n' ? e + 2 : e + 1;
    if (*e == ' ' || *e == '\n') return e + 1;
    return e;
}

const char* PS::multiline(const char* p, int x, int y, int w, int h) {
    int l = textheight("Ty", 2);
    int ly = y + 1;
    for (;;) {
        while (*p == ' ') ++p;
        if (!*p || l + ly > y + h) return p;
        p = oneline(p, x, ly, w, h);
        ly += l * 9 / 8;
    }
}

void PS::ctext(RECT* r, const char* s) {
    int w, h;
    textextent(s, w, h);
    drawrun(r->left + (r->right - r->left - w) / 2, r->top + (r->bottom - r->top - h) / 2, s,
            static_cast<int>(std::strlen(s)));
}

void PS::textextent(const char* s, int& w, int& h) {
    textextent(s, static_cast<int>(std::strlen(s)), w, h);
}

void PS::textextent(const char* s, int n, int& w, int& h) {
    w = textwidth(s, n);
    h = textheight(s, n);
}

int PS::textwidth(const char* p, int n) {
    if (!Handle || n <= 0) return 0;
    n = std::min<int>(n, MaxRun);
    return Handle->fontMetrics().horizontalAdvance(fonttext(p, n, Symbolic));
}

int PS::textheight(const char*, int) {
    return textheight();
}

int PS::textheight() {
    return Handle ? Handle->fontMetrics().height() : 0;
}

int PS::textavewidth() {
    return Handle ? Handle->fontMetrics().averageCharWidth() : 0;
}

double PS::textdiameter(const char* s, double x, double y) {
    int w, h;
    textextent(s, w, h);
    double d = x * x + y * y;
    if (d == 0) return 0;
    return std::max(std::fabs(x * w + y * h), std::fabs(x * w - y * h)) / d;
}

const char* desktopfontname() {
    static std::string name;
    name = QFontDatabase::systemFont(QFontDatabase::GeneralFont).family().toStdString();
    if (name.empty()) name = "Sans";
    return name.c_str();
}
