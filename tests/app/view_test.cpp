// The mouse wheel, a pinch and the middle button move the view; the
// construction and the tool in progress stay as they are.
#include "angle.h"
#include "app.h"
#include "circle.h"
#include "commands.h"
#include "construction.h"
#include "derived.h"
#include "intersection.h"
#include "line.h"
#include "mainwindow.h"
#include "objectlist.h"
#include "point.h"
#include "settings.h"

#include <QApplication>
#include <QNativeGestureEvent>
#include <QPointingDevice>
#include <QTest>
#include <QWheelEvent>
#include <cmath>
#include <gtest/gtest.h>

namespace {

void turn(QWidget* area, QPoint at, QPoint notches, Qt::KeyboardModifiers mods = {}) {
    QWheelEvent e(at, area->mapToGlobal(at), QPoint(), notches * 120, Qt::NoButton, mods,
                  Qt::NoScrollPhase, false);
    QApplication::sendEvent(area, &e);
}

struct Wheel : Main {};

} // namespace

TEST_F(Wheel, TheWheelZoomsAboutTheCursor) {
    QWidget* area = drawing();
    ASSERT_NE(area, nullptr);
    window.action(&lineaction);
    new Point(0, 0);
    QTest::mouseClick(area, Qt::LeftButton, {}, QPoint(window.col(0), window.row(0)));
    ASSERT_EQ(lineaction.State, 2);
    objects.changed.clear();
    double w = window.x2() - window.x1();
    for (QPoint at : {QPoint(100, 80), QPoint(410, 250), QPoint(3, 290)}) {
        double x = window.x(at.x()), y = window.y(at.y());
        turn(area, at, QPoint(0, 1));
        EXPECT_NEAR(window.x2() - window.x1(), w * 5 / 6, 1e-9 * w) << "as the + key zooms";
        // The point of the construction under the cursor is still there.
        EXPECT_LE(std::abs(window.col(x) - at.x()), 1);
        EXPECT_LE(std::abs(window.row(y) - at.y()), 1);
        turn(area, at, QPoint(0, -1));
        EXPECT_NEAR(window.x2() - window.x1(), w, 1e-9 * w);
        EXPECT_LE(std::abs(window.col(x) - at.x()), 1);
        EXPECT_LE(std::abs(window.row(y) - at.y()), 1);
    }
    EXPECT_EQ(lineaction.State, 2) << "the tool goes on where it was";
    EXPECT_FALSE(objects.changed) << "zooming keeps the flag, as the keys do";
    EXPECT_NEAR((window.x2() - window.x1()) / (window.y2() - window.y1()),
                static_cast<double>(window.viewwidth()) / window.viewheight(), 1e-9);

    // A view cannot shrink to nothing or grow beyond drawing.
    for (int i = 0; i < 400; ++i) turn(area, QPoint(100, 100), QPoint(0, 1));
    EXPECT_GT(window.x2() - window.x1(), 0);
    EXPECT_TRUE(std::isfinite(window.pixel()));
    for (int i = 0; i < 800; ++i) turn(area, QPoint(100, 100), QPoint(0, -1));
    EXPECT_TRUE(std::isfinite(window.x2() - window.x1()));
    EXPECT_LT(window.x2() - window.x1(), 1e10);
    window.action(&pointaction);
}

TEST_F(Wheel, PinchZoomsAndTheMiddleButtonAndShiftWheelPan) {
    QWidget* area = drawing();
    ASSERT_NE(area, nullptr);
    QPoint at(200, 100);
    double x = window.x(at.x()), y = window.y(at.y()), w = window.x2() - window.x1();
    QNativeGestureEvent pinch(Qt::ZoomNativeGesture, QPointingDevice::primaryPointingDevice(), 2,
                              at, at, area->mapToGlobal(at), 0.25, QPointF());
    QApplication::sendEvent(area, &pinch);
    EXPECT_NEAR(window.x2() - window.x1(), w / 1.25, 1e-9 * w);
    EXPECT_LE(std::abs(window.col(x) - at.x()), 1);
    EXPECT_LE(std::abs(window.row(y) - at.y()), 1);

    // The middle button drags the construction with the mouse; the tool
    // sees nothing of it.
    Point* p = new Point(x, y);
    int points = objects.count();
    QTest::mousePress(area, Qt::MiddleButton, {}, at);
    QTest::mouseMove(area, at + QPoint(30, 10));
    QTest::mouseMove(area, at + QPoint(50, -20));
    QTest::mouseRelease(area, Qt::MiddleButton, {}, at + QPoint(50, -20));
    EXPECT_LE(std::abs(window.col(p->x()) - (at.x() + 50)), 1);
    EXPECT_LE(std::abs(window.row(p->y()) - (at.y() - 20)), 1);
    EXPECT_EQ(objects.count(), points) << "no point made";
    EXPECT_TRUE(objects.changed) << "the view is part of the file";

    // Shift and the wheel: a tenth of the view a notch, up and down; with
    // Control, or a sideways wheel, left and right.
    double y1 = window.y1(), x1 = window.x1(), h = window.y2() - window.y1();
    w = window.x2() - window.x1();
    turn(area, at, QPoint(0, 1), Qt::ShiftModifier);
    EXPECT_NEAR(window.y1(), y1 + 0.1 * h, 1e-6 * h) << "up";
    EXPECT_NEAR(window.x1(), x1, 1e-12);
    turn(area, at, QPoint(-1, 0));
    EXPECT_NEAR(window.x1(), x1 + 0.1 * w, 1e-6 * w) << "a sideways wheel to the right";
    turn(area, at, QPoint(0, 1), Qt::ShiftModifier | Qt::ControlModifier);
    EXPECT_NEAR(window.x1(), x1, 1e-6 * w) << "and back";
}

