#include "replay_options.h"

#include <cstdlib>
#include <cstring>

namespace replay {

const char *const USAGE =
    "usage: qz370-replay [--program PATH] [--script FILE] [--logging] [--log FILE] [--png FILE] [--frames DIR] "
    "[--hashes FILE] [--gif FILE] [--timeout SECONDS] [--quiet]\n"
    "       qz370-replay --check [--script FILE]\n"
    "Plays a recorded script through the game, or a program of your own, without a screen.\n"
    "  --program PATH a program built on QZ370 to play the script through instead of the game\n"
    "  --script FILE  the script to play (default: QZ370.SCR here; it is never changed)\n"
    "  --logging      switch the call log on before playing (left on if the program has it on)\n"
    "  --log FILE     every line the text window showed, one per line\n"
    "  --png FILE     the graphics window's picture at the end\n"
    "  --frames DIR   one numbered picture per frame shown\n"
    "  --hashes FILE  one line per frame shown: the XXH3 64 hash of its pixels\n"
    "  --gif FILE     the frames shown as an animated GIF, 100 ms apart, looping\n"
    "  --timeout SECONDS  end the run if the program has not finished after so\n"
    "                 much real time (default 60)\n"
    "  --check        play nothing: list the script's lines that the reader takes\n"
    "                 otherwise than they read\n"
    "  --quiet        no progress line and no summary\n"
    "  --help         this text\n"
    "Outputs are written under temporary names beside their places and take\n"
    "those places only when the run ends with 0 or 4; an output that is the script,\n"
    "or two outputs that are one file, are refused before anything is written.\n"
    "Exit status:\n"
    "  0  the script played and every output was written\n"
    "  1  an output could not be written: no file was changed\n"
    "  2  a bad command line, a path refused, or a script that cannot be read\n"
    "  3  the program did not end with 0, was killed, never answered,\n"
    "     did not finish in time, or waited in its input dialog for an answer the\n"
    "     script did not give: no file was changed\n"
    "  4  playback stopped before the end of the script (the line says where and\n"
    "     why; the outputs show the run up to there), or --check found lines\n"
    "  Ctrl+C or SIGTERM stops the run and removes everything it wrote.\n";

namespace {

struct ValueOption {
    const char *name;
    std::string Options::*target;
};

constexpr ValueOption VALUE_OPTIONS[] = {
    {"--script", &Options::script},         {"--log", &Options::log_file},
    {"--png", &Options::png_file},          {"--frames", &Options::frames_dir},
    {"--hashes", &Options::hashes_file},    {"--program", &Options::program},
    {"--gif", &Options::gif_file},          {"--timeout", &Options::timeout},
};

const ValueOption *value_option(const std::string &name) {
    for (const ValueOption &option : VALUE_OPTIONS) {
        if (name == option.name) {
            return &option;
        }
    }
    return nullptr;
}

constexpr long LONGEST_TIMEOUT_SECONDS = 24 * 60 * 60;

bool take_timeout(Options &options, std::string &error) {
    if (options.timeout.empty()) {
        return true;
    }
    char *end = nullptr;
    long seconds = std::strtol(options.timeout.c_str(), &end, 10);
    if (*end != '\0' || seconds < 1 || seconds > LONGEST_TIMEOUT_SECONDS) {
        error = "qz370-replay: --timeout " + options.timeout + " is not a whole number of seconds from 1 to " +
                std::to_string(LONGEST_TIMEOUT_SECONDS);
        return false;
    }
    options.timeout_seconds = static_cast<int>(seconds);
    return true;
}

}  // namespace

// Value options take "--name VALUE" or "--name=VALUE".
Parsed parse_options(int argc, char **argv, Options &options, std::string &error) {
    for (int i = 1; i < argc; ++i) {
        std::string argument = argv[i];
        if (argument == "--help" || argument == "-h") {
            return Parsed::Help;
        }
        if (argument == "--logging") {
            options.logging = true;
            continue;
        }
        if (argument == "--quiet") {
            options.quiet = true;
            continue;
        }
        if (argument == "--check") {
            options.check = true;
            continue;
        }
        size_t equals = argument.find('=');
        const ValueOption *option = value_option(argument.substr(0, equals));
        if (option == nullptr) {
            error = "qz370-replay: unknown argument '" + argument + "' (see --help)";
            return Parsed::Bad;
        }
        std::string value;
        if (equals != std::string::npos) {
            value = argument.substr(equals + 1);
        } else if (i + 1 < argc) {
            value = argv[++i];
        }
        if (value.empty()) {
            error = std::string("qz370-replay: ") + option->name + " needs a value";
            return Parsed::Bad;
        }
        options.*(option->target) = value;
    }
    return take_timeout(options, error) ? Parsed::Run : Parsed::Bad;
}

}  // namespace replay
