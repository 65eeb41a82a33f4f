// Every macro file the fuzzer kept, and the seed files, read as the fuzzer
// reads them: no crash, and what was read saves and reads back the same.
#include "readmacro.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

TEST(FuzzedMacros, KeptInputsReadSafelyAndBackAgain) {
    int n = 0;
    for (const char* folder : {"crashes", "corpus"}) {
        QDir dir(QString(GYREL_FUZZ_DIR) + "/" + folder);
        for (const QString& name : dir.entryList(QDir::Files)) {
            QFile f(dir.filePath(name));
            ASSERT_TRUE(f.open(QIODevice::ReadOnly));
            QByteArray bytes = f.readAll();
            EXPECT_EQ(readanymacro(
                          std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()))),
                      0)
                << folder << "/" << name.toStdString();
            ++n;
        }
    }
    EXPECT_GE(n, 3);
}
