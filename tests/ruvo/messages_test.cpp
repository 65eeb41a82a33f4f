#include "answerer.h"
#include "messages.h"
#include "scripted.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <gtest/gtest.h>

TEST(Messages, ScriptedAnswers) {
    ScriptedAnswerer s;
    s.Answers = {IDNO, IDCANCEL, IDOK};
    EXPECT_EQ(Question("Really?", "Gyrel"), IDNO);
    EXPECT_EQ(QuestionAbort("Save?", "Gyrel"), IDCANCEL);
    EXPECT_EQ(Warning("Careful", "Gyrel"), IDOK);
    EXPECT_EQ(Message("Plain", "Title"), IDOK) << "without a scripted answer the first button";
    dumplong(255);
    ASSERT_EQ(s.AskedBoxes.size(), 5u);
    EXPECT_EQ(s.AskedBoxes[0].kind, Box::Question);
    EXPECT_EQ(s.AskedBoxes[0].text, "Really?");
    EXPECT_EQ(s.AskedBoxes[1].kind, Box::QuestionAbort);
    EXPECT_EQ(s.AskedBoxes[2].kind, Box::Warning);
    EXPECT_EQ(s.AskedBoxes[3].title, "Title");
    EXPECT_EQ(s.AskedBoxes[4].text, "Hex FF\nDecimal 255");
    EXPECT_EQ(s.AskedBoxes[4].title, "Dump");
}

TEST(Messages, ScriptedAnswererRestoresThePreviousOne) {
    Answerer* real = &Answerer::current();
    {
        ScriptedAnswerer outer;
        {
            ScriptedAnswerer inner;
            EXPECT_EQ(&Answerer::current(), &inner);
        }
        EXPECT_EQ(&Answerer::current(), &outer);
    }
    EXPECT_EQ(&Answerer::current(), real);
}

namespace {

struct Seen {
    int buttons = 0;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString title, text;
};

// Presses the given button of the next message box once it is shown.
void press(QMessageBox::StandardButton which, Seen& seen) {
    QTimer::singleShot(0, [which, &seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seen.buttons = static_cast<int>(box->buttons().size());
        seen.icon = box->icon();
        seen.title = box->windowTitle();
        seen.text = box->text();
        ASSERT_NE(box->button(which), nullptr);
        box->button(which)->click();
    });
}

} // namespace

TEST(Messages, RealMessageBoxes) {
    Seen seen;
    press(QMessageBox::Ok, seen);
    EXPECT_EQ(Warning("Could not open\nx.gyr!", "Gyrel"), IDOK);
    EXPECT_EQ(seen.buttons, 1);
    EXPECT_EQ(seen.icon, QMessageBox::Warning);
    EXPECT_EQ(seen.title, "Gyrel");
    EXPECT_EQ(seen.text, "Could not open\nx.gyr!");

    press(QMessageBox::Ok, seen);
    EXPECT_EQ(Message("Hello", "Gyrel"), IDOK);
    EXPECT_EQ(seen.buttons, 1);
    EXPECT_EQ(seen.icon, QMessageBox::NoIcon);

    press(QMessageBox::No, seen);
    EXPECT_EQ(Question("Delete?", "Gyrel"), IDNO);
    EXPECT_EQ(seen.buttons, 2);
    press(QMessageBox::Yes, seen);
    EXPECT_EQ(Question("Delete?", "Gyrel"), IDYES);

    press(QMessageBox::Cancel, seen);
    EXPECT_EQ(QuestionAbort("Save changes?", "Gyrel"), IDCANCEL);
    EXPECT_EQ(seen.buttons, 3);
    press(QMessageBox::No, seen);
    EXPECT_EQ(QuestionAbort("Save changes?", "Gyrel"), IDNO);
    press(QMessageBox::Yes, seen);
    EXPECT_EQ(QuestionAbort("Save changes?", "Gyrel"), IDYES);
}

TEST(Messages, KeyState) {
    // Nothing holds the keys down on the offscreen platform.
    EXPECT_EQ(Shift(), 0);
    EXPECT_EQ(Control(), 0);
    Beep(440, 0.1);
    Dump("ignored");
}
