// Discovery: every relation between one object and the rest of the
// construction that holds in general and is not simply how something was
// built (the orthocentre, centroid and circumcentre on one line: found; a
// point on the line it was made on: not).
#pragma once

#include "relation.h"

#include <cstdint>
#include <functional>
#include <vector>

struct Found {
    Relation R;
    int Checked = 0; // the random positions it was tested in
};

// The relations of x with the visible objects, in n random positions shared
// by all candidates, reproducible from seed. progress, when given, hears the
// share done (0 to 1) now and then and may answer false to stop: then the
// list is empty. The construction stands as it did afterwards.
// A point's partners for points on one line are the NearestForLines points
// nearest to it, for points on one circle the NearestForCircles nearest: a
// large construction is searched in about a second.
enum { NearestForLines = 300, NearestForCircles = 100 };
std::vector<Found> discover(Object* x, int n = 1000, std::uint64_t seed = 1,
                            const std::function<bool(double)>& progress = nullptr);

// Whether r holds by the way its objects were made: a point on a line that
// passes through it or that it was made on, points on one line or circle
// made through them, lines through a point they were made through,
// a parallel and its line.
bool builtin(const Relation& r);
