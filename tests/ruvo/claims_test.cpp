#include "claims.h"

#include <gtest/gtest.h>

TEST(Claims, FindWhatMeetsAcrossCellsFarAwayAndLarge) {
    Claims c;
    int a = 1, b = 2;
    EXPECT_FALSE(c.taken(0, 0, 10, 10));
    // Across the edge of a cell, right and bottom edges outside.
    c.take(60, 60, 70, 70, &a);
    EXPECT_TRUE(c.taken(69, 69, 80, 80));
    EXPECT_FALSE(c.taken(70, 60, 80, 70)) << "touching is not meeting";
    EXPECT_TRUE(c.taken(0, 0, 200, 200)) << "a larger rectangle around it";
    // Far off the picture and at negative places.
    c.take(-100000000, -5, -99999990, 5, nullptr);
    EXPECT_TRUE(c.taken(-99999995, 0, -99999994, 1));
    c.take(-70, -70, -60, -60, nullptr);
    EXPECT_TRUE(c.taken(-61, -61, -50, -50));
    EXPECT_FALSE(c.taken(-60, -60, -50, -50));
    // A claim larger than the cells it may span meets what lies inside it.
    c.take(-5000, 1000, 5000, 1001, &b);
    EXPECT_TRUE(c.taken(3000, 1000, 3001, 1001));
    EXPECT_EQ(c.owner(3000, 1000, 0), &b);
    // Owners: the latest label over a pixel, a little slack, no dots.
    c.take(62, 62, 68, 68, &b);
    EXPECT_EQ(c.owner(65, 65, 0), &b);
    EXPECT_EQ(c.owner(61, 61, 0), &a);
    EXPECT_EQ(c.owner(71, 65, 0), nullptr);
    EXPECT_EQ(c.owner(71, 65, 2), &a);
    EXPECT_EQ(c.owner(-65, -65, 2), nullptr) << "a dot is nobody's label";
    // Empty rectangles take nothing; clearing forgets all.
    c.take(5, 5, 5, 9, &a);
    EXPECT_FALSE(c.taken(4, 4, 10, 10));
    c.clear();
    EXPECT_EQ(c.size(), 0);
    EXPECT_FALSE(c.taken(60, 60, 70, 70));
    EXPECT_EQ(c.owner(65, 65, 2), nullptr);
}
