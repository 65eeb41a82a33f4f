// Pictures for files: a PNG image, an SVG or a PDF drawing, made in memory
// and written whole (an old file of the name stays when writing fails).
#pragma once

#include "files.h"
#include "ps.h"

#include <string>

class QBuffer;
class QPaintDevice;

class PicturePS : public PS {
  public:
    enum Kind { Png, Svg, Pdf };
    // A picture of w x h pixels (for SVG and PDF: points); a PNG is drawn
    // smoothly, on white or, when transparent, on nothing.
    PicturePS(Kind kind, int w, int h, int transparent = 0);
    ~PicturePS() override;
    void erase() override;
    // Ends the drawing and writes the picture to a file.
    WriteResult write(const char* filename);
    // Ends the drawing: the file's bytes; empty when the picture failed.
    std::string bytes();
    // The kind a file name asks for by its extension (png, svg, pdf in any
    // case); -1 for any other.
    static int kindof(const char* filename);

  private:
    Kind K;
    int Transparent;
    QImage* Image = nullptr;
    QBuffer* Buffer = nullptr;
    QPaintDevice* Device = nullptr;
    std::string Bytes;
    int Done = 0;
};
