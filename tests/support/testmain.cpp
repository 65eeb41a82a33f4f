// Runs the tests inside a Qt application on the offscreen platform, with the
// program's UI texts in place and the settings and autosaved copies in
// folders of their own, so that no test reads or changes the user's.
#include "bitmapps.h"
#include "gyrstrings.h"
#include "program.h"
#include "view.h"

#include <QApplication>
#include <QTemporaryDir>
#include <clocale>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir config, state;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    qputenv("XDG_STATE_HOME", state.path().toLocal8Bit());
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C"); // as the program does
    progstrings = GyrStrings;
    program.set(1, 0, 1); // windows made by the tests create themselves
    program.Wos->create();
    ::testing::InitGoogleTest(&argc, argv);
    int result = RUN_ALL_TESTS();
    // Surfaces and windows go before the toolkit does.
    delete bitmap;
    delete font;
    delete symbolfont;
    bitmap = nullptr;
    font = symbolfont = nullptr;
    program.end();
    return result;
}
