#include "files.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

namespace {

QString path(const char* name) {
    return QFile::decodeName(QByteArray(name));
}

} // namespace

int readfile(const char* name, std::string& bytes) {
    QFile f(path(name));
    if (!f.open(QIODevice::ReadOnly)) return 0;
    QByteArray all = f.readAll();
    if (f.error() != QFileDevice::NoError) return 0;
    bytes.assign(all.constData(), static_cast<std::size_t>(all.size()));
    return 1;
}

WriteResult writefile(const char* name, const std::string& bytes) {
    QSaveFile f(path(name));
    if (!f.open(QIODevice::WriteOnly)) return NotOpened;
    qint64 n = static_cast<qint64>(bytes.size());
    if (f.write(bytes.data(), n) != n) {
        f.cancelWriting();
        return NotWritten;
    }
    return f.commit() ? Written : NotWritten;
}

std::string toutf8(const std::string& text) {
    return fromutf8(text);
}

std::string fromutf8(const std::string& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (!utf8.hasError()) return bytes.compare(0, 3, "\xef\xbb\xbf") == 0 ? bytes.substr(3) : bytes;
    // An older file, written in Latin-1.
    QByteArray u = QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size())).toUtf8();
    return std::string(u.constData(), static_cast<std::size_t>(u.size()));
}

String shownname(const char* name) {
    return String(path(name).toUtf8().constData());
}
