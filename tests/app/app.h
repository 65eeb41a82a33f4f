// The fixture of the tests that drive the real main window: the program is
// started once, and every test begins with an empty construction in the
// default view.
#pragma once

#include "action.h"
#include "bitmapps.h"
#include "commands.h"
#include "mainwindow.h"
#include "menu.h"
#include "objectlist.h"
#include "settings.h"
#include "toolbar.h"

#include <QApplication>
#include <QWidget>
#include <gtest/gtest.h>

struct Main : ::testing::Test {
    static void SetUpTestSuite() {
        static bool started = false;
        if (started) return;
        started = true;
        // No About box: the tests answer no real dialogs.
        static char name[] = "gyrel", noabout[] = "noabout";
        static char* args[] = {name, noabout, nullptr};
        startup(2, args);
        QApplication::processEvents();
    }
    void SetUp() override {
        objects.clear();
        window.history.clear();
        window.undomenu();
        counts.reset();
        window.adjustsize();
        window.setsize(-7.0, 7.0, -7.0, 7.0);
        window.blocked = 0;
        window.A = &pointaction;
        sharp();
        objects.changed.clear();
    }
    // No test leaves unsaved work, a file name or a copy of its work behind.
    void TearDown() override {
        objects.changed.clear();
        window.autosave.remove();
        loadname = "";
        window.settitle();
    }
    // The tests that look at pixels see the sharp ones of the pixel rules,
    // in the classic style.
    static void sharp() {
        window.Smooth = 0;
        window.Style = MainWindow::Classic;
        window.newpicture();
        menu.check(SmoothCommand, 0);
        showstyle();
    }
    // The drawing-area widget of the main window.
    static QWidget* drawing() {
        for (QWidget* w : QApplication::allWidgets())
            if (w->metaObject()->className() == QString("QWidget") && w->hasMouseTracking() &&
                w->focusPolicy() == Qt::StrongFocus)
                return w;
        return nullptr;
    }
};
