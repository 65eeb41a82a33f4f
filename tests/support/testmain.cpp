// Runs the tests inside a Qt application on the offscreen platform, with the
// program's UI texts in place.
#include "gyrstrings.h"
#include "program.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    progstrings = GyrStrings;
    program.set(1, 0, 1); // windows made by the tests create themselves
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
