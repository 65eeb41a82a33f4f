#include "gyrstrings.h"
#include "textstrings.h"

#include <cstring>
#include <gtest/gtest.h>
#include <string>

TEST(String, CapacityRules) {
    String d;
    EXPECT_EQ(d.size(), 64);
    EXPECT_TRUE(d.empty());

    String a("abc", 10);
    EXPECT_EQ(a.size(), 10);
    String b(a);
    EXPECT_EQ(b.size(), 10) << "a copy keeps the capacity, not only the length";
    EXPECT_STREQ(b.text(), "abc");
    EXPECT_NE(a.text(), b.text()) << "copies never share a buffer";

    String c("abcdef", 2);
    EXPECT_EQ(c.size(), 6);
    String e("hello");
    EXPECT_EQ(e.size(), 5);

    // A shorter text reuses the buffer; a later cat that fits stays in place.
    String s("abcdefghij");
    char* buffer = s.text();
    s.copy("xy");
    EXPECT_EQ(s.size(), 10);
    EXPECT_EQ(s.text(), buffer);
    s.cat("12345678");
    EXPECT_EQ(s.text(), buffer);
    EXPECT_STREQ(s.text(), "xy12345678");
    // Growing past the capacity takes exactly the combined length.
    s.cat("!");
    EXPECT_EQ(s.size(), 11);
    EXPECT_STREQ(s.text(), "xy12345678!");
    s.copy("a much longer text");
    EXPECT_EQ(s.size(), 18);

    // copy with a size always makes a new buffer of the larger capacity.
    s.copy("ab", 100);
    EXPECT_EQ(s.size(), 100);
    s.copy("abc", 1);
    EXPECT_EQ(s.size(), 3);

    // Assignment behaves as copy(text); the text may come from itself.
    String t("0123456789");
    t = t.text() + 4;
    EXPECT_STREQ(t.text(), "456789");
    EXPECT_EQ(t.size(), 10);
    String u;
    u = a;
    EXPECT_EQ(u.size(), 64);
    EXPECT_STREQ(u.text(), "abc");
}

TEST(String, FileNameHelpers) {
    String p("C:\\dir\\name.gyr");
    EXPECT_STREQ(p.filename(), "name.gyr");
    EXPECT_STREQ(String("C:name.gyr").filename(), "name.gyr");
    EXPECT_STREQ(String("name.gyr").filename(), "name.gyr");
    EXPECT_STREQ(String("/home/u/con.gyr").filename(), "con.gyr");
    EXPECT_STREQ(String("/home/u/").filename(), "");
    String whole("\\x");
    EXPECT_EQ(whole.filename(), whole.text()) << "the first character is never a separator";

    p.stripfilename();
    EXPECT_STREQ(p.text(), "C:\\dir\\");
    String q("name.gyr");
    q.stripfilename();
    EXPECT_STREQ(q.text(), "");

    EXPECT_STREQ(String("C:\\d.x\\name").extension(), "");
    EXPECT_STREQ(String("/home/d.x/name").extension(), "");
    EXPECT_STREQ(String("a.b.gyr").extension(), ".gyr");
    EXPECT_EQ(String("x.gyr").testextension(".GYR"), 1);
    EXPECT_EQ(String("x.gyr").testextension(".gy"), 0);
    EXPECT_EQ(String("x.gyr").testextension(".gyrx"), 0);
    EXPECT_EQ(String("x").testextension(""), 1);

    String f("pic.gyr");
    f.extension(".bmp");
    EXPECT_STREQ(f.text(), "pic.bmp");
    String g("noext");
    g.extension(".bmp");
    EXPECT_STREQ(g.text(), "noext.bmp");
}

TEST(String, Numbers) {
    double x = 7;
    EXPECT_EQ(String(" 1.5").todouble(x), 1);
    EXPECT_DOUBLE_EQ(x, 1.5);
    EXPECT_EQ(String("1e3").todouble(x), 1);
    EXPECT_DOUBLE_EQ(x, 1000);
    EXPECT_EQ(String("1.5 ").todouble(x), 0) << "trailing blanks are refused";
    EXPECT_DOUBLE_EQ(x, 1.5) << "x is written whenever a number was read";
    x = 7;
    EXPECT_EQ(String("1,5").todouble(x), 0);
    EXPECT_EQ(String("").todouble(x), 0);
    EXPECT_EQ(String("abc").todouble(x), 0);
    EXPECT_DOUBLE_EQ(x, 1) << "1,5 read the 1";

    long n = 3;
    EXPECT_EQ(String("-42").tolong(n), 1);
    EXPECT_EQ(n, -42);
    EXPECT_EQ(String("12.0").tolong(n), 0);
    EXPECT_EQ(String("x").tolong(n), 0);
    EXPECT_EQ(n, 12);
    EXPECT_EQ(String("99999999999999999999999").tolong(n), 0);
    EXPECT_EQ(n, 12) << "a number too large for the type is not read";
}

TEST(String, UiTexts) {
    EXPECT_STREQ(String(1).text(), "Gyrel");
    EXPECT_EQ(String(1).size(), 5);
    EXPECT_STREQ(String(134).text(), "Generate intersection of\n%s and %s?");
    EXPECT_STREQ(String(16).text(), "Cut: First objekt?");
    EXPECT_STREQ(String(0).text(), "") << "id 0 finds the terminating entry";
    EXPECT_STREQ(String(3).text(), "???");
    EXPECT_STREQ(String(-5).text(), "???");
    EXPECT_STREQ(String(9999).text(), "???");

    // The table holds its 247 texts with unique ids, ended by id 0.
    int n = 0;
    for (const stringtable* e = GyrStrings; e->i; ++e, ++n)
        for (const stringtable* f = GyrStrings; f != e; ++f) EXPECT_NE(e->i, f->i);
    EXPECT_EQ(n, 247);

    const stringtable* saved = progstrings;
    progstrings = nullptr;
    EXPECT_STREQ(String(1).text(), "???");
    static const stringtable twice[] = {{7, "first"}, {7, "second"}, {0, ""}, {8, "hidden"}};
    progstrings = twice;
    EXPECT_STREQ(String(7).text(), "first") << "the first match wins";
    EXPECT_STREQ(String(8).text(), "???") << "the walk stops at id 0";
    progstrings = saved;
}

TEST(Strings, AddAndStripnl) {
    Strings s;
    EXPECT_EQ(s.add(std::string(63, 'x').c_str()), 1);
    EXPECT_EQ(s.add(std::string(64, 'y').c_str()), 0) << "64 characters do not fit a slot";
    for (int i = 1; i < 8; ++i) EXPECT_EQ(s.add("t"), 1);
    EXPECT_EQ(s.n(), 8);
    EXPECT_EQ(s.add("ninth"), 0);
    EXPECT_EQ(s.n(), 8);
    EXPECT_EQ(std::strlen(s[0]), 63u);
    s.clear();
    EXPECT_EQ(s.n(), 0);
    EXPECT_EQ(s.add("again"), 1);
    EXPECT_STREQ(s.s(0), "again");

    char a[] = "line\n\n";
    EXPECT_STREQ(stripnl(a), "line\n");
    char b[] = "dos\r\n";
    EXPECT_STREQ(stripnl(b), "dos\r");
    char c[] = "";
    EXPECT_STREQ(stripnl(c), "");
    char d[] = "none";
    EXPECT_EQ(stripnl(d), d);
    EXPECT_STREQ(d, "none");
}
