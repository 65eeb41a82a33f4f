// The help manual: every page that a dialog or a command opens is there,
// every link and picture of every page resolves, and every page can be
// reached from the contents.
#include "app.h"
#include "commands.h"
#include "dialog.h"
#include "help.h"
#include "objectlist.h"
#include "point.h"
#include "scripted.h"
#include "toolbar.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <string>

namespace {

QString read(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

// The pages of the manual with the pages and pictures each refers to.
std::map<QString, QStringList> pages() {
    std::map<QString, QStringList> all;
    QRegularExpression ref("(?:href|src)=\"([^\"#]+)");
    QDirIterator it(":/help", {"*.html"}, QDir::Files);
    while (it.hasNext()) {
        QString page = it.next().mid(QString(":/help/").size());
        QStringList refs;
        for (auto m = ref.globalMatch(read(":/help/" + page)); m.hasNext();)
            refs << m.next().captured(1);
        all[page] = refs;
    }
    return all;
}

struct Manual : Main {};

} // namespace

TEST_F(Manual, EveryLinkAndPictureResolvesAndEveryPageIsReachable) {
    std::map<QString, QStringList> all = pages();
    ASSERT_GT(all.size(), 60u) << "a page for every tool, command and dialog";
    for (const auto& [page, refs] : all) {
        QString text = read(":/help/" + page);
        EXPECT_TRUE(text.contains("<title>")) << page.toStdString();
        for (const QString& r : refs) {
            ASSERT_TRUE(QFile::exists(":/help/" + r))
                << page.toStdString() << " -> " << r.toStdString();
            if (r.endsWith(".png")) {
                EXPECT_FALSE(QImage(":/help/" + r).isNull()) << r.toStdString();
            }
        }
        if (page != "index.html") {
            EXPECT_TRUE(refs.contains("index.html")) << page.toStdString() << " leads back";
        }
    }
    // From the contents every page can be reached, the index among them.
    std::set<QString> seen{"index.html"};
    std::vector<QString> todo{"index.html"};
    while (!todo.empty()) {
        QString p = todo.back();
        todo.pop_back();
        for (const QString& r : all[p])
            if (r.endsWith(".html") && seen.insert(r).second) todo.push_back(r);
    }
    for (const auto& [page, refs] : all) EXPECT_TRUE(seen.count(page)) << page.toStdString();
    EXPECT_TRUE(seen.count("keywords.html"));
}

TEST_F(Manual, EveryHelpTopicOfADialogHasItsOwnPage) {
    // The topics the dialogs' Help buttons open: grid, comment, colours,
    // file error, object choice, point, line, circle, angle, printer, sizes,
    // macros, rotation, dilation, arc, region, number of vertices, number,
    // calculation, slider, check box, text, radius, locus.
    for (int topic :
         {1, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28}) {
        QString page = QString(":/help/topic%1.html").arg(topic);
        ASSERT_TRUE(QFile::exists(page)) << topic;
        help.open(topic);
        EXPECT_EQ(QString(help.page().text()), page.mid(1)) << "not the contents instead";
    }
    help.close();
    // The Help button of the Object Choice dialog.
    ScriptedAnswerer s;
    s.Dialogs.push_back([](Dialog& d) {
        d.click(9);
        d.click(2);
    });
    new Point(0, 0);
    new Point(0, 0);
    Object* o = nullptr;
    objects.select(0, 0, &o, 0, 1, 1);
    EXPECT_EQ(std::string(help.page().text()), "/help/topic8.html");
    help.close();
}

TEST_F(Manual, TheIndexNamesEachEntryOnceAndOnlyButtonsThatExist) {
    // Each entry once, and no entry with two links of the same text.
    QString index = read(":/help/keywords.html");
    QRegularExpression entry("<li>([^:<]+):(.*)</li>");
    std::set<QString> labels;
    for (auto m = entry.globalMatch(index); m.hasNext();) {
        auto e = m.next();
        EXPECT_TRUE(labels.insert(e.captured(1)).second) << e.captured(1).toStdString();
        QStringList texts;
        for (auto l = QRegularExpression(">([^<]+)</a>").globalMatch(e.captured(2)); l.hasNext();)
            texts << l.next().captured(1);
        EXPECT_EQ(texts.removeDuplicates(), 0) << e.captured(0).toStdString();
    }
    EXPECT_GT(labels.size(), 100u);
    // A page that speaks of its tool's button has one on the tool bar.
    const std::map<QString, int> toolpages = {{"tool-delete.html", 3006},
                                              {"tool-step.html", 4006},
                                              {"tool-point.html", 2001},
                                              {"tool-hide.html", 3005},
                                              {"tool-circle3.html", 2006}};
    for (auto [page, id] : toolpages) {
        bool button = false;
        for (int b : idm_actions) button = button || b == id;
        EXPECT_EQ(read(":/help/" + page).contains("its button on the tool bar"), button)
            << page.toStdString();
    }
    EXPECT_TRUE(read(":/help/tool-circle3.html").contains("a click on empty paper is ignored"));
}
