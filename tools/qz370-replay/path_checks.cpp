#include "path_checks.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <vector>

#include "staged_outputs.h"

namespace replay {

namespace fs = std::filesystem;

namespace {

struct OutputPath {
    const char *option;
    const std::string *path;
    bool folder;
};

std::string cannot_write(const std::string &path, int error_number) {
    return "qz370-replay: cannot write " + path + ": " + std::strerror(error_number);
}

bool check_script(const std::string &script, std::string &error) {
    std::error_code failure;
    fs::file_status status = fs::status(script, failure);
    if (!fs::exists(status)) {
        error = "qz370-replay: cannot read script " + script + ": " + std::strerror(ENOENT);
        return false;
    }
    if (!fs::is_regular_file(status)) {
        error = "qz370-replay: cannot read script " + script + ": is not a regular file";
        return false;
    }
    if (access(script.c_str(), R_OK) != 0) {
        error = "qz370-replay: cannot read script " + script + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

// Why no new file can go into the folder, as an errno value; 0 if one can.
int why_folder_refuses(const fs::path &folder) {
    std::error_code failure;
    fs::file_status status = fs::status(folder, failure);
    if (!fs::exists(status)) {
        return ENOENT;
    }
    if (!fs::is_directory(status)) {
        return ENOTDIR;
    }
    return access(folder.c_str(), W_OK | X_OK) == 0 ? 0 : errno;
}

// As the output will be written: a new file or folder, or a regular file
// replaced, goes into the folder above; frames join a folder that is there
// already; a device or a pipe is written where it is.
int why_output_refused(const OutputPath &output, const fs::file_status &status) {
    std::error_code failure;
    fs::path place = place_of(*output.path);
    if (!fs::exists(status)) {
        return why_folder_refuses(place.parent_path());
    }
    if (!output.folder && !fs::is_regular_file(status)) {
        return access(place.c_str(), W_OK) == 0 ? 0 : errno;
    }
    place = fs::canonical(place, failure);
    return why_folder_refuses(output.folder ? place : place.parent_path());
}

bool check_output(const OutputPath &output, std::string &error) {
    std::error_code failure;
    fs::file_status status = fs::status(*output.path, failure);
    int why = fs::exists(status) && fs::is_directory(status) != output.folder ? (output.folder ? ENOTDIR : EISDIR)
                                                                               : why_output_refused(output, status);
    if (why != 0) {
        error = cannot_write(*output.path, why);
        return false;
    }
    return true;
}

// One file under two names: the same file where both exist, else the same
// place once links and dots are resolved.
bool same_file(const std::string &a, const std::string &b) {
    std::error_code failure;
    if (fs::exists(a, failure) && fs::exists(b, failure)) {
        return fs::equivalent(a, b, failure);
    }
    return fs::weakly_canonical(place_of(a), failure) == fs::weakly_canonical(place_of(b), failure);
}

std::vector<OutputPath> outputs_asked_for(const Options &options) {
    std::vector<OutputPath> outputs;
    for (OutputPath output : {OutputPath{"--log", &options.log_file, false},
                              OutputPath{"--hashes", &options.hashes_file, false},
                              OutputPath{"--png", &options.png_file, false},
                              OutputPath{"--gif", &options.gif_file, false},
                              OutputPath{"--frames", &options.frames_dir, true}}) {
        if (!output.path->empty()) {
            outputs.push_back(output);
        }
    }
    return outputs;
}

}  // namespace

bool check_paths(const Options &options, std::string &error) {
    if (!check_script(options.script, error)) {
        return false;
    }
    std::vector<OutputPath> outputs = outputs_asked_for(options);
    for (size_t i = 0; i < outputs.size(); ++i) {
        if (same_file(*outputs[i].path, options.script)) {
            error = std::string("qz370-replay: ") + outputs[i].option + " " + *outputs[i].path +
                    " is the script, which is never written";
            return false;
        }
        if (!options.program.empty() && same_file(*outputs[i].path, options.program)) {
            error = std::string("qz370-replay: ") + outputs[i].option + " " + *outputs[i].path +
                    " is the program, which is never written";
            return false;
        }
        for (size_t j = 0; j < i; ++j) {
            if (same_file(*outputs[i].path, *outputs[j].path)) {
                error = std::string("qz370-replay: ") + outputs[j].option + " and " + outputs[i].option +
                        " are both " + *outputs[i].path;
                return false;
            }
        }
        if (!check_output(outputs[i], error)) {
            return false;
        }
    }
    return true;
}

}  // namespace replay
