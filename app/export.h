// Pictures of the construction in SVG, PDF and PNG files: from the Export
// command and from the command line.
#pragma once

#include "files.h"

// Draws the construction as the view shows it into a picture file of the
// kind its name's extension asks for, width pixels wide (the height follows
// the view's aspect); a PNG is drawn smoothly, transparent when asked.
// Modern: in the modern style, else in the classic one.
WriteResult exportpicture(const char* name, int width, int transparent, int modern);
// The font of names and values in the modern style or the classic one, and
// its height on a picture of this width (or a printed drawing this long).
const char* labelfont(int modern);
int labelsize(int length, int modern);
// The height of a picture of this width in the view's aspect.
int pictureheight(int width);

void doexport();
