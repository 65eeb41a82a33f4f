// The numbered UI texts of Gyrel.
#pragma once

#include "textstrings.h"

extern const stringtable GyrStrings[];
