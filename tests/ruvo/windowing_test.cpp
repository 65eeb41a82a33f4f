#include "bars.h"
#include "help.h"
#include "menu.h"
#include "metafile.h"
#include "resources.h"
#include "standardwindow.h"
#include "windowpeer.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QResizeEvent>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

std::vector<int> handled;
void h2001() {
    handled.push_back(2001);
}
void h2004() {
    handled.push_back(2004);
}
void h1001() {
    handled.push_back(1001);
}
void hfirst() {
    handled.push_back(-1);
}
void hlast() {
    handled.push_back(-2);
}
void h4001() {
    handled.push_back(4001);
}

const MenuSpec testmenu[] = {
    {MenuSpec::Popup, "&File", 0},
    {MenuSpec::Item, "&Load \t^L", 1001},
    {MenuSpec::Separator, nullptr, 0},
    {MenuSpec::Item, "E&xit \t^X", 1002},
    {MenuSpec::End, nullptr, 0},
    {MenuSpec::Popup, "Fi&gures", 0},
    {MenuSpec::Item, "&Point \tP", 2001},
    {MenuSpec::Popup, "Ste&p", 0},
    {MenuSpec::Item, "Step forward \t^Down", 4008},
    {MenuSpec::End, nullptr, 0},
    {MenuSpec::Item, "&Line \tL", 2004},
    {MenuSpec::End, nullptr, 0},
    {MenuSpec::Popup, "&Run Macros", 0},
    {MenuSpec::End, nullptr, 0},
    {MenuSpec::End, nullptr, 0},
};

const Accel accels[] = {
    {Accel::Char, 'p', 0, 2001},      {Accel::Char, 'P', 0, 2001},
    {Accel::Char, '+', 0, 7007},      {Accel::Key, 'L', MOD_CONTROL, 1001},
    {Accel::Key, VK_LEFT, 0, 7004},   {Accel::Key, VK_DOWN, MOD_CONTROL, 4008},
    {Accel::Key, VK_F1 + 5, 0, 3007},
};
Accelerators acceltable(accels, sizeof accels / sizeof *accels);

const char* const svgs[] = {
    "<svg xmlns='http://www.w3.org/2000/svg' width='24' height='24'><circle cx='12' cy='12' "
    "r='3'/></svg>",
    "<svg xmlns='http://www.w3.org/2000/svg' width='24' height='24'><line x1='2' y1='22' "
    "x2='22' y2='2' stroke='black'/></svg>",
    "<svg xmlns='http://www.w3.org/2000/svg' width='24' height='24'><rect x='4' y='4' "
    "width='16' height='16' fill='none' stroke='black'/></svg>",
};

struct Event {
    std::string kind;
    int a, b, c;
    bool operator==(const Event& o) const {
        return kind == o.kind && a == o.a && b == o.b && c == o.c;
    }
};

std::ostream& operator<<(std::ostream& o, const Event& e) {
    return o << e.kind << "(" << e.a << "," << e.b << "," << e.c << ")";
}

class Probe : public StandardWindow {
  public:
    Probe() : StandardWindow("Probe", 400, 300), M(*this, "TestMenu") {
        B.addbutton(2001, "Point");
        B.addbutton(2004, "Line");
        B.addseparator();
        B.addcheck(4001, "Hide/Unhide All");
        init();
        M.init();
        M.add(2001, h2001);
        M.add(2004, h2004);
        M.add(1001, h1001);
        M.add(4001, h4001);
        S = new StatusBar(*this, 5000);
        T = new ToolBar(*this, 1, B, 6000);
        QApplication::processEvents();
    }
    ~Probe() override {
        delete T;
        delete S;
    }
    void clicked(int x, int y, int type) override { E.push_back({"clicked", x, y, type}); }
    void key(int f, int c, int s) override { E.push_back({"key", f, c, s}); }
    void sized() override { E.push_back({"sized", Width, Height, 0}); }
    void statechanged(int s) override { E.push_back({"state", s, 0, 0}); }
    int close() override {
        E.push_back({"close", 0, 0, 0});
        return Closable;
    }
    void user(int n, long p) override { E.push_back({"user", n, static_cast<int>(p), 0}); }
    void timer(int n) override { E.push_back({"timer", n, 0, 0}); }
    QWidget* area() { return Handle->Area; }
    QMainWindow* frame() { return Handle->Frame; }
    int minwidth() const { return Minwidth; }

