// Drawing speed onto the canvas, logging off: one whole game frame's worth of
// calls, each kind of call on its own, and the copy of the canvas to the window.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

#include "library_state.h"

namespace {

constexpr int STAR_COUNT = 10;
constexpr int STAR_OFFSETS[STAR_COUNT][2] = {{15, 110},   {9, -25},    {-423, -400}, {-510, -300}, {-189, -400},
                                             {-140, -240}, {-240, -89}, {-350, 100},  {-59, 142},   {-300, 123}};
constexpr int BUTTON_COUNT = 7;
constexpr const char *BUTTON_LABELS[BUTTON_COUNT] = {"NEW GAME", "STOP",    "GO",    "SLOWER",
                                                     "SPEEDUP",  "REVERSE", "SHOOT!"};
constexpr int FLEET_SIZE = 10;

void open_library_once()
{
    static bool open = false;
    if (!open) {
        QZ370_begin(nullptr, nullptr, nullptr, SW_SHOW);
        QZ370_set_logging(0);
        QZ370_clear_graphics();
        open = true;
    }
}

void draw_stars(int x, int y)
{
    for (const auto &offset : STAR_OFFSETS) {
        QZ370_circle(1, x + offset[0], y + offset[1], 1);
    }
}

void draw_field()
{
    QZ370_rectangle(0, -300, -250, 300, 250, 0);
    draw_stars(250, -125);
    draw_stars(250, 575);
    QZ370_text_printf(5, -100, -220, 16, "VORTALINE %c EPISODE 2", 174);
    QZ370_text_printf(1, -100, -240, 12, "written for the benchmark");
}

void draw_panel()
{
    for (int i = 0; i < BUTTON_COUNT; ++i) {
        QZ370_rectangle(1, -295, 245 - 25 * i, -220, 220 - 25 * i, 1);
    }
    for (int i = 0; i < BUTTON_COUNT; ++i) {
        QZ370_text_printf(i == 0 ? 11 : (i == 6 ? 2 : 1), -285, 227 - 25 * i, 12, "%s", BUTTON_LABELS[i]);
    }
}

void draw_player(int x, int y)
{
    QZ370_triangle(1, x - 40, y - 25, x, y, x + 40, y + 31, 0);
    QZ370_triangle(1, x + 40, y - 25, x, y, x - 40, y + 31, 0);
    QZ370_circle(1, x, y, 22);
    QZ370_rectangle(22, x - 20, y + 6, x + 20, y, 0);
    QZ370_rectangle(23, x - 13, y + 18, x + 13, y + 12, 0);
    QZ370_rectangle(22, x + 2, y + 24, x - 2, y + 32, 0);
    QZ370_circle(22, x, y, 10);
}

void draw_enemy(int x, int y, int colour)
{
    QZ370_triangle(2, x - 40, y, x, y, x + 40, y + 31, 0);
    QZ370_triangle(2, x + 40, y, x, y, x - 40, y + 31, 0);
    QZ370_rectangle(colour, x - 20, y, x + 20, y + 18, 0);
    QZ370_circle(0, x + 13, y + 10, 2);
    QZ370_circle(0, x - 13, y + 10, 2);
    QZ370_rectangle(22, x - 13, y - 5, x + 13, y, 0);
}

void draw_frame()
{
    draw_field();
    draw_panel();
    draw_player(0, -200);
    for (int i = 0; i < FLEET_SIZE; ++i) {
        draw_enemy(-200 + 100 * (i % 5), 150 - 70 * (i / 5), 3 + i);
    }
    for (int i = 0; i < FLEET_SIZE; ++i) {
        QZ370_circle(5, -200 + 100 * (i % 5), 100 - 30 * i, 4);
    }
}

void report_rate(benchmark::State &state, const char *counter)
{
    state.counters[counter] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_GameFrame(benchmark::State &state)
{
    open_library_once();
    for (auto _ : state) {
        draw_frame();
    }
    report_rate(state, "frames_per_second");
}
BENCHMARK(BM_GameFrame);

// The frame's cost over the field fill's, as pairs taken side by side: the
// host's load, which moves separate runs by a fifth or more, moves both
// members of a pair alike. The iteration time is the frame's.
void BM_GameFrameOverField(benchmark::State &state)
{
    using Clock = std::chrono::steady_clock;
    open_library_once();
    std::vector<double> ratios;
    for (auto _ : state) {
        const auto start = Clock::now();
        QZ370_rectangle(0, -300, -250, 300, 250, 0);
        const auto filled = Clock::now();
        draw_frame();
        const auto drawn = Clock::now();
        const std::chrono::duration<double> field = filled - start, frame = drawn - filled;
        state.SetIterationTime(frame.count());
        ratios.push_back(frame.count() / field.count());
    }
    std::nth_element(ratios.begin(), ratios.begin() + ratios.size() / 2, ratios.end());
    state.counters["frame_over_field"] = ratios[ratios.size() / 2];
}
BENCHMARK(BM_GameFrameOverField)->UseManualTime();

void BM_Pixel(benchmark::State &state)
{
    open_library_once();
    for (auto _ : state) {
        QZ370_pixel(1, 10, 10);
    }
    report_rate(state, "calls_per_second");
}
BENCHMARK(BM_Pixel);

void BM_StarCircle(benchmark::State &state)
{
    open_library_once();
    for (auto _ : state) {
        QZ370_circle(1, 10, 10, 1);
    }
    report_rate(state, "calls_per_second");
}
BENCHMARK(BM_StarCircle);

void BM_BodyCircle(benchmark::State &state)
{
    open_library_once();
    for (auto _ : state) {
        QZ370_circle(1, 0, 0, 22);
    }
    report_rate(state, "calls_per_second");
}
BENCHMARK(BM_BodyCircle);

void BM_FilledTriangle(benchmark::State &state)
{
    open_library_once();
    for (auto _ : state) {
        QZ370_triangle(2, -40, 0, 0, 0, 40, 31, 0);
    }
    report_rate(state, "calls_per_second");
}
BENCHMARK(BM_FilledTriangle);

void BM_FieldRectangle(benchmark::State &state)
{
    open_library_once();
    for (auto _ : state) {
        QZ370_rectangle(0, -300, -250, 300, 250, 0);
    }
    report_rate(state, "calls_per_second");
}
BENCHMARK(BM_FieldRectangle);

void BM_SmallRectangle(benchmark::State &state)
{
    open_library_once();
    for (auto _ : state) {
        QZ370_rectangle(22, -13, -5, 13, 0, 0);
    }
    report_rate(state, "calls_per_second");
}
BENCHMARK(BM_SmallRectangle);

void BM_FramedRectangle(benchmark::State &state)
{
    open_library_once();
    for (auto _ : state) {
        QZ370_rectangle(1, -295, 245, -220, 220, 1);
    }
    report_rate(state, "calls_per_second");
}
BENCHMARK(BM_FramedRectangle);

void BM_OutlinedOval(benchmark::State &state)
{
    open_library_once();
    for (auto _ : state) {
        QZ370_oval(4, -50, 30, 50, -30, 3);
    }
    report_rate(state, "calls_per_second");
}
BENCHMARK(BM_OutlinedOval);

void BM_Line(benchmark::State &state)
{
    open_library_once();
    for (auto _ : state) {
        QZ370_line(3, -100, -50, 100, 50, 1);
    }
    report_rate(state, "calls_per_second");
}
BENCHMARK(BM_Line);

void BM_WideLine(benchmark::State &state)
{
    open_library_once();
    for (auto _ : state) {
        QZ370_line(3, -100, -50, 100, 50, 5);
    }
    report_rate(state, "calls_per_second");
}
BENCHMARK(BM_WideLine);

void BM_Label(benchmark::State &state)
{
    open_library_once();
    for (auto _ : state) {
        QZ370_text_printf(1, -285, 227, 12, "SPEEDUP");
    }
    report_rate(state, "calls_per_second");
}
BENCHMARK(BM_Label);

void BM_Title(benchmark::State &state)
{
    open_library_once();
    for (auto _ : state) {
        QZ370_text_printf(5, -100, -220, 16, "VORTALINE %c EPISODE 2", 174);
    }
    report_rate(state, "calls_per_second");
}
BENCHMARK(BM_Title);

// What the event wait does once a frame: the whole canvas to the window.
void BM_PresentCanvas(benchmark::State &state)
{
    open_library_once();
    for (auto _ : state) {
        present_canvas();
    }
    report_rate(state, "calls_per_second");
}
BENCHMARK(BM_PresentCanvas);

void BM_ClearGraphics(benchmark::State &state)
{
    open_library_once();
    for (auto _ : state) {
        QZ370_clear_graphics();
    }
    report_rate(state, "calls_per_second");
}
BENCHMARK(BM_ClearGraphics);

}  // namespace
