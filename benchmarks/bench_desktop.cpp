// The desktop display's costs, measured on a private virtual X server: how soon
// the game's first frame is on screen, and how much processor time the game
// takes over ten seconds while it runs and while it is halted.
#include <benchmark/benchmark.h>

#include <X11/keysym.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <thread>

#include "desktop/game_under_x.h"
#include "desktop/virtual_server.h"

using namespace desktop_test;

namespace {

constexpr int MENU_BAR = 16;
constexpr int SHOOT_LABEL_TOP = 150;  // client rows and columns around the red "SHOOT!" label
constexpr int SHOOT_LABEL_BOTTOM = 200;
constexpr int PANEL_WIDTH = 80;
constexpr uint32_t RED = 0xFF0000;
constexpr int LABEL_PIXELS = 15;
constexpr auto MEASURED = std::chrono::seconds(10);
constexpr auto SETTLE = std::chrono::milliseconds(500);
constexpr int PERCENT = 100;

// A screen large enough for the windows at scale 2.
constexpr int SCREEN_WIDTH = 3840;
constexpr int SCREEN_HEIGHT = 2160;

VirtualServer &server()
{
    static VirtualServer running(SCREEN_WIDTH, SCREEN_HEIGHT);
    return running;
}

bool first_frame_shown(const GameUnderX &game, int scale)
{
    Window graphics = game.find_window("QZ370 Graphics");
    if (graphics == 0) {
        return false;
    }
    Geometry place = game.geometry(graphics);
    Screenshot label = game.capture(place.x, place.y + scale * (MENU_BAR + SHOOT_LABEL_TOP), scale * PANEL_WIDTH,
                                    scale * (SHOOT_LABEL_BOTTOM - SHOOT_LABEL_TOP));
    return label.count(RED, 0, 0, label.width, label.height) >= LABEL_PIXELS;
}

// The windows enlarged by scale, whatever the screen.
std::unique_ptr<GameUnderX> start_game(benchmark::State &state, int scale)
{
    server();
    Display *display = GameUnderX::open_display();
    if (display == nullptr) {
        state.SkipWithError("no X server could be started (is Xvfb installed?)");
        return nullptr;
    }
    auto game = std::make_unique<GameUnderX>(display);
    game->start({"QZ370_SCALE=" + std::to_string(scale)});
    return game;
}

// User and system time of a process so far, in clock ticks.
long processor_ticks(pid_t pid)
{
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string field;
    long user = 0;
    long system = 0;
    constexpr int USER_TIME_FIELD = 14;
    for (int i = 1; i <= USER_TIME_FIELD + 1 && stat >> field; ++i) {
        if (i == USER_TIME_FIELD) {
            user = std::stol(field);
        } else if (i == USER_TIME_FIELD + 1) {
            system = std::stol(field);
        }
    }
    return user + system;
}

void BM_StartToFirstFrame(benchmark::State &state)
{
    for (auto _ : state) {
        std::unique_ptr<GameUnderX> game = start_game(state, 1);
        if (!game || !wait_until([&] { return first_frame_shown(*game, 1); })) {
            state.SkipWithError("the game showed no frame");
            return;
        }
        std::chrono::duration<double> elapsed = Clock::now() - game->started();
        state.SetIterationTime(elapsed.count());
    }
}
BENCHMARK(BM_StartToFirstFrame)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

// Processor use in percent of one core while the game runs as it starts
// (first argument 0), halted (1), or running with the call log on (2), which
// prints and scrolls about a hundred lines a frame; the second argument is the
// windows' scale.
constexpr int RUNNING = 0;
constexpr int HALTED = 1;
constexpr int LOGGING = 2;

void BM_ProcessorUse(benchmark::State &state)
{
    const int mode = static_cast<int>(state.range(0));
    const int scale = static_cast<int>(state.range(1));
    state.SetLabel(mode == LOGGING ? "call log on" : mode == HALTED ? "halted" : "running");
    for (auto _ : state) {
        std::unique_ptr<GameUnderX> game = start_game(state, scale);
        if (!game || !wait_until([&] { return first_frame_shown(*game, scale); })) {
            state.SkipWithError("the game showed no frame");
            return;
        }
        if (mode != RUNNING) {
            game->focus(game->find_window("QZ370 Graphics"));
            const unsigned long command = mode == HALTED ? XK_h : XK_l;
            game->keys({XK_Control_L, command});
        }
        std::this_thread::sleep_for(SETTLE);
        long before = processor_ticks(game->pid());
        std::this_thread::sleep_for(MEASURED);
        long used = processor_ticks(game->pid()) - before;
        double seconds = std::chrono::duration<double>(MEASURED).count();
        state.counters["cpu_percent"] = PERCENT * static_cast<double>(used) / sysconf(_SC_CLK_TCK) / seconds;
    }
}
BENCHMARK(BM_ProcessorUse)
    ->ArgNames({"mode", "scale"})
    ->ArgsProduct({{RUNNING, HALTED, LOGGING}, {1, 2}})
    ->Iterations(1)
    ->Unit(benchmark::kSecond);

}  // namespace
