#include "replay_session.h"

#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cinttypes>
#include <cstring>

#include "frame_files.h"
#include "frame_hash.h"
#include "gif_animation.h"
#include "interruption.h"
#include "png_file.h"
#include "program_replay.h"
#include "script_check.h"

namespace replay {

namespace {

using Clock = std::chrono::steady_clock;

constexpr auto PROGRESS_INTERVAL = std::chrono::seconds(1);
constexpr size_t LINES_KEPT = 25;  // as many as the text window keeps
constexpr const char *END_OF_SCRIPT_LINE = "EOF encountered in script file QZ370.SCR\n";
constexpr const char *SCRIPT_COPY = "QZ370.SCR";

struct Session {
    const Options *options;
    Outputs outputs;
    Report report;
    Clock::time_point start;
    Clock::time_point last_progress;
    bool progress_shown;
    bool end_of_script_met;
    bool playback_ended;
    int64_t script_offset;  // the reader's, when playback stopped
};

Session session;
Picture program_picture;  // the program's graphics window as it ended

std::string read_script_copy() { return read_script_text(SCRIPT_COPY); }

double seconds_since(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

// Named as the user named it, not by the temporary name it is written under.
void note_failure(const std::string &output) {
    if (!session.report.outputs_failed) {
        session.report.failure = "qz370-replay: cannot write " + output + ": " + std::strerror(errno);
    }
    session.report.outputs_failed = true;
}

// As the text window shows it: one trailing newline is the line's end, and a
// newline inside it (drawn as a box) is written as \n, so each shown line is
// one line of the log, a line cut at 1023 characters included.
std::string shown_line(const char *printed) {
    std::string line = printed;
    if (!line.empty() && line.back() == '\n') {
        line.pop_back();
    }
    for (size_t at = line.find('\n'); at != std::string::npos; at = line.find('\n', at + 2)) {
        line.replace(at, 1, "\\n");
    }
    return line;
}

void keep_printed_line(const char *printed) {
    if (std::strcmp(printed, END_OF_SCRIPT_LINE) == 0) {
        session.end_of_script_met = true;
    }
    std::string line = shown_line(printed);
    std::vector<std::string> &last = session.report.last_lines;
    if (last.size() == LINES_KEPT) {
        last.erase(last.begin());
    }
    last.push_back(line);
    if (session.outputs.log != nullptr && std::fprintf(session.outputs.log, "%s\n", line.c_str()) < 0) {
        note_failure(session.options->log_file);
    }
}

// From the pixels when they came, else as the program hashed them.
void keep_frame_hash(const uint32_t *pixels, int width, int height, const uint64_t *hash) {
    uint64_t value = hash != nullptr ? *hash : frame_hash(pixels, width, height);
    if (std::fprintf(session.outputs.hashes, "%016" PRIx64 "\n", value) < 0) {
        note_failure(session.options->hashes_file);
    }
}

void keep_frame_picture(const uint32_t *pixels, int width, int height) {
    const std::string name = "/" + frame_file_name(session.report.frames);
    if (!write_png((session.outputs.frames_dir + name).c_str(), pixels, width, height)) {
        note_failure(session.options->frames_dir + name);
    }
}

// On a terminal the line is rewritten in place; elsewhere each is a line of its own.
void show_progress() {
    bool terminal = isatty(STDERR_FILENO);
    std::fprintf(stderr, "%sqz370-replay: %" PRId64 " frames, %.1f s%s", terminal ? "\r" : "", session.report.frames,
                 seconds_since(session.start), terminal ? "" : "\n");
    session.progress_shown = terminal;
}

void maybe_show_progress() {
    if (session.options->quiet) {
        return;
    }
    Clock::time_point now = Clock::now();
    if (now - session.last_progress >= PROGRESS_INTERVAL) {
        session.last_progress = now;
        show_progress();
    }
}

// Every frame the graphics window showed, scripted or not: an event that
// draws nothing shows none, so the events are counted from the script.
void keep_frame(const uint32_t *pixels, int width, int height, bool, const uint64_t *hash) {
    stop_if_interrupted();
    session.report.frames += 1;
    if (session.outputs.hashes != nullptr) {
        keep_frame_hash(pixels, width, height, hash);
    }
    if (!session.outputs.frames_dir.empty()) {
        keep_frame_picture(pixels, width, height);
    }
    if (session.outputs.gif != nullptr) {
        add_animation_frame(pixels, width, height);
    }
    maybe_show_progress();
}

// A frame's pixels cost a copy (packing its rows, sending them): only the
// pictures need them; a hash the program takes where the rows lie.
bool frame_pixels_wanted() { return !session.outputs.frames_dir.empty() || session.outputs.gif != nullptr; }

bool frame_hashes_wanted() { return session.outputs.hashes != nullptr; }

void play_program() {
    ProgramReports reports{keep_printed_line, keep_frame};
    ProgramRun run = run_program(session.options->program, session.options->logging,
                                 FrameContent{frame_pixels_wanted(), frame_hashes_wanted()},
                                 session.options->timeout_seconds, reports);
    program_picture = std::move(run.final_picture);
    session.report.program_failure = run.failure;
    session.playback_ended = run.playback_ended;
    session.script_offset = run.script_offset;
    // Waiting in the dialog, the program was ended: that is its failure.
    if (run.dialog_waits) {
        session.report.program_failure =
            "qz370-replay: " + session.options->script + ": " +
            why_playback_stopped(read_script_copy(), run.script_offset, false, true);
    }
}

// Playback can only stop at the end of the script or at a line the reader
// does not take; the first is no news. A program may also end by itself
// before its script is used up.
void find_where_playback_stopped() {
    if (!session.report.program_failure.empty()) {
        return;
    }
    session.report.events = events_played(read_script_copy(), session.script_offset);
    std::string why =
        session.playback_ended
            ? why_playback_stopped(read_script_copy(), session.script_offset, session.end_of_script_met, false)
            : why_program_ended_early(read_script_copy(), session.script_offset, session.end_of_script_met);
    if (!why.empty()) {
        session.report.playback_stopped = "qz370-replay: " + session.options->script + ": " + why;
    }
}

// The GIF ends on the picture the window ends with, as --png keeps it.
void finish_gif() {
    finish_animation(program_picture.pixels.data(), program_picture.width, program_picture.height,
                     session.report.gif_error);
}

}  // namespace

Report run_replay(const Options &options, const Outputs &outputs) {
    session = Session{&options, outputs, Report{}, Clock::now(), Clock::now(), false, false, false, -1};
    if (outputs.gif != nullptr) {
        start_animation(outputs.gif);
    }
    play_program();
    find_where_playback_stopped();
    if (outputs.gif != nullptr) {
        finish_gif();
    }
    session.report.seconds = seconds_since(session.start);
    if (session.progress_shown) {
        std::fputc('\n', stderr);
    }
    return session.report;
}

bool write_final_picture(const std::string &path) {
    return write_png(path.c_str(), program_picture.pixels.data(), program_picture.width, program_picture.height);
}

}  // namespace replay
