#include "dialogitems.h"
#include "help.h"
#include "messages.h"
#include "resources.h"
#include "scripted.h"
#include "selectors.h"
#include "standardwindow.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

const ControlSpec everything[] = {
    {ControlSpec::Static, 113, "", 0, 1},      {ControlSpec::Static, -1, "Name:", 1, 1},
    {ControlSpec::Edit, 101, "", 1, 3},        {ControlSpec::MultiEdit, 102, "", 2, 4},
    {ControlSpec::Static, -1, "x:", 3, 1},     {ControlSpec::Edit, 103, "", 3, 1},
    {ControlSpec::Static, -1, "n:", 3, 1},     {ControlSpec::Edit, 104, "", 3, 1},
    {ControlSpec::Check, 105, "Fixed", 4, 1},  {ControlSpec::Group, -1, "Point type", 5, 1},
    {ControlSpec::Radio, 106, "Square", 6, 1}, {ControlSpec::Radio, 107, "Circle", 6, 1},
    {ControlSpec::Radio, 108, "Point", 6, 1},  {ControlSpec::List, 109, "", 7, 2},
    {ControlSpec::MultiList, 110, "", 7, 2},   {ControlSpec::Combo, 111, "", 8, 1},
    {ControlSpec::List, 112, "", 8, 2},        {ControlSpec::Default, 1, "OK", 9, 1},
    {ControlSpec::Button, 2, "Cancel", 9, 1},  {ControlSpec::Button, 9, "Help", 9, 1},
    {ControlSpec::Last, 0, nullptr, 0, 0},
};
const DialogSpec everydialog = {500, "Every Item", everything};

struct Counting : CheckItem {
    using CheckItem::CheckItem;
    void changed() override { ++Changes; }
    int Changes = 0;
};

struct Radios : RadioItem {
    using RadioItem::RadioItem;
    void changed() override { ++Changes; }
    int Changes = 0;
};

struct Closing : ListItem {
    using ListItem::ListItem;
    void init() override {
        insert("Point_1");
        insert("Line_1");
        Order.push_back(Id);
    }
    int doubleclicked() override { return 1; }
    static std::vector<int> Order;
};
std::vector<int> Closing::Order;

struct Ordered : StringItem {
    using StringItem::StringItem;
    void init() override {
        StringItem::init();
        Closing::Order.push_back(Id);
    }
};

// Every item kind on one dialog, as a caller would set it up.
struct Everything {
    StandardWindow W{"Owner", 300, 200};
    Help H{W, "gyr.hlp"};
    Dialog D{&W, 500, &H, 99};
    TextItem text{113, D, "A text"};
    Ordered name{101, D, "Point_1"};
    MultilineItem comment{102, D, "line one\r\nline two", 30};
    DoubleItem x{103, D, 0.1};
    LongItem n{104, D, 150};
    Counting fixed{105, D, 1};
    const int ids[3] = {106, 107, 108};
    Radios type{ids, 3, 0, D};
    Closing objects{109, D};
    MultilistItem many{110, D};
    ComboItem combo{111, D};
    PrinterItem printer{112, D, "PDF file"};
};

struct Dialogs : ::testing::Test {
    static void SetUpTestSuite() { definedialog(&everydialog); }
};

} // namespace

TEST_F(Dialogs, ScriptedAnswerFillsItemsAndOk) {
    ScriptedAnswerer s;
    Everything e;
    std::vector<std::string> seen;
    s.Dialogs.push_back([&](Dialog& d) {
        seen.push_back(d.gettext(113).text());
        seen.push_back(d.gettext(101).text());
        seen.push_back(d.gettext(102).text());
        seen.push_back(d.gettext(103).text());
        seen.push_back(d.gettext(104).text());
        seen.push_back(std::to_string(d.getcheck(105)));
        seen.push_back(std::to_string(d.getcheck(106)));
        seen.push_back(std::to_string(d.listcount(109)));
        seen.push_back(d.listentry(112, d.listselection(112)).text());
        EXPECT_STREQ(d.caption().text(), "Every Item");
        d.type(101, "Corner");
        d.type(102, "new comment");
        d.type(103, "2.5e3");
        // A number followed by other text is no number: OK refuses it, the
        // dialog stays open and says what the field takes.
        d.type(104, "12abc");
        d.click(1);
        EXPECT_TRUE(d.isopen());
        EXPECT_EQ(d.Refused, 104);
        EXPECT_STREQ(d.Refusal.text(), "Enter a whole number from -2147483647 to 2147483647.");
        d.type(104, " 12 ");
        d.click(105);
        d.click(105);
        d.click(105);
        d.click(108);
        d.pick(109, 1);
        e.many.insert("a");
        e.many.insert("b");
        e.many.insert("c");
        d.pick(110, 0);
        d.pick(110, 2);
        e.combo.insert("first");
        e.combo.insert("second");
        d.pick(111, 1);
        d.click(1);
    });
    EXPECT_EQ(e.D.carryout(), 1);
    EXPECT_EQ(e.D.result(), 1);
    EXPECT_EQ(s.AskedDialogs, (std::vector<int>{500}));
    EXPECT_EQ(seen, (std::vector<std::string>{"A text", "Point_1", "line one\nline two", "0.1",
                                              "150", "1", "1", "2", "PDF file"}));
    EXPECT_STREQ(e.name.S.text(), "Corner");
    EXPECT_STREQ(e.comment.S.text(), "new comment");
    EXPECT_DOUBLE_EQ(e.x.X, 2500);
    EXPECT_EQ(e.n.N, 12) << "blanks around a number are no fault";
    EXPECT_EQ(e.D.Refused, 0);
    EXPECT_EQ(e.fixed.F, 0);
    EXPECT_EQ(e.fixed.Changes, 3);
    EXPECT_EQ(static_cast<int>(e.type), 2);
    EXPECT_EQ(e.type.Changes, 1);
    EXPECT_EQ(e.type.R[0]->F, 0) << "the old radio button is unchecked";
    EXPECT_EQ(e.objects.N, 1);
    EXPECT_STREQ(e.objects.S.text(), "Line_1");
    EXPECT_EQ(e.combo.N, 1);
    EXPECT_STREQ(e.combo.S.text(), "second");
    EXPECT_STREQ(e.printer.S.text(), "PDF file");
    EXPECT_FALSE(e.D.isopen());
    // Items open most recently made first.
    EXPECT_EQ(Closing::Order, (std::vector<int>{109, 101}));
    Closing::Order.clear();
}

