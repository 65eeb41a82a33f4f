#include "picture.h"
#include "qtglue.h"

#include <QBuffer>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <algorithm>
#include <cstring>

PicturePS::PicturePS(Kind kind, int w, int h, int transparent) : K(kind), Transparent(transparent) {
    w = std::max(w, 1);
    h = std::max(h, 1);
    if (K == Png) {
        Image = new QImage(w, h, QImage::Format_ARGB32_Premultiplied);
        Image->fill(Qt::transparent);
        begin(Image, w, h);
        smooth(1);
        return;
    }
    Buffer = new QBuffer;
    Buffer->open(QIODevice::WriteOnly);
    if (K == Svg) {
        auto* g = new QSvgGenerator;
        g->setOutputDevice(Buffer);
        g->setSize(QSize(w, h));
        g->setViewBox(QRect(0, 0, w, h));
        g->setResolution(96);
        Device = g;
    } else {
        // One page of the picture's size, one point a pixel, no margins.
        auto* p = new QPdfWriter(Buffer);
        p->setResolution(72);
        p->setPageLayout(QPageLayout(QPageSize(QSizeF(w, h), QPageSize::Point),
                                     QPageLayout::Portrait, QMarginsF()));
        Device = p;
    }
    begin(Device, w, h);
}

PicturePS::~PicturePS() {
    end();
    delete Image;
    if (K == Svg) delete static_cast<QSvgGenerator*>(Device);
    if (K == Pdf) delete static_cast<QPdfWriter*>(Device);
    delete Buffer;
}

void PicturePS::erase() {
    if (K == Png && Transparent) {
        if (Handle) {
            flush();
            Handle->save();
            Handle->setCompositionMode(QPainter::CompositionMode_Clear);
            Handle->fillRect(QRect(0, 0, Width, Height), Qt::transparent);
            Handle->restore();
        }
        return;
    }
    bar(0, 0, Width, Height, Color(255, 255, 255));
}

std::string PicturePS::bytes() {
    if (Done) return Bytes;
    Done = 1;
    int ended = end();
    if (K == Png) {
        QBuffer b;
        b.open(QIODevice::WriteOnly);
        if (ended && Image->save(&b, "PNG")) Bytes.assign(b.data().constData(), b.data().size());
    } else {
        Buffer->close();
        if (ended) Bytes.assign(Buffer->data().constData(), Buffer->data().size());
    }
    return Bytes;
}

WriteResult PicturePS::write(const char* filename) {
    std::string b = bytes();
    if (b.empty()) return NotWritten;
    return writefile(filename, b);
}

int PicturePS::kindof(const char* filename) {
    const char* dot = std::strrchr(filename, '.');
    const char* slash = std::strrchr(filename, '/');
    if (!dot || (slash && slash > dot)) return -1;
    QString e = qstr(dot + 1).toLower();
    return e == "png" ? Png : e == "svg" ? Svg : e == "pdf" ? Pdf : -1;
}
