#include "files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <memory>

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

struct FileLock::Handle {
    std::unique_ptr<QLockFile> L;
};

FileLock::FileLock() : H(new Handle) {}

FileLock::~FileLock() {
    release();
    delete H;
}

int FileLock::take(const std::string& name) {
    release();
    H->L = std::make_unique<QLockFile>(path(name.c_str()));
    // Only the death of its program makes a lock stale, not its age.
    H->L->setStaleLockTime(0);
    if (H->L->tryLock(0)) return 1;
    H->L.reset();
    return 0;
}

void FileLock::release() {
    if (H->L) H->L->unlock();
    H->L.reset();
}

int FileLock::held() const {
    return H->L && H->L->isLocked();
}

std::string wholepath(const char* name) {
    if (!name || !*name) return "";
    return QFile::encodeName(QDir::cleanPath(QFileInfo(path(name)).absoluteFilePath()))
        .toStdString();
}

String shownname(const char* name) {
    return String(path(name).toUtf8().constData());
}
