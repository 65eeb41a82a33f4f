// The construction as JSON, for scripts and checks: the view, the comment
// and every object in list order with its computed numbers.
#pragma once

#include <string>

// {"view": [x1, x2, y1, y2], "comment": "...", "objects": [...]}; each object
// with "name", "kind" (the keyword of the record that writes it), "parents",
// "hidden", "valid" and, while valid, the numbers of its kind. Numbers read
// back exactly; texts are UTF-8.
std::string constructionjson();
// A text as a JSON string, quotes included.
std::string jsonstring(const std::string& text);
// A number in the shortest form that reads back exactly; null for the
// values JSON has no number for.
std::string jsonnumber(double x);
