// The game's text per frame: nine short strings, each with the font looked up,
// the text measured and drawn, as the renderer does for every text command.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "gdi/fonts/font.h"

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

}  // namespace