TEST_F(Dialogs, ResultCodes) {
    ScriptedAnswerer s;
    {
        // A double click on a list that answers it closes with the list's id.
        Everything e;
        s.Dialogs.push_back([](Dialog& d) { d.doubleclick(109, 0); });
        e.D.carryout();
        EXPECT_EQ(e.D.result(), 109);
        EXPECT_STREQ(e.objects.S.text(), "Point_1");
    }
    {
        // Help shows its page and keeps the dialog open; Cancel still reads
        // the items back.
        Everything e;
        bool open = false;
        s.Dialogs.push_back([&](Dialog& d) {
            d.type(101, "edited");
            d.click(9);
            open = d.isopen();
            EXPECT_EQ(d.result(), -1);
            d.click(2);
        });
        e.D.carryout();
        EXPECT_TRUE(open);
        EXPECT_STREQ(e.H.page().text(), "/help/index.html") << "no page 99: the contents";
        EXPECT_EQ(e.D.result(), 2);
        EXPECT_STREQ(e.name.S.text(), "edited");
        e.H.close();
    }
    {
        // An answer that leaves the dialog open cancels it.
        Everything e;
        e.D.carryout();
        EXPECT_EQ(e.D.result(), 2);
        EXPECT_STREQ(e.name.S.text(), "Point_1");
    }
    {
        // A table that does not exist.
        Dialog missing(nullptr, 4711);
        s.AskedBoxes.clear();
        EXPECT_EQ(missing.carryout(), IDOK);
        EXPECT_EQ(missing.result(), -1);
        ASSERT_EQ(s.AskedBoxes.size(), 1u);
        EXPECT_EQ(s.AskedBoxes[0].text, "Could not create the Dialog!");
        EXPECT_EQ(s.AskedBoxes[0].title, "Error");
    }
}

TEST_F(Dialogs, NumberFormats) {
    ScriptedAnswerer s;
    struct Case {
        double x;
        const char* shown;
    };
    for (Case c : {Case{0.1, "0.1"}, Case{1.0 / 3, "0.3333333333"}, Case{1234567890, "1234567890"},
                   Case{12345678901.0, "1.23456789e+10"}, Case{-2, "-2"}}) {
        Dialog d(nullptr, 500);
        DoubleItem x(103, d, c.x);
        LongItem n(104, d, -7);
        std::string shown, shownlong;
        s.Dialogs.push_back([&](Dialog& dd) {
            shown = dd.gettext(103).text();
            shownlong = dd.gettext(104).text();
            dd.type(103, "abc");
            dd.type(104, "");
            dd.click(1);
        });
        d.carryout();
        EXPECT_EQ(shown, c.shown);
        EXPECT_EQ(shownlong, "-7");
        EXPECT_DOUBLE_EQ(x.X, c.x) << "no number keeps the old value";
        EXPECT_EQ(n.N, -7);
    }
}

TEST_F(Dialogs, RealDialog) {
    Everything e;
    e.D.Focus = 101;
    bool focused = false;
    QTimer::singleShot(0, [&] {
        QWidget* box = QApplication::activeModalWidget();
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->windowTitle(), "Every Item");
        auto edits = box->findChildren<QLineEdit*>();
        ASSERT_GE(edits.size(), 3);
        focused = box->focusWidget() == edits[0];
        edits[0]->setText("Typed");
        for (QPushButton* b : box->findChildren<QPushButton*>())
            if (b->text() == "OK") b->click();
    });
    EXPECT_EQ(e.D.carryout(), 1);
    EXPECT_EQ(e.D.result(), 1);
    EXPECT_STREQ(e.name.S.text(), "Typed");
    EXPECT_TRUE(focused);
}