TEST_F(Wheel, DragFramesShowWhatAFullRedrawShows) {
    // Objects that move with the dragged point cross objects that do not,
    // before and after them in the list; a tracked point leaves its track.
    Point* a = new Point(-4, -2);
    Point* b = new Point(3, 2);
    new Circle(new Point(0, 0), new Point(2, 0));
    Line* l = new Line(a, b);
    l->setcolor(1);
    new Segment(new Point(-5, 2), new Point(5, -2));
    auto* m = new Middle(a, b);
    m->trackpoint(1);
    m->starttrack();
    for (int smooth : {0, 1}) {
        if (smooth != window.Smooth) window.command(SmoothCommand);
        window.action(&moveaction);
        QPoint at(window.col(a->x()), window.row(a->y()));
        window.clicked(at.x(), at.y(), 1);
        ASSERT_EQ(moveaction.P, a);
        for (int i = 1; i <= 5; ++i) window.clicked(at.x() + 8 * i, at.y() - 5 * i, 9);
        QImage frame = bitmap->bitmaphandle()->copy();
        objects.draw(*bitmap);
        QImage full = bitmap->bitmaphandle()->copy();
        if (!smooth) {
            EXPECT_EQ(frame, full) << "sharp frames are whole redraws";
        } else {
            QImage f = frame.scaled(frame.width() / 4, frame.height() / 4, Qt::IgnoreAspectRatio,
                                    Qt::SmoothTransformation);
            QImage g = full.scaled(f.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            int far = 0;
            for (int y = 0; y < f.height(); ++y)
                for (int x = 0; x < f.width(); ++x)
                    far += std::abs(qGray(f.pixel(x, y)) - qGray(g.pixel(x, y))) > 48;
            EXPECT_LE(far, 2) << "the same objects in the same places";
            EXPECT_NE(frame.pixel(window.col(a->x()), window.row(a->y())), qRgb(255, 255, 255))
                << "the dragged point where it is now";
        }
        window.clicked(at.x() + 40, at.y() - 25, 0);
        EXPECT_EQ(moveaction.P, nullptr);
    }
    window.command(SmoothCommand);
    window.action(&pointaction);
}

TEST_F(Wheel, SharpDragFramesAreTheWholeDrawingsPixels) {
    // Every kind of object, names and sizes shown, a hidden object under
    // Show All, a colour filtered out, the grid: dragged objects cross still
    // ones drawn before and after them.
    Point* a = new Point(-4, -2);
    Point* b = new Point(3, 1.5);
    Point* c = new Point(-1, 2.5);
    c->showname = 1;
    auto* ab = new Segment(a, b);
    ab->showlength = 1;
    new Circle(c, new Point(1, 2.5));
    Line* still = new Line(new Point(-6, 1), new Point(6, -1));
    still->setcolor(2);
    auto* w = new Angle(a, c, b);
    w->showsize = 1;
    makecircle3(b, a, c);
    makeparallel(c, ab, 0)->setcolor(3);
    makeparallel(new Point(2, -2.5), ab, 1);
    new Intersection(still, ab);
    (new Ray(new Point(-6, -2.5), b))->setcolor(4);
    new Pointon(still, 0, 0);
    Segment* hidden = new Segment(new Point(-5, 2.5), new Point(5, -2.5));
    hidden->ishidden = 1;
    (new Line(new Point(-6, 0), new Point(6, 0.5)))->setcolor(5);
    objectcolors.choose(5, 0);
    window.showhidden = 1;
    grid = 1;
    window.action(&moveaction);
    QPoint at(window.col(a->x()), window.row(a->y()));
    window.clicked(at.x(), at.y(), 1);
    ASSERT_EQ(moveaction.P, a);
    for (int i = 1; i <= 6; ++i) {
        window.clicked(at.x() + 9 * i, at.y() - 4 * i, 9);
        QImage frame = bitmap->bitmaphandle()->copy();
        objects.draw(*bitmap);
        ASSERT_EQ(frame, bitmap->bitmaphandle()->copy()) << "frame " << i;
    }
    window.clicked(at.x() + 54, at.y() - 24, 0);
    grid = 0;
    window.showhidden = 0;
    objectcolors.all();
    window.action(&pointaction);
}
