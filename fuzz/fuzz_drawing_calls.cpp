// Runs any sequence of drawing calls with any 32-bit arguments on the library
// opened over the headless display, logging on and off as the input says.
// Besides crashes and sanitizer reports it catches a call that costs more than
// many times drawing a shape that covers the whole canvas: a shape far outside
// must cost no more than one on it.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

#include "qz370.h"

namespace {

constexpr int MOST_CALLS_PER_INPUT = 64;
// Longer than the formatted text's buffer, so cutting it is exercised too.
constexpr size_t MOST_TEXT_BYTES = 1500;
// A call may cost this many canvas-covering fills: a long text at the largest
// size costs about ten, and the rest is room for a busy machine, where a large
// shape's first touch of fresh memory once took fifty and a single logged
// pixel, run inside the fuzzer's leak check, once near four hundred; a walk
// over the 32-bit range costs tens of thousands.
constexpr double CALL_COST_IN_FILLS = 1000.0;
constexpr int BASELINE_RUNS = 15;
constexpr int FAR = 100000;

double cpu_seconds()
{
    timespec now;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

void fill_the_canvas()
{
    QZ370_rectangle(3, -FAR, FAR, FAR, -FAR, 0);
}

// The middle of several runs, so one slow moment does not set the bound.
double canvas_fill_seconds()
{
    double runs[BASELINE_RUNS];
    for (double &run : runs) {
        const double start = cpu_seconds();
        fill_the_canvas();
        run = cpu_seconds() - start;
    }
    std::nth_element(runs, runs + BASELINE_RUNS / 2, runs + BASELINE_RUNS);
    return runs[BASELINE_RUNS / 2];
}

double slowest_allowed_call = 0;

int any(FuzzedDataProvider &data)
{
    return data.ConsumeIntegral<int>();
}

Point any_point(FuzzedDataProvider &data)
{
    Point point;
    point.x = any(data);
    point.y = any(data);
    return point;
}

std::string any_text(FuzzedDataProvider &data)
{
    return data.ConsumeRandomLengthString(MOST_TEXT_BYTES);
}

struct DrawingCall {
    const char *name;
    void (*make)(FuzzedDataProvider &data);
};

// Arguments are taken in the order the calls list them; the order in which
// C++ evaluates a call's arguments is unspecified, so each is read first.
const DrawingCall CALLS[] = {
    {"QZ370_pixel",
     [](FuzzedDataProvider &d) {
         const int c = any(d), x = any(d), y = any(d);
         QZ370_pixel(c, x, y);
     }},
    {"QZ370_pixel_pt",
     [](FuzzedDataProvider &d) {
         const int c = any(d);
         QZ370_pixel_pt(c, any_point(d));
     }},
    {"QZ370_circle",
     [](FuzzedDataProvider &d) {
         const int c = any(d), x = any(d), y = any(d), r = any(d);
         QZ370_circle(c, x, y, r);
     }},
    {"QZ370_circle_pt",
     [](FuzzedDataProvider &d) {
         const int c = any(d);
         const Point p = any_point(d);
         QZ370_circle_pt(c, p, any(d));
     }},
    {"QZ370_triangle",
     [](FuzzedDataProvider &d) {
         const int c = any(d), x1 = any(d), y1 = any(d), x2 = any(d), y2 = any(d), x3 = any(d), y3 = any(d);
         QZ370_triangle(c, x1, y1, x2, y2, x3, y3, any(d));
     }},
    {"QZ370_triangle_pt",
     [](FuzzedDataProvider &d) {
         const int c = any(d);
         const Point p1 = any_point(d), p2 = any_point(d), p3 = any_point(d);
         QZ370_triangle_pt(c, p1, p2, p3, any(d));
     }},
    {"QZ370_rectangle",
     [](FuzzedDataProvider &d) {
         const int c = any(d), x1 = any(d), y1 = any(d), x2 = any(d), y2 = any(d);
         QZ370_rectangle(c, x1, y1, x2, y2, any(d));
     }},
    {"QZ370_rectangle_pt",
     [](FuzzedDataProvider &d) {
         const int c = any(d);
         const Point p1 = any_point(d), p2 = any_point(d);
         QZ370_rectangle_pt(c, p1, p2, any(d));
     }},
    {"QZ370_oval",
     [](FuzzedDataProvider &d) {
         const int c = any(d), x1 = any(d), y1 = any(d), x2 = any(d), y2 = any(d);
         QZ370_oval(c, x1, y1, x2, y2, any(d));
     }},
    {"QZ370_oval_pt",
     [](FuzzedDataProvider &d) {
         const int c = any(d);
         const Point p1 = any_point(d), p2 = any_point(d);
         QZ370_oval_pt(c, p1, p2, any(d));
     }},
    {"QZ370_line",
     [](FuzzedDataProvider &d) {
         const int c = any(d), x1 = any(d), y1 = any(d), x2 = any(d), y2 = any(d);
         QZ370_line(c, x1, y1, x2, y2, any(d));
     }},
    {"QZ370_line_pt",
     [](FuzzedDataProvider &d) {
         const int c = any(d);
         const Point p1 = any_point(d), p2 = any_point(d);
         QZ370_line_pt(c, p1, p2, any(d));
     }},
    {"QZ370_text",
     [](FuzzedDataProvider &d) {
         const int c = any(d), x = any(d), y = any(d), size = any(d);
         QZ370_text(c, x, y, size, any_text(d).c_str());
     }},
    {"QZ370_text_pt",
     [](FuzzedDataProvider &d) {
         const int c = any(d);
         const Point p = any_point(d);
         const int size = any(d);
         QZ370_text_pt(c, p, size, any_text(d).c_str());
     }},
    {"QZ370_text_printf",
     [](FuzzedDataProvider &d) {
         const int c = any(d), x = any(d), y = any(d), size = any(d), value = any(d);
         QZ370_text_printf(c, x, y, size, "%d %s", value, any_text(d).c_str());
     }},
    {"QZ370_text_printf_pt",
     [](FuzzedDataProvider &d) {
         const int c = any(d);
         const Point p = any_point(d);
         const int size = any(d);
         QZ370_text_printf_pt(c, p, size, "%s", any_text(d).c_str());
     }},
    {"QZ370_clear_graphics", [](FuzzedDataProvider &) { QZ370_clear_graphics(); }},
    {"QZ370_undo", [](FuzzedDataProvider &) { QZ370_undo(); }},
    {"QZ370_set_logging", [](FuzzedDataProvider &d) { QZ370_set_logging(any(d)); }},
};

constexpr int CALL_COUNT = sizeof CALLS / sizeof CALLS[0];

void check_cost(const DrawingCall &call, double seconds)
{
    if (seconds > slowest_allowed_call) {
        std::fprintf(stderr, "%s took %.1f ms; filling the canvas takes %.3f ms\n", call.name, seconds * 1e3,
                     slowest_allowed_call / CALL_COST_IN_FILLS * 1e3);
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    QZ370_begin(nullptr, nullptr, nullptr, SW_SHOWNORMAL);
    // The first text loads the fonts: a cost of starting up, not of a call.
    QZ370_text(0, 0, 0, 12, "warm");
    slowest_allowed_call = canvas_fill_seconds() * CALL_COST_IN_FILLS;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *bytes, size_t size)
{
    FuzzedDataProvider data(bytes, size);
    QZ370_set_logging(data.ConsumeBool());
    for (int i = 0; i < MOST_CALLS_PER_INPUT && data.remaining_bytes() > 0; ++i) {
        const DrawingCall &call = CALLS[data.ConsumeIntegralInRange<int>(0, CALL_COUNT - 1)];
        const double start = cpu_seconds();
        call.make(data);
        check_cost(call, cpu_seconds() - start);
    }
    return 0;
}
