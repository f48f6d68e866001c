// The game's text per frame: nine short strings, each with the font looked up,
// the text measured and drawn, as the renderer does for every text command;
// and the call log printed into the text window, a line at a time, and a
// frame's worth shown as a display shows it.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "gdi/fonts/font.h"
#include "qz370.h"
#include "qz370_headless.h"

namespace {

constexpr int CANVAS_WIDTH = 601;
constexpr int CANVAS_HEIGHT = 540;

const char *const FRAME_TEXTS[] = {"NEW GAME", "STOP", "GO", "SLOWER", "SPEEDUP", "REVERSE", "SHOOT!",
                                   "VORTALINE \xAE EPISODE 2", "WAVE 3"};

void BM_FrameOfGameTexts(benchmark::State &state) {
    using namespace qz370;
    std::vector<uint32_t> pixels(CANVAS_WIDTH * CANVAS_HEIGHT);
    raster::Surface surface{pixels.data(), CANVAS_WIDTH, CANVAS_HEIGHT, CANVAS_WIDTH,
                            RECT{0, 0, CANVAS_WIDTH, CANVAS_HEIGHT}};
    for (auto _ : state) {
        int y = 10;
        for (const char *text : FRAME_TEXTS) {
            int count = static_cast<int>(std::strlen(text));
            const fonts::Face *face = fonts::face_for(fonts::Family::Sans, y < 200 ? -12 : -16, FW_NORMAL);
            SIZE size = fonts::measure(face, text, count);
            fonts::draw(surface, face, 20, y, text, count, 0xFFFF00, nullptr);
            y += size.cy + 40;
        }
        benchmark::DoNotOptimize(pixels.data());
    }
}
BENCHMARK(BM_FrameOfGameTexts);

// Stored in the ring, scrolled into the text window and drawn: with the call
// log on the game prints about a hundred of these a frame.
void BM_PrintLogLine(benchmark::State &state)
{
    static const int opened = QZ370_begin(nullptr, nullptr, nullptr, SW_SHOW);
    benchmark::DoNotOptimize(opened);
    int x = 0;
    for (auto _ : state) {
        QZ370_print("QZ370_circle(1, %d, -15, 1);\n", x++ % 600);
    }
    state.counters["lines_per_second"] = benchmark::Counter(static_cast<double>(state.iterations()),
                                                            benchmark::Counter::kIsRate);
}
BENCHMARK(BM_PrintLogLine);

// A frame of the game with the call log on prints about this many lines.
constexpr int LINES_PER_FRAME = 107;

// The lines of a frame, then the text window's pixels read once, as a
// display does before the program next waits.
void BM_PrintLogFrameShown(benchmark::State &state)
{
    static const int opened = QZ370_begin(nullptr, nullptr, nullptr, SW_SHOW);
    benchmark::DoNotOptimize(opened);
    HWND text_window = FindWindowA(nullptr, "QZ370 Text");
    int x = 0;
    for (auto _ : state) {
        for (int line = 0; line < LINES_PER_FRAME; ++line) {
            QZ370_print("QZ370_circle(1, %d, -15, 1);\n", x++ % 600);
        }
        benchmark::DoNotOptimize(qz370::headless::client_pixels(text_window, nullptr, nullptr));
    }
    state.counters["frames_per_second"] = benchmark::Counter(static_cast<double>(state.iterations()),
                                                             benchmark::Counter::kIsRate);
}
BENCHMARK(BM_PrintLogFrameShown);

}  // namespace
