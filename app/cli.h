// The command line that works without a window: pictures of a construction
// file, its listing, and a check that it reads.
#pragma once

// Whether the arguments ask for the command line (an option "--…") rather
// than the window.
int commandlinetool(int argc, char** argv);
// Runs it: the exit status (0 done, 1 a file that does not read or a picture
// that could not be written, 2 a wrong call or a missing file).
int runtool(int argc, char** argv);

// Runs the command line as the program does: every message box that might
// still come is one line on standard error and is answered "no" (Cancel),
// every dialog and chooser is cancelled; nobody is waited for.
int runquietly(int argc, char** argv);
