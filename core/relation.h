// Relations between objects (three points on one line, two lines parallel,
// a point on a circle, ...) and whether one holds in general: checked in
// many random positions of the free objects, each recomputed by the
// construction itself.
#pragma once

#include "object.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

double figuresize();

struct Relation {
    enum Kind {
        Collinear,     // three points on one line
        Concurrent,    // three lines through one point
        Parallel,      // two lines
        Perpendicular, // two lines
        Concyclic,     // four points on one circle
        OnLine,        // a point on a line, ray or segment's line
        OnCircle,      // a point on a circle or arc's circle
        EqualLength,   // two segments
        EqualAngle,    // two angles
        TangentCircles,
        TangentLine, // a line and a circle
        EqualNumbers,
    };
    Kind K;
    std::vector<Object*> Objects;

    // Whether every object of it is valid.
    bool defined() const;
    // In plain words: "A, B and C lie on one line".
    std::string text() const;
    // Whether it holds in the figure as it stands, within the tolerance
    // relative to the figure's size; false while an object is invalid.
    bool holds() const { return holds(figuresize()); }
    // The same for a figure of the size given.
    bool holds(double size) const;
};

// The relative tolerance of every test: distances against the figure's
// size, directions and angles against a whole turn, numbers against their
// size.
constexpr double RelationTolerance = 1e-8;

// The size of the figure (figuresize): the diagonal of the box around its
// given points (free, fixed and on objects), else around all its points; at
// least 1e-9.

// Every relation of the kinds above that holds here among the objects, in
// the order of the kinds.
std::vector<Relation> relationsamong(const std::vector<Object*>& among);

// The free objects of the construction that a check moves: movable free
// points, points on objects (along their objects) and sliders.
std::vector<Object*> freeobjects();

// Where the free objects stood in one position: each object's place (x, y;
// a slider's value in x).
struct Position {
    std::vector<double> X, Y;
};

struct Verdict {
    enum Result {
        General,   // held in every position checked
        HereOnly,  // holds here but failed in a position
        NotHere,   // does not hold in the figure as it stands
        Undecided, // most positions left an object invalid
        Stopped,   // the person stopped the check
    };
    Result R = NotHere;
    int Checked = 0;           // positions where every object involved existed
    int Skipped = 0;           // positions left out: an object involved had no place
    Position Counter;          // a position where it fails (HereOnly)
    Object* Breaker = nullptr; // a free object whose move alone breaks it
    // "— true in general (checked in 1,000 random positions)", or why not.
    std::string text() const;
};

// Checks r in n random positions around the current one and at scales from
// a hundredth to ten times the figure's size, reproducible from seed. The
// construction stands as it did afterwards. progress, when given, hears the
// share done now and then and may answer false to stop.
Verdict checkrelation(const Relation& r, int n = 1000, std::uint64_t seed = 1,
                      const std::function<bool(double)>& progress = nullptr);

// Puts the free objects where p says and recomputes: the counter-example.
void showposition(const Position& p);

// Random positions of the free objects around the figure, reproducible from
// a seed; the figure stands as it did when they are gone.
class Positions {
  public:
    explicit Positions(std::uint64_t seed);
    ~Positions();
    Positions(const Positions&) = delete;
    Positions& operator=(const Positions&) = delete;
    // Moves to the next position and recomputes.
    void next();
    // Where the free objects stand now, and where they stood at first.
    Position now() const;
    const Position& here() const { return Here; }
    const std::vector<Object*>& free() const { return Free; }

  private:
    std::vector<Object*> Free;
    std::vector<ObjectState> States; // as they were: put back exactly
    Position Here;
    double Size;
    std::uint64_t State;
    int Count = 0;
};
