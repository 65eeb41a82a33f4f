// The main window: the view of the construction, its picture, and the
// routing of mouse events to the current tool.
#pragma once

#include "action.h"
#include "autosave.h"
#include "bars.h"
#include "constructionfile.h"
#include "history.h"
#include "macro.h"
#include "standardwindow.h"

class MainWindow : public StandardWindow, public ToolHost, public FileHost, public MacroHost {
  public:
    MainWindow();

    double x(int c) const;
    double y(int r) const;
    int col(double x) const;
    int row(double y) const;
    double pixel() const { return Pixel; }
    double x1() const { return X1; }
    double x2() const { return X2; }
    double y1() const { return Y1; }
    double y2() const { return Y2; }

    void compute();
    using Window::setsize;
    void setsize(double x1, double x2, double y1, double y2) override;
    void zoomin();
    void zoomout();
    void center();
    // Shows every visible object with a margin around them.
    void zoomfit();
    // Zooms by k (below 1: in) about a pixel: the point of the construction
    // under it stays under it. 0 when the view would get too small or large.
    int zoomat(int c, int r, double k);
    // Moves the view by pixels, the construction following the mouse.
    void pan(double dc, double dr);
    void wheel(int c, int r, double dx, double dy, int modifiers) override;
    void pinch(int c, int r, double factor) override;
    int hscrolled(int scroll);
    int vscrolled(int scroll);

    void redraw(PS& ps) override;
    void drawgrid(PS& ps) override;
    void sized() override;
    // Makes the picture and the fonts for the drawing area's size.
    void newpicture();
    void clicked(int c, int r, int click) override;
    void key(int, int, int) override {}
    // Every command is one step of the history, except undo and redo.
    int command(int id) override;
    int close() override;
    virtual void pres_changed();
    void settitle();
    // Asks whether to save unsaved changes: 0 when the user cancels, or
    // chose to save and the construction was not saved.
    int testclose();

    // What loading needs of the window.
    int clear() override;
    void repaint() override;

    // What the macros need of the window: their menu entries.
    void addentry(int id, const char* name) override;
    void removeentry(int id) override;
    void enable(int id, int on) override;

    // Makes n the current tool: the old one is aborted and remembered.
    void action(Action* n);

    // A button is held in the drawing area: a drag may be going on.
    int dragging() const { return Moving || B1down || B2down || B3down; }
    // Closes the history's step when the tool has finished its work.
    void record();
    // The Undo and Redo items name what they would do.
    void undomenu();
    History history{objects};
    Autosave autosave;
    void timer(int n) override;

    // What the model and the tools need of the window.
    int viewwidth() const override { return Width; }
    int viewheight() const override { return Height; }
    void inform(const char* text) override;
    Window* owner() override { return this; }
    Help* help() override;
    void cursor(CursorKind kind) override;
    void capture(int on) override { Window::capture(on); }
    void releasetool() override;

    double Xm = 0, Ym = 0;
    Action* A;
    Action* OldA;
    Cursor* PenCursor = nullptr;
    Cursor* MoveCursor = nullptr;
    Cursor* PointCursor = nullptr;
    StatusBar* Status = nullptr;
    Flag active;
    Flag blocked;
    // The construction came from a GeoGebra file and was not saved since:
    // Save asks for the name.
    Flag imported;
    int Touched = 0; // the user has clicked or given a command
    int Smooth = 1;  // the picture is drawn antialiased (always in the modern style)
    enum { Classic = 0, Modern = 1 };
    int Style = Classic; // how the construction is drawn
    // Sets a surface up to draw in the chosen style.
    void dress(PS& ps) const;

  private:
    void zoom(double k);
    // The view moved outside any step: the construction is changed.
    void viewchanged();
    // Moves the view edges low and high by f of their distance.
    void shift(double& low, double& high, double f);
    int Moving = 0;  // a right-button drag with the move tool is in progress
    int Panning = 0; // a middle-button drag moves the view
    int PanC = 0, PanR = 0;
};

extern MainWindow window;

// Settings the main window draws with.
extern int fontsize;
extern String fontname, symbolfontname;

// The file of the construction; empty when none is loaded.
extern String loadname;

// The cursors' artwork: pen, point and move.
extern const char* const pencursor[];
extern const char* const pointcursor[];
extern const char* const movecursor[];

// The start-up up to the message loop, and the clean-up after it.
void startup(int argc, char** argv);
// The start-up's part that the command line decides: a file to load, and
// the About box.
void commandline(int argc, char** argv);
void shutdown();
