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
#include <zlib.h>

#include <chrono>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
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
    double cpu_seconds;  // the tool's and the game's, user and system
};

struct ProcessRun {
    bool exited_zero;
    double wall_seconds;  // from spawning the process to reaping it
    double cpu_seconds;   // user and system, its own and its children's
    long peak_rss_kib;
    std::string error_output;
};

double seconds_of(const timeval &time) {
    return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1e6;
}

fs::path scratch_path(const std::string &name) { return fs::temp_directory_path() / ("qz370-bench-" + name); }

std::string read_text(const fs::path &path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string last_line_of(const std::string &text) {
    std::istringstream lines(text);
    std::string line;
    std::string last;
    while (std::getline(lines, line)) {
        last = line;
    }
    return last;
}

// Runs a program (found on PATH unless named with a folder) to its end in
// folder (here if empty), with these variables added to ours, its standard
// output dropped and its standard error kept.
ProcessRun run_process(std::vector<std::string> command, std::vector<std::string> variables = {},
                       const fs::path &folder = {}) {
    fs::path errors = scratch_path("stderr-" + std::to_string(getpid()));
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (!folder.empty()) {
        posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    }
    std::vector<char *> argv;
    for (std::string &word : command) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    std::vector<char *> environment;
    for (std::string &variable : variables) {
        environment.push_back(variable.data());
    }
    for (char **variable = environ; *variable != nullptr; ++variable) {
        environment.push_back(*variable);
    }
    environment.push_back(nullptr);
    ProcessRun run{false, 0, 0, 0, {}};
    pid_t child = 0;
    const auto start = std::chrono::steady_clock::now();
    if (posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environment.data()) == 0) {
        int status = 0;
        rusage usage{};
        wait4(child, &status, 0, &usage);
        run.wall_seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        run.cpu_seconds = seconds_of(usage.ru_utime) + seconds_of(usage.ru_stime);
        run.peak_rss_kib = usage.ru_maxrss;
        run.exited_zero = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }
    posix_spawn_file_actions_destroy(&actions);
    run.error_output = read_text(errors);
    fs::remove(errors);
    return run;
}

// Runs the tool and reads its summary, the last line it prints.
ToolResult run_tool(std::vector<std::string> arguments, const std::string &tool = QZ370_REPLAY_TOOL) {
    // Long runs are what is measured here; an earlier tool had no limit.
    if (tool == QZ370_REPLAY_TOOL) {
        arguments.insert(arguments.end(), {"--timeout", "86400"});
    }
    arguments.insert(arguments.begin(), tool);
    ProcessRun run = run_process(arguments);
    ToolResult result{false, 0, 0, run.peak_rss_kib, run.cpu_seconds};
    int64_t events = 0;
    result.ok = run.exited_zero && std::sscanf(last_line_of(run.error_output).c_str(),
                                               "qz370-replay: %" SCNd64 " events, %" SCNd64 " frames in %lf s", &events,
                                               &result.frames, &result.seconds) == 3;
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

// The same 20,000 ticks after SHOOT! played three ways in each round: by the
// replay tool through the game (--program), by the game itself on the
// headless display (QZ370_PLAY=1, in a folder of its own), and by the page's
// build of the game under node, which starts up and plays exactly as the
// native game does. The game and its web build count their frames alike
// (QZ370_FRAMES=1) and must end on the same picture. The tool times itself
// from starting the game to its end, and the node runner likewise from
// loading the page's code (its compiling included) to the program's end; the
// native game is timed from spawning it to reaping it, and node as a whole
// process too, its own start and end included. The page is also weighed as a
// server sends it: its three files, each compressed.
constexpr const char *WEB_GAME_VARIABLE = "QZ370_WEB_GAME";
constexpr int GZIP_BEST = 9;
constexpr int GZIP_WINDOW_BITS = 15 + 16;  // the largest window, with gzip's header
constexpr int GZIP_MEMORY_LEVEL = 8;

struct FramesShown {
    bool ok;
    int64_t frames;
    std::string last_picture;
    double seconds;          // as the runner timed it, if it did; else the whole process
    double process_seconds;  // from spawning the process to reaping it
    double cpu_seconds;
};

std::string web_game() {
    const char *named = std::getenv(WEB_GAME_VARIABLE);
    return named != nullptr && *named != '\0' ? named : QZ370_WEB_GAME;
}

FramesShown frames_shown_by(const ProcessRun &run) {
    FramesShown shown{false, 0, {}, run.wall_seconds, run.wall_seconds, run.cpu_seconds};
    std::istringstream lines(run.error_output);
    std::string line;
    char picture[17] = {};
    int64_t timed_frames = 0;
    while (std::getline(lines, line)) {
        if (std::sscanf(line.c_str(), "%*[^:]: %" SCNd64 " frames shown, ending on %16[0-9a-f]", &shown.frames,
                        picture) == 2) {
            shown.ok = run.exited_zero;
            shown.last_picture = picture;
        }
        std::sscanf(line.c_str(), "play_under_node: %" SCNd64 " frames in %lf s", &timed_frames, &shown.seconds);
    }
    return shown;
}

FramesShown play_natively(const fs::path &script) {
    fs::path folder = scratch_path("native-play-" + std::to_string(getpid()));
    fs::create_directories(folder);
    fs::copy_file(script, folder / "QZ370.SCR", fs::copy_options::overwrite_existing);
    FramesShown shown = frames_shown_by(
        run_process({QZ370_GAME}, {"QZ370_DISPLAY=headless", "QZ370_PLAY=1", "QZ370_FRAMES=1"}, folder));
    fs::remove_all(folder);
    return shown;
}

FramesShown play_under_node(const fs::path &script) {
    return frames_shown_by(run_process({"node", QZ370_NODE_RUNNER, web_game(), script.string()}));
}

size_t gzip_size(const std::string &bytes) {
    z_stream stream{};
    if (deflateInit2(&stream, GZIP_BEST, Z_DEFLATED, GZIP_WINDOW_BITS, GZIP_MEMORY_LEVEL, Z_DEFAULT_STRATEGY) != Z_OK) {
        return 0;
    }
    std::string packed(deflateBound(&stream, bytes.size()), '\0');
    stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(bytes.data()));
    stream.avail_in = static_cast<uInt>(bytes.size());
    stream.next_out = reinterpret_cast<Bytef *>(packed.data());
    stream.avail_out = static_cast<uInt>(packed.size());
    deflate(&stream, Z_FINISH);
    size_t size = stream.total_out;
    deflateEnd(&stream);
    return size;
}

