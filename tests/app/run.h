// The program run as a real process without a display, and a folder of
// files for it.
#pragma once

#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <string>

struct Outcome {
    int status;
    QString out, err;
};

// Runs gyrel with the arguments as a program without a display; a run
// that takes longer than the limit is killed and has the status -1.
inline Outcome gyrel(const QStringList& args, int milliseconds = 60000) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* v : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) env.remove(v);
    p.setProcessEnvironment(env);
    p.start(GYREL_PROGRAM, args);
    if (!p.waitForFinished(milliseconds)) {
        p.kill();
        p.waitForFinished();
        return {-1, QString(), QString::fromUtf8(p.readAllStandardError())};
    }
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

struct TempFiles {
    QTemporaryDir dir;
    std::string path(const char* name) const { return (dir.path() + "/" + name).toStdString(); }
    QString file(const char* name) const { return dir.path() + "/" + name; }
    void write(const char* name, const char* text) const {
        QFile f(file(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    }
};
