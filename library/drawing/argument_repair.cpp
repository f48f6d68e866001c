#include "argument_repair.h"

#include <climits>
#include <utility>

// The most negative int has no positive counterpart; the largest int is the
// nearest repair that stays in range.
static int positive_counterpart(int value)
{
    return value == INT_MIN ? INT_MAX : -value;
}

static int repair_negative(int value, const char *notice)
{
    if (value >= 0) {
        return value;
    }
    int repaired = positive_counterpart(value);
    QZ370_print(notice, value, repaired);
    return repaired;
}

int repair_width(int width)
{
    return repair_negative(width, "Width of %d not possible, using width %d\n");
}

int repair_radius(int radius)
{
    return repair_negative(radius, "Radius of %d not possible, using radius %d\n");
}

int repair_ptsize(int ptsize)
{
    const char *notice = "ptsize of %d not possible, using ptsize %d\n";
    ptsize = repair_negative(ptsize, notice);
    if (ptsize > MAX_PTSIZE) {
        QZ370_print(notice, ptsize, MAX_PTSIZE);
        ptsize = MAX_PTSIZE;
    }
    return ptsize;
}

void order_corners(Point &p1, Point &p2)
{
    if (p1.x > p2.x) {
        std::swap(p1.x, p2.x);
    }
    if (p1.y < p2.y) {
        std::swap(p1.y, p2.y);
    }
}
