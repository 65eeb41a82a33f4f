// Vector recordings of drawing, kept as SVG text: recorded on a MetafilePS,
// played back onto any surface, saved to and loaded from .svg files.
#pragma once

#include "ps.h"

#include <string>

class QSvgGenerator;
class QBuffer;

class MetafilePS : public PS {
  public:
    MetafilePS(int w, int h);
    ~MetafilePS() override;
    void erase() override {}

    void close();
    void copy(PS& ps);
    int save(const char* filename);
    const std::string& metafilehandle() const { return MetafileHandle; }
    int closed() const { return Closed; }

  private:
    QBuffer* Buffer;
    QSvgGenerator* Generator;
    std::string MetafileHandle; // the finished recording; empty until close()
    int Closed = 0;
};

class Metafile {
  public:
    explicit Metafile(const char* filename);
    explicit Metafile(MetafilePS& m);
    virtual ~Metafile();
    Metafile(const Metafile&) = delete;
    Metafile& operator=(const Metafile&) = delete;
    virtual void erase() {}

    void copy(PS& ps);
    int save(const char* filename);
    const std::string& handle() const { return Handle; }
    int valid() const { return Valid; }
    // Gives the recording away (to the clipboard); the object no longer owns it.
    std::string take();
    int width() const { return Width; }
    int height() const { return Height; }

  private:
    std::string Handle;
    int Valid = 0;
    int Width = 0, Height = 0;
};

// Plays an SVG recording onto ps, scaled to its w x h drawing area.
void playsvg(const std::string& svg, PS& ps, int w, int h);
