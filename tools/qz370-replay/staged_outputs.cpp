#include "staged_outputs.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "frame_files.h"

namespace replay {

namespace fs = std::filesystem;

namespace {

constexpr const char *STAGE_SUFFIX = ".XXXXXX";
constexpr const char *FRAMES_STAGE = ".frames.XXXXXX";
constexpr mode_t NEW_FILE_MODE = 0666;
constexpr mode_t NEW_FOLDER_MODE = 0777;
constexpr mode_t PERMISSION_BITS = 07777;

struct Stage {
    std::string shown;  // as the user wrote it
    fs::path place;
    fs::path staged;
    bool folder;
};

std::vector<Stage> stages;

std::string cannot_write(const std::string &path, int error_number) {
    return "qz370-replay: cannot write " + path + ": " + std::strerror(error_number);
}

mode_t creation_mask() {
    mode_t mask = umask(0);
    umask(mask);
    return mask;
}

// What it replaces keeps its permissions; anything new gets the usual ones.
mode_t mode_for(const fs::path &place, mode_t fresh) {
    struct stat existing {};
    return stat(place.c_str(), &existing) == 0 ? existing.st_mode & PERMISSION_BITS : fresh & ~creation_mask();
}

// A hidden name in the output's own folder, so that moving it into place is a
// rename within one file system. An output reached through a link is staged
// beside the file the link names, and the link stays.
std::string stage_name(fs::path &place) {
    std::error_code failure;
    if (fs::exists(place, failure)) {
        place = fs::canonical(place, failure);
    }
    return (place.parent_path() / ("." + place.filename().string() + STAGE_SUFFIX)).string();
}

// Frames of an earlier, longer run would read as this run's last ones.
void remove_earlier_frames(const Stage &stage) {
    std::error_code failure;
    for (const fs::directory_entry &entry : fs::directory_iterator(stage.place, failure)) {
        const std::string name = entry.path().filename().string();
        if (is_frame_file_name(name) && !fs::exists(stage.staged / name, failure)) {
            fs::remove(entry.path(), failure);
        }
    }
}

bool move_frames_into(const Stage &stage) {
    remove_earlier_frames(stage);
    std::error_code failure;
    for (const fs::directory_entry &entry : fs::directory_iterator(stage.staged, failure)) {
        if (std::rename(entry.path().c_str(), (stage.place / entry.path().filename()).c_str()) != 0) {
            return false;
        }
    }
    return !failure && std::remove(stage.staged.c_str()) == 0;
}

bool commit(const Stage &stage) {
    if (stage.folder && fs::is_directory(stage.place)) {
        return move_frames_into(stage);
    }
    return std::rename(stage.staged.c_str(), stage.place.c_str()) == 0;
}

}  // namespace

fs::path place_of(const std::string &path) {
    std::string trimmed = path;
    while (trimmed.size() > 1 && trimmed.back() == '/') {
        trimmed.pop_back();
    }
    return fs::absolute(trimmed);
}

std::string stage_file(const std::string &path, std::string &error) {
    fs::path place = place_of(path);
    std::error_code failure;
    fs::file_status status = fs::status(place, failure);
    if (fs::exists(status) && !fs::is_regular_file(status)) {
        return place.string();
    }
    std::string staged = stage_name(place);
    int descriptor = mkstemp(staged.data());
    if (descriptor < 0) {
        error = cannot_write(path, errno);
        return "";
    }
    fchmod(descriptor, mode_for(place, NEW_FILE_MODE));
    close(descriptor);
    stages.push_back(Stage{path, place, staged, false});
    return staged;
}

// Frames for a folder that is there already are staged in a hidden folder
// inside it, which asks no more of the file system than the frames will.
std::string stage_folder(const std::string &path, std::string &error) {
    fs::path place = place_of(path);
    std::error_code failure;
    std::string staged = fs::is_directory(place, failure) ? (place / FRAMES_STAGE).string() : stage_name(place);
    if (mkdtemp(staged.data()) == nullptr) {
        error = cannot_write(path, errno);
        return "";
    }
    chmod(staged.c_str(), NEW_FOLDER_MODE & ~creation_mask());
    stages.push_back(Stage{path, place, staged, true});
    return staged;
}

bool commit_staged(std::string &error) {
    while (!stages.empty()) {
        if (!commit(stages.front())) {
            error = cannot_write(stages.front().shown, errno);
            discard_staged();
            return false;
        }
        stages.erase(stages.begin());
    }
    return true;
}

void discard_staged() {
    for (const Stage &stage : stages) {
        std::error_code ignored;
        fs::remove_all(stage.staged, ignored);
    }
    stages.clear();
}

}  // namespace replay
