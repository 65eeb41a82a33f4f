#include "metafile.h"
#include "qtglue.h"

#include <QBuffer>
#include <QFile>
#include <QPainter>
#include <QSvgGenerator>
#include <QSvgRenderer>

MetafilePS::MetafilePS(int w, int h) : Buffer(new QBuffer), Generator(new QSvgGenerator) {
    Buffer->open(QIODevice::WriteOnly);
    Generator->setOutputDevice(Buffer);
    Generator->setSize(QSize(w, h));
    Generator->setViewBox(QRect(0, 0, w, h));
    Generator->setResolution(96);
    begin(Generator, w, h);
}

MetafilePS::~MetafilePS() {
    close();
    delete Generator;
    delete Buffer;
}

void MetafilePS::close() {
    if (Closed) return;
    end();
    Buffer->close();
    MetafileHandle.assign(Buffer->data().constData(), static_cast<std::size_t>(Buffer->size()));
    Closed = 1;
}

void MetafilePS::copy(PS& ps) {
    if (Closed) playsvg(MetafileHandle, ps, Width, Height);
}

static int writefile(const char* filename, const std::string& data) {
    QFile f(qstr(filename));
    if (!f.open(QIODevice::WriteOnly)) return 0;
    bool ok =
        f.write(data.data(), static_cast<qint64>(data.size())) == static_cast<qint64>(data.size());
    return ok && f.flush();
}

int MetafilePS::save(const char* filename) {
    return Closed ? writefile(filename, MetafileHandle) : 0;
}

void playsvg(const std::string& svg, PS& ps, int w, int h) {
    if (!ps.handle() || svg.empty()) return;
    QSvgRenderer r(QByteArray(svg.data(), static_cast<qsizetype>(svg.size())));
    if (!r.isValid()) return;
    ps.handle()->save();
    r.render(ps.handle(), QRectF(0, 0, w, h));
    ps.handle()->restore();
}

Metafile::Metafile(const char* filename) {
    QFile f(qstr(filename));
    if (!f.open(QIODevice::ReadOnly)) return;
    QByteArray d = f.readAll();
    QSvgRenderer r(d);
    if (!r.isValid()) return;
    Handle.assign(d.constData(), static_cast<std::size_t>(d.size()));
    QRect box = r.viewBox();
    Width = box.width();
    Height = box.height();
    Valid = 1;
}

Metafile::Metafile(MetafilePS& m) : Width(m.width()), Height(m.height()) {
    m.close();
    Handle = m.metafilehandle();
    Valid = !Handle.empty();
}

Metafile::~Metafile() = default;

void Metafile::copy(PS& ps) {
    playsvg(Handle, ps, Width, Height);
}

int Metafile::save(const char* filename) {
    return Valid ? writefile(filename, Handle) : 0;
}

std::string Metafile::take() {
    Valid = 0;
    return std::move(Handle);
}