TEST_F(Dialogs, F1OpensTheDialogsHelpPage) {
    Everything e;
    QWidget* help = nullptr;
    QString shown;
    bool open = false;
    QTimer::singleShot(0, [&] {
        QWidget* box = QApplication::activeModalWidget();
        ASSERT_NE(box, nullptr);
        QTest::keyClick(box, Qt::Key_F1);
        shown = e.H.page().text();
        open = QApplication::activeModalWidget() == box;
        // The help is a window of its own that the dialog does not block:
        // it comes to the front and can be scrolled while the dialog waits.
        // (A window-modal dialog blocks only its own window's family.)
        EXPECT_EQ(box->windowModality(), Qt::WindowModal);
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<QTextBrowser*>(w) && w->isVisible()) help = w;
        for (QPushButton* b : box->findChildren<QPushButton*>())
            if (b->text() == "Cancel") b->click();
    });
    e.D.carryout();
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->parentWidget(), nullptr) << "no part of the window the dialog blocks";
    EXPECT_TRUE(open) << "the dialog stays open";
    EXPECT_EQ(shown, "/help/index.html") << "topic 99 has no page here: the contents";
    e.H.close();
}

TEST_F(Dialogs, AMessageBoxOverAnOpenDialog) {
    ScriptedAnswerer s;
    Everything e;
    s.Answers = {IDNO};
    int answer = 0, open = 0;
    s.Dialogs.push_back([&](Dialog& d) {
        answer = Question(d, "Take it?", "Gyrel");
        open = d.isopen();
        d.click(1);
    });
    e.D.carryout();
    EXPECT_EQ(answer, IDNO);
    EXPECT_TRUE(open) << "the dialog stays open under its box";
    ASSERT_EQ(s.AskedBoxes.size(), 1u);
    EXPECT_EQ(s.AskedBoxes[0].dialog, 500);
    EXPECT_EQ(s.AskedBoxes[0].text, "Take it?");

    // The real box is the dialog's child.
    Answerer* before = Answerer::install(nullptr);
    Everything f;
    QWidget* parent = nullptr;
    QWidget* dialog = nullptr;
    QTimer::singleShot(0, [&] {
        dialog = QApplication::activeModalWidget();
        QTimer::singleShot(0, [&] {
            QWidget* box = QApplication::activeModalWidget();
            parent = box ? box->parentWidget() : nullptr;
            if (box) QTest::keyClick(box, Qt::Key_Escape);
            for (QPushButton* b : dialog->findChildren<QPushButton*>())
                if (b->text() == "Cancel") b->click();
        });
        Warning(f.D, "Over it", "Gyrel");
    });
    f.D.carryout();
    Answerer::install(before);
    EXPECT_NE(dialog, nullptr);
    EXPECT_EQ(parent, dialog);
}

TEST_F(Dialogs, FileSelectorRemembersTheDirectory) {
    ScriptedAnswerer s;
    FileSelector in(nullptr, "*.gyr", 0, "Load Construction", "gyr");
    s.Files = {"/tmp/work/triangle", "", "/tmp/other/b.GYR"};
    EXPECT_STREQ(in.select(), "/tmp/work/triangle.gyr") << "the default extension";
    EXPECT_STREQ(in.select(), "") << "cancelled";
    EXPECT_STREQ(in.File.text(), "/tmp/work/triangle.gyr") << "Cancel keeps the file";
    EXPECT_STREQ(in.select(), "/tmp/other/b.GYR");
    ASSERT_EQ(s.AskedFiles.size(), 3u);
    EXPECT_EQ(s.AskedFiles[0].directory, "") << "at first where the program runs";
    EXPECT_EQ(s.AskedFiles[0].pattern, "*.gyr");
    EXPECT_EQ(s.AskedFiles[0].title, "Load Construction");
    EXPECT_EQ(s.AskedFiles[0].saving, 0);
    EXPECT_EQ(s.AskedFiles[1].directory, "/tmp/work/");
    EXPECT_EQ(s.AskedFiles[2].directory, "/tmp/work/");

    ColorSelector c(nullptr, Color(1, 2, 3));
    s.Colors = {Color(200, 0, 0)};
    EXPECT_EQ(c.select(), Color(200, 0, 0));
    EXPECT_EQ(c.R, 1);
    EXPECT_EQ(c.select(), Color(200, 0, 0)) << "Cancel keeps the colour";
    EXPECT_EQ(c.R, 2);
}

TEST_F(Dialogs, RealFileChooserAddsTheExtension) {
    QDir dir = QDir::temp();
    QString name = dir.filePath("gyrel-file-test");
    FileSelector out(nullptr, "*.gyr", 1, "Save Construction", "gyr");
    QTimer::singleShot(0, [&] {
        QWidget* box = QApplication::activeModalWidget();
        ASSERT_NE(box, nullptr);
        auto* edit = box->findChild<QLineEdit*>("fileNameEdit");
        ASSERT_NE(edit, nullptr);
        edit->setText(name);
        QMetaObject::invokeMethod(box, "accept", Qt::QueuedConnection);
    });
    EXPECT_EQ(std::string(out.select()), (name + ".gyr").toStdString());
}
