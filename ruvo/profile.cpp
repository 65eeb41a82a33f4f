#include "profile.h"
#include "files.h"
#include "qtglue.h"

#include <QDir>
#include <QSettings>
#include <climits>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

// The part of the key path after its root ("Software\"): the settings'
// section in the file.
QString section(const String& a) {
    const char* p = std::strrchr(a.text(), '\\');
    return qstr(p ? p + 1 : a.text());
}

QString configfolder() {
    QString xdg = qEnvironmentVariable("XDG_CONFIG_HOME");
    // A relative XDG_CONFIG_HOME is invalid and is ignored, as the
    // desktop's rules say.
    if (!xdg.isEmpty() && QDir::isAbsolutePath(xdg)) return xdg;
    return QDir::homePath() + "/.config";
}

// The settings file, opened at the program's section.
std::unique_ptr<QSettings> open(const Profile& p) {
    auto s =
        std::make_unique<QSettings>(QString::fromLocal8Bit(p.file().text()), QSettings::IniFormat);
    s->beginGroup(section(p.A));
    return s;
}

} // namespace

Profile::Profile(const char* key, const char* file) : A("Software\\"), S(""), Buffer("", 256) {
    A.cat(key);
    File = file;
}

String Profile::file() const {
    QString f = QString::fromLocal8Bit(File.text());
    QString path = configfolder() + "/" + f + "/" + f + ".ini";
    return String(path.toLocal8Bit().constData());
}

void Profile::path(const char* name) {
    S = A;
    S.cat("\\");
    S.cat(name);
}

int Profile::lookup(const char* name) {
    path(name);
    QVariant v = open(*this)->value(qstr(name));
    // A hand-edited file may hold a list or other types where a text belongs:
    // they count as unreadable.
    if (!v.isValid() || v.typeId() != QMetaType::QString) return 0;
    QByteArray t = v.toString().toUtf8();
    Buffer = fromutf8(std::string(t.constData(), static_cast<std::size_t>(t.size()))).c_str();
    return 1;
}

void Profile::store(const char* name, const char* text) {
    path(name);
    std::string u = toutf8(text);
    open(*this)->setValue(qstr(name),
                          QString::fromUtf8(u.data(), static_cast<qsizetype>(u.size())));
}

long Profile::readlong(const char* name, long fallback) {
    std::snprintf(def, sizeof def, "%ld", fallback);
    if (!lookup(name)) Buffer = def;
    long v = fallback;
    return Buffer.tolong(v) ? v : fallback;
}

int Profile::readint(const char* name, int fallback) {
    long v = readlong(name, fallback);
    return v >= INT_MIN && v <= INT_MAX ? static_cast<int>(v) : fallback;
}

double Profile::readdouble(const char* name, double fallback) {
    std::snprintf(def, sizeof def, "%.17g", fallback);
    if (!lookup(name)) Buffer = def;
    double v = fallback;
    return Buffer.todouble(v) ? v : fallback;
}

void Profile::writelong(const char* name, long value) {
    std::snprintf(buffer, sizeof buffer, "%ld", value);
    store(name, buffer);
}

void Profile::writeint(const char* name, int value) {
    writelong(name, value);
}

void Profile::writedouble(const char* name, double value) {
    // The program's numbers are written with "." in every locale.
    QByteArray t = QByteArray::number(value, 'g', 17);
    std::snprintf(buffer, sizeof buffer, "%s", t.constData());
    store(name, buffer);
}

const char* Profile::read(const char* name, const char* fallback) {
    if (!lookup(name)) Buffer = fallback;
    return Buffer.text();
}

void Profile::write(const char* name, const char* text) {
    store(name, text);
}

void Profile::remove(const char* name) {
    open(*this)->remove(qstr(name));
}

void Profile::remove() {
    // The empty key inside the section removes the whole section.
    open(*this)->remove("");
}
