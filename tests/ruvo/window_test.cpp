#include "standardwindow.h"
#include "surface.h"
#include "windowpeer.h"

#include <QApplication>
#include <QMainWindow>
#include <gtest/gtest.h>

namespace {

class Painted : public StandardWindow {
  public:
    Painted() : StandardWindow("Test", 120, 80) {}
    void redraw(PS& ps) override {
        ++Redraws;
        ps.bar(0, 0, ps.width(), ps.height(), Color(0, 0, 255));
    }
    void sized() override { ++Sized; }
    int Redraws = 0, Sized = 0;
    QImage screen() { return Handle->Screen; }
};

} // namespace

TEST(Window, PaintRequestsAndWindowSurfaces) {
    Painted w;
    w.init();
    QApplication::processEvents();
    EXPECT_GT(w.Sized, 0);
    EXPECT_GT(w.width(), 0);
    w.handle()->Area->repaint();
    EXPECT_GT(w.Redraws, 0);
    EXPECT_EQ(QColor(w.screen().pixel(w.width() / 2, w.height() / 2)), QColor(0, 0, 255));

    {
        WindowPS ps(w);
        ASSERT_NE(ps.handle(), nullptr);
        EXPECT_EQ(ps.width(), w.width());
        ps.bar(0, 0, 10, 10, Color(255, 0, 0));
    }
    EXPECT_EQ(QColor(w.screen().pixel(5, 5)), QColor(255, 0, 0));

    // A bitmap shown in the window.
    BitmapPS b(w, 4, 4);
    b.bar(0, 0, 4, 4, Color(0, 255, 0));
    b.copy();
    EXPECT_EQ(QColor(w.screen().pixel(3, 3)), QColor(0, 255, 0));
    EXPECT_EQ(QColor(w.screen().pixel(4, 4)), QColor(255, 0, 0));
}
