// What the script tests share: a fresh working directory of their own (the
// script file is always QZ370.SCR in the working directory, and tests run in
// parallel), the printed lines, and the Run menu's two script check marks.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "library_state.h"

namespace script_test {

inline std::vector<std::string> &printed()
{
    static std::vector<std::string> lines;
    return lines;
}

inline void keep_printed_line(const char *line)
{
    printed().push_back(line);
}

inline void write_file(const std::string &contents)
{
    std::ofstream(SCRIPT_FILE_NAME, std::ios::binary) << contents;
}

// Read in the platform's text mode, as the library writes it: CR LF line ends
// on Windows read back as plain newlines.
inline std::string read_file()
{
    std::ifstream file(SCRIPT_FILE_NAME);
    std::stringstream contents;
    contents << file.rdbuf();
    return contents.str();
}

inline bool script_exists()
{
    return std::filesystem::exists(SCRIPT_FILE_NAME);
}

// A new directory under the system's temporary one; empty if none could be made.
inline std::filesystem::path make_scratch_directory()
{
    constexpr int ATTEMPTS = 100;
    std::random_device random;
    std::error_code failure;
    for (int i = 0; i < ATTEMPTS; ++i) {
        std::filesystem::path path =
            std::filesystem::temp_directory_path(failure) / ("qz370-script-" + std::to_string(random()));
        if (!failure && std::filesystem::create_directory(path, failure)) {
            return path;
        }
    }
    return {};
}

inline bool checked(UINT id)
{
    return (GetMenuState(run_menu, id, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

class ScriptTest : public testing::Test {
protected:
    void SetUp() override
    {
        directory_ = make_scratch_directory();
        ASSERT_FALSE(directory_.empty());
        previous_ = std::filesystem::current_path();
        std::filesystem::current_path(directory_);
        printed().clear();
        print_observer = keep_printed_line;
        if (run_menu == nullptr) {
            run_menu = CreatePopupMenu();
            AppendMenuA(run_menu, MF_STRING, MENU_RECORD, "&Record Script\tCtrl+R");
            AppendMenuA(run_menu, MF_STRING, MENU_PLAYBACK, "&Playback Script\tCtrl+P");
        }
    }

    void TearDown() override
    {
        close_script_file();
        std::filesystem::current_path(previous_);
        std::filesystem::remove_all(directory_);
    }

    // Starts a wait's event the way the event wait does.
    static void start_event() { input.current_event = EventRecord{0, 0, 0, NO_EVENT}; }

    // One scripted event as the wait would take it: the kind, or 0 for none.
    static int play()
    {
        start_event();
        input.play_one = 0;
        return read_script_line() ? input.current_event.kind : 0;
    }

private:
    std::filesystem::path directory_;
    std::filesystem::path previous_;
};

}  // namespace script_test
