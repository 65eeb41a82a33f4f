// The artwork of the three mouse cursors: '#' black, '.' white, blank clear.
#include "mainwindow.h"

// A pen: its tip, the hot spot, at the bottom left.
const char* const pencursor[] = {"             .##.",
                                 "            .#..#.",
                                 "           .#....#.",
                                 "          .#....#.",
                                 "         .#....#.",
                                 "        .#....#.",
                                 "       .#....#.",
                                 "      .#....#.",
                                 "     .#....#.",
                                 "    .#....#.",
                                 "   .##...#.",
                                 "  .#.##.#.",
                                 "  .#..##.",
                                 " .#...#.",
                                 " .####.",
                                 ".##..",
                                 ".#.",
                                 "..",
                                 nullptr};

// Cross hairs with a ring: choose an object; the hot spot in the middle.
const char* const pointcursor[] = {
    "        .#.",    "        .#.",       "        .#.",       "      ..###..",
    "     .#.#.#.#.", "....#...#...#....", "#########.#######", "....#...#...#....",
    "     .#.#.#.#.", "      ..###..",     "        .#.",       "        .#.",
    "        .#.",    "        .#.",       "        ...",       nullptr};

// Four arrows: a point is being moved; the hot spot in the middle.
const char* const movecursor[] = {"        .",        "       .#.",       "      .###.",
                                  "     .#####.",     "       .#.",       "   .   .#.   .",
                                  "  .#   .#.   #.",  " .##.........##.", ".###############.",
                                  " .##.........##.", "  .#   .#.   #.",  "   .   .#.   .",
                                  "       .#.",       "     .#####.",     "      .###.",
                                  "       .#.",       "        .",        nullptr};
