#include "argument_repair.h"

#include <climits>
#include <utility>

// The most negative int has no positive counterpart; the largest int is the
// nearest repair that stays in range.
int negated_in_range(int value)
{
    return value == INT_MIN ? INT_MAX : -value;
}

// The argument's name as the notice's first word and later in its sentence;
// one literal format for all of them lets the compiler check it.
struct RepairNotice {
    const char *opening;
    const char *name;
};

constexpr RepairNotice WIDTH_NOTICE = {"Width", "width"};
constexpr RepairNotice RADIUS_NOTICE = {"Radius", "radius"};
constexpr RepairNotice PTSIZE_NOTICE = {"ptsize", "ptsize"};

static void print_notice(const RepairNotice &notice, int given, int used)
{
    QZ370_print("%s of %d not possible, using %s %d\n", notice.opening, given, notice.name, used);
}

static int repair_negative(int value, const RepairNotice &notice)
{
    if (value >= 0) {
        return value;
    }
    int repaired = negated_in_range(value);
    print_notice(notice, value, repaired);
    return repaired;
}

int repair_width(int width)
{
    return repair_negative(width, WIDTH_NOTICE);
}

int repair_radius(int radius)
{
    return repair_negative(radius, RADIUS_NOTICE);
}

int repair_ptsize(int ptsize)
{
    ptsize = repair_negative(ptsize, PTSIZE_NOTICE);
    if (ptsize > MAX_PTSIZE) {
        print_notice(PTSIZE_NOTICE, ptsize, MAX_PTSIZE);
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
