// The game's text per frame: nine short strings, each with the font looked up,
// the text measured and drawn, as the renderer does for every text command;
// and one line of the call log printed into the text window.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "gdi/fonts/font.h"
#include "qz370.h"

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

}  // namespace
