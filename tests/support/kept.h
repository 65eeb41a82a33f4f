// The inputs a fuzzer kept for one reader: the seed files and every input
// that once failed, each given to check as bytes with its name.
#pragma once

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <string>

// Calls check(bytes, name) for the files of folder/crashes and
// folder/corpus; the number of files.
template <class Check> int keptinputs(const char* folder, Check check) {
    int n = 0;
    for (const char* kind : {"crashes", "corpus"}) {
        QDir dir(QString(folder) + "/" + kind);
        for (const QString& name : dir.entryList(QDir::Files)) {
            QFile f(dir.filePath(name));
            EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name.toStdString();
            QByteArray bytes = f.readAll();
            check(std::string(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                  std::string(kind) + "/" + name.toStdString());
            ++n;
        }
    }
    return n;
}