    Menu M;
    Buttons B;
    StatusBar* S;
    ToolBar* T;
    std::vector<Event> E;
    int Closable = 0;
};

struct Windowing : ::testing::Test {
    static void SetUpTestSuite() {
        definemenu("TestMenu", testmenu);
        definebitmap(1, svgs, 3);
    }
    void SetUp() override { handled.clear(); }
};

} // namespace

TEST_F(Windowing, MouseEventsWithTheirCodes) {
    Probe w;
    ASSERT_NE(w.Tb, nullptr);
    EXPECT_GT(w.yoffset(), 0) << "the tool bar lies above the drawing area";
    EXPECT_EQ(w.xoffset(), 0);
    w.E.clear();
    QWidget* a = w.area();
    QTest::mousePress(a, Qt::LeftButton, {}, QPoint(10, 20));
    QTest::mouseRelease(a, Qt::LeftButton, {}, QPoint(11, 21));
    QTest::mousePress(a, Qt::RightButton, {}, QPoint(30, 40));
    QTest::mouseRelease(a, Qt::RightButton, {}, QPoint(30, 40));
    QTest::mousePress(a, Qt::MiddleButton, {}, QPoint(5, 6));
    QTest::mouseRelease(a, Qt::MiddleButton, {}, QPoint(5, 6));
    QTest::mouseClick(a, Qt::LeftButton, {}, QPoint(7, 8));
    QTest::mouseDClick(a, Qt::LeftButton, {}, QPoint(7, 8));
    QTest::mouseMove(a, QPoint(50, 60));
    std::vector<Event> want = {{"clicked", 10, 20, 1}, {"clicked", 11, 21, 0},
                               {"clicked", 30, 40, 4}, {"clicked", 30, 40, 3},
                               {"clicked", 5, 6, 7},   {"clicked", 5, 6, 6}};
    ASSERT_GE(w.E.size(), want.size());
    for (size_t i = 0; i < want.size(); ++i) EXPECT_EQ(w.E[i], want[i]) << i;
    // A double click: press, release, the double click, and its release is
    // not counted (no press came before it).
    std::vector<Event> rest(w.E.begin() + static_cast<long>(want.size()), w.E.end());
    std::vector<Event> clicks;
    for (const Event& e : rest)
        if (e.c != 9) clicks.push_back(e);
    std::vector<Event> dbl = {{"clicked", 7, 8, 1}, {"clicked", 7, 8, 0}, {"clicked", 7, 8, 2}};
    EXPECT_EQ(clicks, dbl);
    EXPECT_EQ(rest.back(), (Event{"clicked", 50, 60, 9}));

    // Releases whose press happened elsewhere reach no one.
    w.E.clear();
    QTest::mouseRelease(a, Qt::RightButton, {}, QPoint(1, 1));
    QTest::mouseRelease(a, Qt::LeftButton, {}, QPoint(1, 1));
    for (const Event& e : w.E) EXPECT_EQ(e.c, 9) << e;
}

