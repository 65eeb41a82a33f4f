// Every letter is kept: Greek names typed or chosen in the property dialog,
// saved, read back, listed as JSON, and a file name with an umlaut in the
// title.
#include "app.h"
#include "dialogpeer.h"
#include "point.h"
#include "run.h"
#include "scripted.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QToolButton>
#include <gtest/gtest.h>
#include <string>

namespace {

const char* const alpha = "\xce\xb1";
const char* const beta = "\xce\xb2";

struct Letters : Main, TempFiles {};

} // namespace

TEST_F(Letters, GreekNamesGoThroughTheDialogTheFileAndJson) {
    ScriptedAnswerer s;
    Point* a = new Point(1, 1);
    Point* b = new Point(2, 2);
    s.Dialogs.push_back([](Dialog& d) {
        d.type(101, alpha);
        d.click(1);
    });
    a->edit();
    // The second name comes from the field's own letters.
    s.Dialogs.push_back([](Dialog& d) {
        auto* field = qobject_cast<QLineEdit*>(d.Handle->Controls.at(101));
        ASSERT_NE(field, nullptr);
        field->clear();
        QToolButton* letter = nullptr;
        for (QToolButton* t : field->findChildren<QToolButton*>("letter"))
            if (t->text() == QString::fromUtf8(beta)) letter = t;
        ASSERT_NE(letter, nullptr) << "the Greek letters are offered";
        letter->click();
        d.click(1);
    });
    b->edit();
    EXPECT_STREQ(a->name(), alpha);
    EXPECT_STREQ(b->name(), beta) << "alpha and beta are two names";

    const std::string name = "Dreieck \xc3\xbc"
                             "bung.gyr";
    s.Files.push_back(path(name.c_str()));
    window.command(1004);
    EXPECT_EQ(drawing()->window()->windowTitle().toStdString(), "Gyrel (Dreieck \xc3\xbc"
                                                                "bung.gyr)");

    s.Answers = {IDNO};
    s.Dialogs.push_back([](Dialog& d) { d.click(1); });
    doload(path(name.c_str()).c_str());
    ASSERT_EQ(objects.count(), 2);
    EXPECT_NE(objects.find(alpha, 0, nullptr), nullptr);
    EXPECT_NE(objects.find(beta, 0, nullptr), nullptr);

    Outcome r = gyrel({"--json", QString::fromStdString(path(name.c_str()))});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    QJsonArray list = QJsonDocument::fromJson(r.out.toUtf8()).object()["objects"].toArray();
    ASSERT_EQ(list.size(), 2);
    EXPECT_EQ(list[0].toObject()["name"].toString(), QString::fromUtf8(alpha));
    EXPECT_EQ(list[1].toObject()["name"].toString(), QString::fromUtf8(beta));
}
