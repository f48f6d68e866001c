// Replay throughput: the replay tool playing the demo script as it is, with
// the call log kept, and with a hash per frame; then scripts of ten thousand
// to a million periodic events, whose time per frame and peak memory must not
// grow with their length.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

extern char **environ;

namespace {

namespace fs = std::filesystem;

constexpr double KIB_PER_MIB = 1024.0;

struct ToolResult {
    bool ok;
    int64_t frames;
    double seconds;   // as the tool measured it: the game's run, without process start-up
    long peak_rss_kib;
};

fs::path scratch_path(const std::string &name) { return fs::temp_directory_path() / ("qz370-bench-" + name); }

// Runs the tool with its summary going to a file, and reads the summary back.
ToolResult run_tool(std::vector<std::string> arguments, const std::string &tool = QZ370_REPLAY_TOOL) {
    fs::path summary = scratch_path("summary-" + std::to_string(getpid()));
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, summary.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    // Long runs are what is measured here; an earlier tool had no limit.
    if (tool == QZ370_REPLAY_TOOL) {
        arguments.insert(arguments.end(), {"--timeout", "86400"});
    }
    std::vector<char *> argv{const_cast<char *>(tool.c_str())};
    for (std::string &argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    pid_t child = 0;
    ToolResult result{false, 0, 0, 0};
    if (posix_spawn(&child, tool.c_str(), &actions, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        rusage usage{};
        wait4(child, &status, 0, &usage);
        result.peak_rss_kib = usage.ru_maxrss;
        std::ifstream in(summary);
        std::string line;
        std::string last;
        while (std::getline(in, line)) {
            last = line;
        }
        int64_t events = 0;
        result.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0 &&
                    std::sscanf(last.c_str(), "qz370-replay: %" SCNd64 " events, %" SCNd64 " frames in %lf s", &events,
                                &result.frames, &result.seconds) == 3;
    }
    posix_spawn_file_actions_destroy(&actions);
    fs::remove(summary);
    return result;
}

void time_replays(benchmark::State &state, const std::vector<std::string> &arguments,
                  const std::string &tool = QZ370_REPLAY_TOOL) {
    ToolResult last{};
    for (auto _ : state) {
        last = run_tool(arguments, tool);
        if (!last.ok) {
            state.SkipWithError("the replay tool failed");
            return;
        }
        state.SetIterationTime(last.seconds);
    }
    state.counters["frames"] = static_cast<double>(last.frames);
    state.counters["frames_per_second"] = static_cast<double>(last.frames) / last.seconds;
    state.counters["us_per_frame"] = last.seconds * 1e6 / static_cast<double>(last.frames);
    state.counters["peak_MiB"] = static_cast<double>(last.peak_rss_kib) / KIB_PER_MIB;
}

void BM_ReplayDemo(benchmark::State &state) { time_replays(state, {"--script", QZ370_DEMO_SCRIPT}); }

void BM_ReplayDemoLogged(benchmark::State &state) {
    fs::path log = scratch_path("log");
    time_replays(state, {"--script", QZ370_DEMO_SCRIPT, "--logging", "--log", log.string()});
    fs::remove(log);
}

void BM_ReplayDemoHashed(benchmark::State &state) {
    fs::path hashes = scratch_path("hashes");
    time_replays(state, {"--script", QZ370_DEMO_SCRIPT, "--hashes", hashes.string()});
    fs::remove(hashes);
}

// One line per periodic event, as a hand-written script might have them.
void BM_ReplayPeriodicEvents(benchmark::State &state) {
    fs::path script = scratch_path("periodic-" + std::to_string(state.range(0)));
    {
        std::ofstream out(script);
        for (int64_t i = 0; i < state.range(0); ++i) {
            out << "QZ370_PERIODIC(1);\n";
        }
    }
    time_replays(state, {"--script", script.string()});
    fs::remove(script);
    state.SetComplexityN(state.range(0));
}

// A click on SHOOT! and then the given count of periodic events, the way a
// long recorded run looks: one frame per event, the game in full flight.
fs::path shot_and_ticks_script(int64_t ticks)
{
    fs::path script = scratch_path("shot-" + std::to_string(ticks));
    std::ofstream out(script);
    out << "QZ370_MOUSE(-257, 82);\nQZ370_PERIODIC(" << ticks << ");\n";
    return script;
}

void BM_ReplayShotAndTicks(benchmark::State &state)
{
    fs::path script = shot_and_ticks_script(state.range(0));
    time_replays(state, {"--script", script.string()});
    fs::remove(script);
}

// The same with the call log on and kept: about a hundred printed lines a
// frame, each scrolled into the text window.
void BM_ReplayShotAndTicksLogged(benchmark::State &state)
{
    fs::path script = shot_and_ticks_script(state.range(0));
    fs::path log = scratch_path("shot-log");
    time_replays(state, {"--script", script.string(), "--logging", "--log", log.string()});
    fs::remove(script);
    fs::remove(log);
}

// The game replayed as a program of its own (--program) beside the game linked
// into a tool, which the tool QZ370_LINKED_REPLAY_TOOL names: a build of an
// earlier tool that linked the game in (without it the figures compare this
// tool with itself). 20,000 ticks after SHOOT!, keeping the last picture or a
// hash per frame.
constexpr int64_t SIDE_BY_SIDE_TICKS = 20'000;

std::string linked_replay_tool() {
    const char *named = std::getenv("QZ370_LINKED_REPLAY_TOOL");
    return named != nullptr ? named : QZ370_REPLAY_TOOL;
}

void replay_game_side_by_side(benchmark::State &state, bool as_program, const char *output) {
    fs::path script = shot_and_ticks_script(SIDE_BY_SIDE_TICKS);
    fs::path kept = scratch_path(std::string("side-by-side") + output);
    std::vector<std::string> arguments{"--script", script.string(), output, kept.string()};
    if (as_program) {
        arguments.insert(arguments.end(), {"--program", QZ370_GAME});
    }
    time_replays(state, arguments, as_program ? QZ370_REPLAY_TOOL : linked_replay_tool());
    fs::remove(script);
    fs::remove(kept);
}

BENCHMARK_CAPTURE(replay_game_side_by_side, linked_png, false, "--png")
    ->UseManualTime()->Unit(benchmark::kSecond)->Iterations(3);
BENCHMARK_CAPTURE(replay_game_side_by_side, program_png, true, "--png")
    ->UseManualTime()->Unit(benchmark::kSecond)->Iterations(3);
BENCHMARK_CAPTURE(replay_game_side_by_side, linked_hashes, false, "--hashes")
    ->UseManualTime()->Unit(benchmark::kSecond)->Iterations(3);
BENCHMARK_CAPTURE(replay_game_side_by_side, program_hashes, true, "--hashes")
    ->UseManualTime()->Unit(benchmark::kSecond)->Iterations(3);

BENCHMARK(BM_ReplayDemo)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_ReplayDemoLogged)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ReplayDemoHashed)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ReplayPeriodicEvents)
    ->UseManualTime()
    ->Unit(benchmark::kSecond)
    ->Iterations(1)
    ->RangeMultiplier(10)
    ->Range(10'000, 1'000'000)
    ->Complexity(benchmark::oN);

BENCHMARK(BM_ReplayShotAndTicks)->UseManualTime()->Unit(benchmark::kSecond)->Iterations(1)->Arg(50'000);
BENCHMARK(BM_ReplayShotAndTicksLogged)
    ->UseManualTime()
    ->Unit(benchmark::kSecond)
    ->Iterations(1)
    ->Arg(20'000)
    ->Arg(200'000);

}  // namespace