TEST_F(Windowing, SizeChanges) {
    Probe w;
    w.E.clear();
    w.frame()->resize(520, 380);
    QApplication::processEvents();
    ASSERT_FALSE(w.E.empty());
    EXPECT_EQ(w.E.back().kind, "sized");
    EXPECT_EQ(w.width(), w.area()->width());
    EXPECT_EQ(w.height(), w.area()->height());
    RECT& r = w.client();
    EXPECT_EQ(r.right, w.width());
    EXPECT_EQ(r.bottom, w.yoffset() + w.height() + w.frame()->statusBar()->height());

    // An empty size is ignored.
    w.E.clear();
    int width = w.width();
    QResizeEvent empty(QSize(0, 0), w.area()->size());
    QApplication::sendEvent(w.area(), &empty);
    EXPECT_TRUE(w.E.empty());
    EXPECT_EQ(w.width(), width);

    // Minimised: the state is reported, nothing is sized.
    w.sizeevent(SIZE_MINIMIZED, 10, 10);
    ASSERT_EQ(w.E.size(), 1u);
    EXPECT_EQ(w.E[0], (Event{"state", SIZE_MINIMIZED, 0, 0}));
    EXPECT_EQ(w.width(), width);
    w.sizeevent(SIZE_RESTORED, 10, 10);
    EXPECT_EQ(w.E[1], (Event{"state", SIZE_RESTORED, 0, 0}));

    // The client area asked for is what the window gets.
    w.clientsize(500, 300);
    QApplication::processEvents();
    RECT& c = w.client();
    EXPECT_EQ(c.right, 500);
    EXPECT_EQ(c.bottom, 300);
    w.clientmin(200, 200);
    EXPECT_GE(w.minwidth(), 200);
}

TEST_F(Windowing, KeysAndAccelerators) {
    Probe w, other;
    program.Main = &w;
    program.Accel = &acceltable;
    w.E.clear();
    QWidget* a = w.area();
    QTest::keyClick(a, Qt::Key_P);
    QTest::keyClick(a, Qt::Key_L, Qt::ControlModifier);
    QTest::keyClick(a, Qt::Key_Down, Qt::ControlModifier);
    QTest::keyClick(a, Qt::Key_F6);
    EXPECT_EQ(handled, (std::vector<int>{2001, 1001})) << "7007, 4008 and 3007 have no handler";
    // The accelerated character is not delivered; its key goes by.
    std::vector<Event> keys = {{"key", 6, 0, 'P'},
                               {"key", 5, 0, 'P'},
                               {"key", 5, 0, 'L'},
                               {"key", 5, 0, VK_DOWN},
                               {"key", 5, 0, VK_F1 + 5}};
    std::vector<Event> got;
    for (const Event& e : w.E)
        if (e.kind == "key" && e.c != VK_CONTROL) got.push_back(e);
    EXPECT_EQ(got, keys);

    // Without an accelerator: the key and the character.
    w.E.clear();
    QTest::keyClick(a, Qt::Key_Q);
    EXPECT_EQ(w.E,
              (std::vector<Event>{{"key", 6, 0, 'Q'}, {"key", 10, 'q', 0}, {"key", 5, 0, 'Q'}}));

    // Another window's keys meet no accelerator.
    handled.clear();
    QTest::keyClick(other.area(), Qt::Key_P);
    EXPECT_TRUE(handled.empty());
    EXPECT_EQ(other.E[other.E.size() - 2], (Event{"key", 10, 'p', 0}));
    program.Main = nullptr;
    program.Accel = nullptr;
}

TEST_F(Windowing, MenuCommands) {
    Probe w;
    QMenuBar* mb = w.frame()->menuBar();
    ASSERT_EQ(mb->actions().size(), 3);
    EXPECT_EQ(mb->actions()[0]->text(), "&File");
    EXPECT_EQ(w.M.items(0), 3) << "Load, a separator, Exit";
    EXPECT_STREQ(w.M.caption(0, 0).text(), "&Load\t^L");
    EXPECT_STREQ(w.M.caption(1, 1).text(), "Ste&p");

    // A menu item sends its number.
    mb->actions()[1]->menu()->actions()[0]->trigger();
    EXPECT_EQ(handled, (std::vector<int>{2001}));
    EXPECT_EQ(w.M.command(), 2001);

    // The handler added last wins; unknown numbers fall through.
    handled.clear();
    w.M.add(7, hfirst);
    w.M.add(7, hlast);
    EXPECT_EQ(w.M.call(7), 1);
    EXPECT_EQ(handled, (std::vector<int>{-2}));
    EXPECT_EQ(w.M.call(12345), 0);
    EXPECT_EQ(w.M.command(), 12345);
    EXPECT_EQ(w.command(12345), 0);

    w.M.check(2004, 1);
    EXPECT_EQ(w.M.checked(2004), 1);
    w.M.check(2004, 0);
    EXPECT_EQ(w.M.checked(2004), 0);
    w.M.enable(4008, 0);
    EXPECT_EQ(w.M.enabled(4008), 0) << "items of sub-menus too";
    w.M.enable(4008, 1);
    EXPECT_EQ(w.M.enabled(4008), 1);

    handled.clear();
    w.M.append(2, 7201, "Macro_1", h2004);
    EXPECT_EQ(w.M.items(2), 1);
    mb->actions()[2]->menu()->actions()[0]->trigger();
    EXPECT_EQ(handled, (std::vector<int>{2004}));
    w.M.remove(2, 7201);
    EXPECT_EQ(w.M.items(2), 0);
    EXPECT_EQ(w.M.call(7201), 0);
}