size_t page_gzip_bytes(const fs::path &game) {
    size_t total = 0;
    for (const fs::path &file : {game.parent_path() / "index.html", game, fs::path(game).replace_extension(".wasm")}) {
        total += gzip_size(read_text(file));
    }
    return total;
}

struct PlayTotals {
    int64_t frames = 0;
    double seconds = 0;

    void add(int64_t more_frames, double more_seconds) {
        frames += more_frames;
        seconds += more_seconds;
    }
    double frames_per_second() const { return seconds > 0 ? static_cast<double>(frames) / seconds : 0; }
};

std::string disagreement(const ToolResult &tool, const FramesShown &native, const FramesShown &web) {
    return "frames: replay tool " + std::to_string(tool.frames) + ", native game " + std::to_string(native.frames) +
           " ending on " + native.last_picture + ", web build " + std::to_string(web.frames) + " ending on " +
           web.last_picture;
}

void BM_WebGameBesideNative(benchmark::State &state) {
    const std::string game = web_game();
    if (!fs::exists(game)) {
        state.SkipWithError(("no web build of the game at " + game + " (make web builds it; " + WEB_GAME_VARIABLE +
                             " names another)")
                                .c_str());
        return;
    }
    fs::path script = shot_and_ticks_script(SIDE_BY_SIDE_TICKS);
    PlayTotals replay;
    PlayTotals native;
    PlayTotals web;
    PlayTotals web_process;
    PlayTotals replay_cpu;
    PlayTotals web_cpu;
    int64_t frames_a_run = 0;
    for (auto _ : state) {
        ToolResult tool = run_tool({"--script", script.string(), "--program", QZ370_GAME});
        FramesShown native_run = play_natively(script);
        FramesShown web_run = play_under_node(script);
        if (!tool.ok || !native_run.ok || !web_run.ok) {
            state.SkipWithError(!web_run.ok ? "the web build under node failed" : "a native run failed");
            break;
        }
        if (tool.frames != native_run.frames || web_run.frames != native_run.frames ||
            web_run.last_picture != native_run.last_picture) {
            state.SkipWithError(disagreement(tool, native_run, web_run).c_str());
            break;
        }
        replay.add(tool.frames, tool.seconds);
        native.add(native_run.frames, native_run.seconds);
        web.add(web_run.frames, web_run.seconds);
        web_process.add(web_run.frames, web_run.process_seconds);
        replay_cpu.add(tool.frames, tool.cpu_seconds);
        web_cpu.add(web_run.frames, web_run.cpu_seconds);
        frames_a_run = web_run.frames;
        state.SetIterationTime(web_run.seconds);
    }
    fs::remove(script);
    if (frames_a_run == 0) {
        return;
    }
    state.counters["frames"] = static_cast<double>(frames_a_run);
    state.counters["replay_fps"] = replay.frames_per_second();
    state.counters["native_fps"] = native.frames_per_second();
    state.counters["node_fps"] = web.frames_per_second();
    state.counters["node_process_fps"] = web_process.frames_per_second();
    state.counters["node_vs_replay"] = web.frames_per_second() / replay.frames_per_second();
    state.counters["node_process_vs_replay"] = web_process.frames_per_second() / replay.frames_per_second();
    state.counters["node_vs_native"] = web.frames_per_second() / native.frames_per_second();
    // On a machine shared with other work, the processor time each took says more than the clock.
    state.counters["node_vs_replay_cpu"] = web_cpu.frames_per_second() / replay_cpu.frames_per_second();
    state.counters["page_gzip_bytes"] = static_cast<double>(page_gzip_bytes(game));
}

BENCHMARK(BM_WebGameBesideNative)->UseManualTime()->Unit(benchmark::kSecond)->Iterations(3);

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
