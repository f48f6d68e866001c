#include "scratch_directory.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "library_state.h"

namespace replay {

namespace fs = std::filesystem;

namespace {

constexpr const char *DIRECTORY_TEMPLATE = "qz370-replay-XXXXXX";

fs::path original_directory;
fs::path scratch_directory;

bool make_scratch_directory(std::string &error) {
    std::error_code failure;
    fs::path base = fs::temp_directory_path(failure);
    if (failure) {
        base = "/tmp";
    }
    std::string name = (base / DIRECTORY_TEMPLATE).string();
    if (mkdtemp(name.data()) == nullptr) {
        error = "qz370-replay: cannot make a temporary directory in " + base.string() + ": " + std::strerror(errno);
        return false;
    }
    scratch_directory = name;
    return true;
}

bool copy_script(const std::string &script, std::string &error) {
    std::error_code failure;
    fs::copy_file(script, scratch_directory / SCRIPT_FILE_NAME, failure);
    if (failure) {
        error = "qz370-replay: cannot open script " + script + ": " + failure.message();
        return false;
    }
    return true;
}

void remove_scratch_directory() {
    std::error_code ignored;
    fs::remove_all(scratch_directory, ignored);
    scratch_directory.clear();
}

}  // namespace

bool enter_scratch_directory(const std::string &script, std::string &error) {
    std::error_code failure;
    original_directory = fs::current_path(failure);
    if (failure) {
        error = "qz370-replay: cannot tell the current directory: " + failure.message();
        return false;
    }
    if (!make_scratch_directory(error)) {
        return false;
    }
    if (!copy_script(script, error)) {
        remove_scratch_directory();
        return false;
    }
    fs::current_path(scratch_directory, failure);
    if (failure) {
        error = "qz370-replay: cannot change to " + scratch_directory.string() + ": " + failure.message();
        remove_scratch_directory();
        return false;
    }
    return true;
}

void leave_scratch_directory() {
    if (scratch_directory.empty()) {
        return;
    }
    std::error_code ignored;
    fs::current_path(original_directory, ignored);
    remove_scratch_directory();
}

}  // namespace replay