TEST_F(Windowing, ToolBarAndStatusBar) {
    Probe w;
    QToolBar* t = w.frame()->findChild<QToolBar*>();
    ASSERT_NE(t, nullptr);
    // The buttons stand on one panel in rows; the separator is a line.
    QWidget* panel = t->findChild<QWidget*>("buttons");
    ASSERT_NE(panel, nullptr);
    QList<QToolButton*> buttons = panel->findChildren<QToolButton*>();
    ASSERT_EQ(buttons.size(), 3);
    EXPECT_EQ(buttons[1]->defaultAction()->toolTip(), "Line");
    EXPECT_FALSE(buttons[0]->defaultAction()->icon().isNull());
    EXPECT_STREQ(w.B.tip(4001), "Hide/Unhide All");
    EXPECT_STREQ(w.B.tipnumber(2), "Hide/Unhide All");
    EXPECT_STREQ(w.B.tipnumber(3), "");
    EXPECT_EQ(w.B.button(3), nullptr);
    EXPECT_EQ(w.B.size(), 4);
    EXPECT_EQ(w.B.nbuttons(), 3);

    // A click sends the command; a push button's look is the program's.
    QToolButton* b = buttons[1];
    QTest::mouseClick(b, Qt::LeftButton);
    EXPECT_EQ(handled, (std::vector<int>{2004}));
    EXPECT_EQ(w.T->pressed(2004), 0);
    w.T->press(2004);
    EXPECT_EQ(w.T->pressed(2004), 1);
    QTest::mouseClick(b, Qt::LeftButton);
    EXPECT_EQ(w.T->pressed(2004), 1);
    w.T->release(2004);
    EXPECT_EQ(w.T->pressed(2004), 0);

    // A check button keeps its state.
    w.T->click(2);
    EXPECT_EQ(handled.back(), 4001);
    EXPECT_EQ(w.T->checked(4001), 1);
    w.T->uncheck(4001);
    EXPECT_EQ(w.T->checked(4001), 0);
    EXPECT_GT(w.T->height(), 0);

    w.S->settext("Point: Generate a point!", 0);
    auto* pane = w.frame()->statusBar()->findChild<QLabel*>("pane");
    ASSERT_NE(pane, nullptr);
    EXPECT_EQ(pane->text(), "Point: Generate a point!");
    EXPECT_TRUE(pane->alignment() & Qt::AlignLeft);
    w.S->settext("centred", 1);
    EXPECT_TRUE(pane->alignment() & Qt::AlignHCenter);
    w.S->settext("right", 2);
    EXPECT_TRUE(pane->alignment() & Qt::AlignRight);
    EXPECT_STREQ(w.S->text().text(), "right");
    EXPECT_GT(w.S->setpanes(), 0);

    // The cursor of the drawing area leaves the bars alone.
    w.setcursor(2);
    EXPECT_EQ(w.area()->cursor().shape(), Qt::CrossCursor);
    EXPECT_NE(t->cursor().shape(), Qt::CrossCursor);
    w.setcursor(3);
    EXPECT_EQ(w.area()->cursor().shape(), Qt::WaitCursor);
    w.setcursor(5);
    EXPECT_EQ(w.area()->cursor().shape(), Qt::CrossCursor) << "the cursor before";
    const char* const art[] = {"##", "#.", nullptr};
    Cursor own(art, 0, 0);
    w.setcursor(own);
    EXPECT_EQ(w.area()->cursor().shape(), Qt::BitmapCursor);
}

