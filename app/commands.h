// The menu bar, the accelerators and the handlers of the commands.
#pragma once

class Menu;
class Help;
extern Menu menu;
extern Help help;

// The history's commands, first in the Actions menu.
enum {
    UndoCommand = 7301,
    RedoCommand = 7302,
    ExportCommand = 7303,
    SmoothCommand = 7304,
    ZoomFitCommand = 7305,
    CompleteCommand = 7306, // Return: the tool ends what it collects
    ModernCommand = 7307,   // Options > Style
    ClassicCommand = 7308,
    RecentNone = 1100, // the Recent Files entry while there are none
    RecentFirst = 1101 // the entries of the last files, newest first
};
enum { RecentMax = 8 };

// Defines the menu and binds every command that has a handler.
void bindcommands();

void doaction();
void docolor();
void doescape();
void dozoomin();
void dozoomout();
void docenter();
void doleft();
void doright();
void doup();
void dodown();
void dohidden();
void dodeletetracks();
void dostep();
void doup1();
void dodown1();
void dopageup1();
void dopagedown1();
void docontents();
void dohelponhelp();
void doexit();
void dobackspace();
void doabout();
void doundo();
void doredo();

// The file commands.
class FileSelector;
extern FileSelector in, out;
// Gives the file selectors their texts.
void selectors();
void doclear();
void doload();
void doload(const char* name);
// 1 when the construction was saved.
int dosave();
int dosaveas();
void docomment();
// The Recent Files submenu, made anew from the settings.
void recentmenu();
// Puts a file loaded or saved first in Recent Files; takes one that could
// not be opened out.
void rememberfile(const char* name);
void forgetfile(const char* name);

// The macro commands.
extern FileSelector macrosin, macrosout;
// Gives the macro file selectors their texts.
void macroselectors();
void domacroparameter();
void domacroconstructed();
void domacrodefine();
void domacrorun();
void domacromenu();
void domacrosave();
void domacroload();
void domacrodelete();
void domacrocomment();
