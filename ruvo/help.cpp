#include "help.h"
#include "metafile.h"
#include "qtglue.h"
#include "windowpeer.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QMimeData>
#include <QPainter>
#include <QSvgRenderer>
#include <QTextBrowser>
#include <set>

namespace {

QTextBrowser* viewer(void* v) {
    return static_cast<QTextBrowser*>(v);
}

// A keyword as the name of its page: lower case, runs of other characters as '-'.
QString slug(const char* key) {
    QString s;
    for (QChar c : qstr(key).toLower())
        if (c.isLetterOrNumber())
            s += c;
        else if (!s.endsWith('-'))
            s += '-';
    while (s.endsWith('-')) s.chop(1);
    return s;
}

// Every help object, so that their viewers go before the toolkit does.
std::set<Help*>& helps() {
    static auto* all = new std::set<Help*>;
    return *all;
}

} // namespace

Help::Help(Window& w, const char* filename) : Filename(filename), W(&w) {
    helps().insert(this);
    ready();
}

Help::~Help() {
    release();
    helps().erase(this);
}

void Help::release() {
    delete viewer(Viewer);
    Viewer = nullptr;
}

void releasehelps() {
    for (Help* h : helps()) h->release();
}

void Help::create() {
    QString name = qstr(Filename.text());
    if (QFileInfo(name).isAbsolute()) return;
    String dir(program.filename());
    dir.stripfilename();
    QString path = QDir(QString::fromLocal8Bit(dir.text())).filePath(name);
    Filename.copy(path.toLocal8Bit().constData());
}

void Help::show(const char* page) {
    if (!Viewer) {
        auto* v = new QTextBrowser;
        v->setWindowTitle(qstr(String(20).text()));
        v->resize(560, 480);
        v->setOpenLinks(true);
        Viewer = v;
    }
    QString path = QString(":/help/") + page;
    if (!QFile::exists(path)) path = ":/help/index.html";
    viewer(Viewer)->setSource(QUrl("qrc" + path));
    viewer(Viewer)->show();
    // Above everything, also a dialog it was asked from.
    viewer(Viewer)->raise();
    viewer(Viewer)->activateWindow();
}

void Help::index() {
    show("index.html");
}

void Help::helponhelp() {
    show("helponhelp.html");
}

void Help::open(const char* key) {
    show((slug(key) + ".html").toUtf8().constData());
}

void Help::open(int id) {
    show(QString("topic%1.html").arg(id).toUtf8().constData());
}

void Help::close() {
    if (Viewer) viewer(Viewer)->hide();
}

String Help::page() const {
    if (!Viewer || !viewer(Viewer)->isVisible()) return String("");
    return String(viewer(Viewer)->source().path().toUtf8().constData());
}

void Clipboard::copy(Metafile& m, int xw, int xh) {
    auto* data = new QMimeData;
    std::string svg = m.take();
    QByteArray bytes(svg.data(), static_cast<qsizetype>(svg.size()));
    data->setData("image/svg+xml", bytes);
    QImage im(std::max(xw, 1), std::max(xh, 1), QImage::Format_RGB32);
    im.fill(Qt::white);
    QSvgRenderer r(bytes);
    if (r.isValid()) {
        QPainter p(&im);
        r.render(&p, QRectF(0, 0, xw, xh));
    }
    data->setImageData(im);
    QGuiApplication::clipboard()->setMimeData(data);
}

void Clipboard::copy(const char* s) {
    QGuiApplication::clipboard()->setText(qstr(s));
}

const String& Clipboard::gettext() {
    Content = QGuiApplication::clipboard()->text().toUtf8().constData();
    return Content;
}
