// qz370-replay: plays a recorded script through the game (or a program of the
// user's own) on the headless display and keeps its log, its frames and its
// final picture.
#include <cinttypes>
#include <cstdio>
#include <filesystem>
#include <string>

#include "program_replay.h"
#include "replay_options.h"
#include "replay_session.h"
#include "scratch_directory.h"

namespace {

constexpr int EXIT_BAD_USE = 2;
constexpr int EXIT_OUTPUT_FAILED = 1;
constexpr int EXIT_PROGRAM_FAILED = 3;

int fail(const std::string &line, int status) {
    std::fprintf(stderr, "%s\n", line.c_str());
    return status;
}

// Output paths are taken from where the program was started, not from the
// scratch directory the game runs in.
void make_output_paths_absolute(replay::Options &options) {
    for (std::string *path : {&options.log_file, &options.png_file, &options.frames_dir, &options.hashes_file,
                               &options.gif_file}) {
        if (!path->empty()) {
            *path = std::filesystem::absolute(*path).string();
        }
    }
}

FILE *open_output(const std::string &path, std::string &error) {
    if (path.empty()) {
        return nullptr;
    }
    FILE *file = std::fopen(path.c_str(), "w");
    if (file == nullptr) {
        error = "qz370-replay: cannot write " + path;
    }
    return file;
}

bool make_frames_directory(const std::string &path, std::string &error) {
    std::error_code failure;
    std::filesystem::create_directories(path, failure);
    if (failure) {
        error = "qz370-replay: cannot make " + path + ": " + failure.message();
        return false;
    }
    return true;
}

bool close_output(FILE *file) { return file == nullptr || std::fclose(file) == 0; }

void print_summary(const replay::Report &report) {
    double rate = report.seconds > 0 ? static_cast<double>(report.frames) / report.seconds : 0;
    std::fprintf(stderr, "qz370-replay: %" PRId64 " events, %" PRId64 " frames in %.3f s (%.0f frames/s)\n",
                 report.events, report.frames, report.seconds, rate);
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
    if (!options.program.empty() && !replay::find_program(options.program, error)) {
        return fail(error, EXIT_BAD_USE);
    }
    make_output_paths_absolute(options);
    replay::Outputs outputs{open_output(options.log_file, error), open_output(options.hashes_file, error),
                            options.frames_dir, open_output(options.gif_file, error)};
    if (!error.empty() || (!outputs.frames_dir.empty() && !make_frames_directory(outputs.frames_dir, error)) ||
        !replay::enter_scratch_directory(options.script, error)) {
        close_output(outputs.log);
        close_output(outputs.hashes);
        close_output(outputs.gif);
        return fail(error, EXIT_BAD_USE);
    }
    replay::Report report = replay::run_replay(options, outputs);
    replay::leave_scratch_directory();
    bool written = !report.outputs_failed;
    written = close_output(outputs.log) && written;
    written = close_output(outputs.hashes) && written;
    bool gif_closed = close_output(outputs.gif);
    if (!report.program_failure.empty()) {
        return fail(report.program_failure, EXIT_PROGRAM_FAILED);
    }
    if (!report.gif_error.empty()) {
        return fail("qz370-replay: cannot write " + options.gif_file + ": " + report.gif_error, EXIT_OUTPUT_FAILED);
    }
    written = gif_closed && written;
    if (!options.png_file.empty() && !replay::write_final_picture(options.png_file)) {
        return fail("qz370-replay: cannot write " + options.png_file, EXIT_OUTPUT_FAILED);
    }
    if (!options.quiet) {
        print_summary(report);
    }
    return written ? 0 : fail("qz370-replay: some output could not be written", EXIT_OUTPUT_FAILED);
}