TEST_F(Windowing, PanesCloseUserAndTimers) {
    Probe w;
    double f[] = {0.5, 0.25};
    StandardWindow plain("Panes", 400, 200);
    plain.init();
    StatusBar panes(plain, 2, f, 5001);
    panes.settext(1, "second", 0, 0);
    EXPECT_STREQ(panes.text(1).text(), "second");
    EXPECT_GT(panes.setpanes(), 0);

    w.E.clear();
    w.frame()->close();
    EXPECT_EQ(w.E, (std::vector<Event>{{"close", 0, 0, 0}}));
    EXPECT_TRUE(w.frame()->isVisible()) << "close() said no";

    w.E.clear();
    w.usermessage(3, 42);
    QApplication::processEvents();
    EXPECT_EQ(w.E, (std::vector<Event>{{"user", 3, 42, 0}}));

    w.E.clear();
    w.settimer(7, 1);
    QTest::qWait(30);
    w.killtimer(7);
    ASSERT_FALSE(w.E.empty());
    EXPECT_EQ(w.E[0], (Event{"timer", 7, 0, 0}));
    size_t n = w.E.size();
    QTest::qWait(20);
    EXPECT_EQ(w.E.size(), n);
}

TEST_F(Windowing, DeferredCreation) {
    program.started = 0;
    StandardWindow* w = new StandardWindow("Later", 100, 100);
    EXPECT_EQ(w->handle(), nullptr) << "queued until the program starts";
    EXPECT_EQ(program.Wos->Last, static_cast<WindowObject*>(w));
    program.set(1, 0, 1);
    program.Wos->create();
    EXPECT_NE(w->handle(), nullptr);
    EXPECT_EQ(program.Wos->First, nullptr);
    delete w;

    StandardWindow now("Now", 100, 100);
    EXPECT_NE(now.handle(), nullptr) << "made after the start, it creates itself";
    EXPECT_FALSE(program.filename().empty());
}

TEST_F(Windowing, HelpAndClipboard) {
    StandardWindow w("Help", 100, 100);
    Help h(w, "gyr.hlp");
    EXPECT_STRNE(h.Filename.text(), "gyr.hlp") << "made absolute";
    EXPECT_STREQ(String(h.Filename).filename(), "gyr.hlp");
    h.index();
    EXPECT_STREQ(h.page().text(), "/help/index.html");
    h.helponhelp();
    EXPECT_STREQ(h.page().text(), "/help/helponhelp.html");
    h.open("Help on Help");
    EXPECT_STREQ(h.page().text(), "/help/index.html") << "unknown keywords show the contents";
    h.open("helponhelp");
    EXPECT_STREQ(h.page().text(), "/help/helponhelp.html");
    h.open(9999);
    EXPECT_STREQ(h.page().text(), "/help/index.html");
    h.close();
    EXPECT_STREQ(h.page().text(), "");

    Clipboard c(w);
    c.copy("Point_1");
    EXPECT_STREQ(c.gettext().text(), "Point_1");
    MetafilePS m(50, 40);
    m.move(0, 0);
    m.lineto(49, 39);
    m.close();
    Metafile picture(m);
    c.copy(picture, 50, 40);
    EXPECT_EQ(picture.valid(), 0) << "the clipboard owns the picture now";
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_TRUE(data->hasFormat("image/svg+xml"));
    EXPECT_TRUE(data->data("image/svg+xml").contains("<svg"));
    ASSERT_TRUE(data->hasImage());
    EXPECT_EQ(qvariant_cast<QImage>(data->imageData()).size(), QSize(50, 40));
}
