// qz370-replay: plays a recorded script through the game (or a program of the
// user's own), run as a program of its own on the headless display, and keeps
// its log, its frames and its final picture.
#include <cerrno>
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <string>

#include "interruption.h"
#include "path_checks.h"
#include "program_replay.h"
#include "replay_options.h"
#include "replay_session.h"
#include "scratch_directory.h"
#include "script_check.h"
#include "staged_outputs.h"
#include "terminal_text.h"

namespace {

constexpr int EXIT_BAD_USE = 2;
constexpr int EXIT_OUTPUT_FAILED = 1;
constexpr int EXIT_PROGRAM_FAILED = 3;
constexpr int EXIT_PLAYBACK_STOPPED = 4;

int fail(const std::string &line, int status) {
    std::fprintf(stderr, "%s\n", line.c_str());
    return status;
}

std::string cannot_write(const std::string &path) {
    return "qz370-replay: cannot write " + path + ": " + std::strerror(errno);
}

// The staged path; empty when not asked for, or after an error.
std::string stage_output(const std::string &path, bool folder, std::string &error) {
    if (path.empty() || !error.empty()) {
        return "";
    }
    return folder ? replay::stage_folder(path, error) : replay::stage_file(path, error);
}

// Opened at its staged path; null when not asked for, or after an error.
FILE *open_output(const std::string &path, std::string &error) {
    std::string staged = stage_output(path, false, error);
    if (staged.empty()) {
        return nullptr;
    }
    FILE *file = std::fopen(staged.c_str(), "w");
    if (file == nullptr) {
        error = cannot_write(path);
    }
    return file;
}

bool close_output(FILE *file) { return file == nullptr || std::fclose(file) == 0; }

// Everything written meanwhile goes, and the scratch directory with it.
void abandon_run() {
    replay::discard_staged();
    replay::leave_scratch_directory();
}

// The outputs move into their places only if every one was written whole.
bool finish_outputs(const replay::Options &options, const replay::Outputs &outputs, const std::string &png_stage,
                    const replay::Report &report, std::string &error) {
    error = report.failure;
    if (!close_output(outputs.log) && error.empty()) {
        error = cannot_write(options.log_file);
    }
    if (!close_output(outputs.hashes) && error.empty()) {
        error = cannot_write(options.hashes_file);
    }
    if (!close_output(outputs.gif) && error.empty()) {
        error = cannot_write(options.gif_file);
    }
    if (!report.gif_error.empty() && error.empty()) {
        error = "qz370-replay: cannot write " + options.gif_file + ": " + report.gif_error;
    }
    if (error.empty() && !png_stage.empty() && !replay::write_final_picture(png_stage)) {
        error = cannot_write(options.png_file);
    }
    replay::stop_if_interrupted();
    if (!error.empty()) {
        replay::discard_staged();
        return false;
    }
    return replay::commit_staged(error);
}

void print_summary(const replay::Report &report) {
    double rate = report.seconds > 0 ? static_cast<double>(report.frames) / report.seconds : 0;
    std::fprintf(stderr, "qz370-replay: %" PRId64 " event%s, %" PRId64 " frame%s in %.3f s (%.0f frames/s)\n",
                 report.events, report.events == 1 ? "" : "s", report.frames, report.frames == 1 ? "" : "s",
                 report.seconds, rate);
}

// The lines the program printed last tell what went wrong, often enough.
int fail_with_last_lines(const replay::Report &report) {
    std::fprintf(stderr, "%s\n", report.program_failure.c_str());
    if (!report.last_lines.empty()) {
        std::fprintf(stderr, "qz370-replay: the last lines it printed:\n");
        for (const std::string &line : report.last_lines) {
            std::fprintf(stderr, "  %s\n", replay::as_terminal_text(line).c_str());
        }
    }
    return EXIT_PROGRAM_FAILED;
}

// One line per finding, as compilers name a file's lines.
int check_script(const replay::Options &options) {
    std::string error;
    replay::Options script_only;
    script_only.script = options.script;
    if (!replay::check_paths(script_only, error)) {
        return fail(error, EXIT_BAD_USE);
    }
    std::vector<replay::ScriptFinding> findings = replay::check_script(replay::read_script_text(options.script));
    for (const replay::ScriptFinding &finding : findings) {
        std::printf("%s:%d: %s\n", options.script.c_str(), finding.line, finding.why.c_str());
    }
    return findings.empty() ? 0 : EXIT_PLAYBACK_STOPPED;
}

}  // namespace

int main(int argc, char **argv) {
    replay::Options options;
    std::string error;
    switch (replay::parse_options(argc, argv, options, error)) {
    case replay::Parsed::Help: std::fputs(replay::USAGE, stdout); return 0;
    case replay::Parsed::Bad: return fail(error, EXIT_BAD_USE);
    case replay::Parsed::Run: break;
    }
    if (options.check) {
        return check_script(options);
    }
    bool found = options.program.empty() ? replay::find_game(options.program, error)
                                         : replay::find_program(options.program, error);
    if (!found) {
        return fail(error, EXIT_BAD_USE);
    }
    if (!replay::check_paths(options, error)) {
        return fail(error, EXIT_BAD_USE);
    }
    replay::catch_interruptions(abandon_run);
    replay::Outputs outputs{open_output(options.log_file, error), open_output(options.hashes_file, error),
                            stage_output(options.frames_dir, true, error), open_output(options.gif_file, error)};
    std::string png_stage = stage_output(options.png_file, false, error);
    if (!error.empty() || !replay::enter_scratch_directory(options.script, error)) {
        abandon_run();
        return fail(error, EXIT_BAD_USE);
    }
    replay::Report report = replay::run_replay(options, outputs);
    replay::leave_scratch_directory();
    if (!report.program_failure.empty()) {
        close_output(outputs.log);
        close_output(outputs.hashes);
        close_output(outputs.gif);
        replay::discard_staged();
        return fail_with_last_lines(report);
    }
    if (!finish_outputs(options, outputs, png_stage, report, error)) {
        return fail(error, EXIT_OUTPUT_FAILED);
    }
    if (!options.quiet) {
        print_summary(report);
    }
    if (!report.playback_stopped.empty()) {
        return fail(report.playback_stopped, EXIT_PLAYBACK_STOPPED);
    }
    return 0;
}
