// Free text in the drawing, with the live values of number objects in it.
#pragma once

#include "handle.h"
#include "object.h"

#include <string>
#include <vector>

class Pointprim;

// A text of one or more lines at a place of the construction, or beside a
// point and moving with it. "{name}" stands for the value of the number
// object of that name listed before the text; braces around anything else
// stay as they are.
class Text : public Object, public Handle {
  public:
    // At (x, y) in the construction, or beside point at when it is given.
    Text(const std::string& text, double x, double y, Pointprim* at);
    // The text as written, with the "{name}" parts (in the present names of
    // their objects).
    std::string source() const;
    // Changes the text; the names are looked up among the objects before.
    void change(const std::string& text);
    // The text as shown, the values filled in.
    std::string shown() const;
    void update() override;
    void draw(PS& ps) override;
    double distance(double x, double y) override;
    const std::vector<Object*>* alldep() const override { return &Parents; }
    void writeclear(char* s) override;
    void values(ValueSink& s) const override;
    void getstate(ObjectState& s) const override;
    void setstate(const ObjectState& s) override;
    void writespecialflags(FlagSink* io) override;
    int setspecialflag(const char* s) override;
    void grab(double x, double y) override;
    void dragto(double x, double y) override;
    void edit() override;

    Pointprim* At; // the point it stands beside; null: placed freely
    // The place in the construction; beside a point, the offset from it in
    // pixels right and down.
    double X, Y;

  private:
    // The text in pieces: plain text, or a number (Object set).
    struct Piece {
        std::string Text;
        Object* Number = nullptr;
    };
    void split();
    // The box of the text in construction coordinates.
    void box(double& left, double& top, double& right, double& bottom) const;
    std::string Source;
    std::vector<Piece> Pieces;
    std::vector<Object*> Parents; // the point, then the numbers
    Grip Held;                    // the last grab
};
