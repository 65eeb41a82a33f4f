// The program's settings, the grid and axes behind the construction, the
// settings dialogs, the construction listing, and the ways a construction
// leaves the program besides its files: printing, the clipboard and a bitmap.
#pragma once

#include "files.h"
#include "textstrings.h"

class PS;
class Profile;

extern Profile profile;

// Settings that last for one run.
extern int grid;     // draw the grid
extern int axes;     // draw the axes (only while the grid is on)
extern double grid1; // fine grid spacing, in construction units
extern double grid2; // grid spacing
extern int printcomment;
// The chosen printer; empty means the system's default printer.
extern String Printer;

// Reads the sizes stored, and stores them: a stored size outside its range
// gives its default.
void readsizes();
void writesizes();
// The main window's placement, read from the settings and stored there.
void readplacement();
void writeplacement();

// Draws grid and axes on ps, when the grid is on.
void drawgrid(PS& ps);

void dogrid();
// Smooth Drawing: the window's picture antialiased, or in sharp pixels.
void dosmooth();
// Options > Style: Modern or Classic, as the command says.
void dostyle();
// Checks the chosen style in the menu.
void showstyle();
void dogridset();
void dodisplay();
void dosizes();
void doshowconstruction();
void doprinter();
void doprint();
void docopyclipboard();
void dosavebitmap();
// Says so when a picture file could not be opened or written whole.
void tellwritten(WriteResult r, const char* name);

// Where printing puts the picture on a page of W x H device pixels, for a
// drawing area of ww x wh: its size f x l and centre (cx, cy); filling when
// its height fills the page and the comment goes on the next page.
struct PageLayout {
    int d, f, l, cx, cy, filling;
};
PageLayout pagelayout(int W, int H, int ww, int wh);
