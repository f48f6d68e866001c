// The repairs the drawing operations make to bad arguments. Each repair that
// fires prints its notice, whatever the logging flag says, and the operation
// goes on with the repaired value.
#pragma once

#include "qz370.h"

constexpr int MAX_PTSIZE = 127;

// -value; the most negative int, which has no counterpart, gives the largest.
int negated_in_range(int value);

int repair_width(int width);
int repair_radius(int radius);
int repair_ptsize(int ptsize);

// Leaves p1 the upper-left and p2 the lower-right corner of the box; silent.
void order_corners(Point &p1, Point &p2);
