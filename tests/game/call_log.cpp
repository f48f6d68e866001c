#include "call_log.h"

#include "library_state.h"

namespace {

std::vector<std::string> printed;

void keep_line(const char *line) { printed.emplace_back(line); }

}  // namespace

// Opened once: when the whole program runs in one process, later tests find
// the library already open.
void CallLogTest::SetUp()
{
    static const int opened = QZ370_begin(nullptr, nullptr, nullptr, SW_SHOWNORMAL);
    (void)opened;
    logging = 1;
    print_observer = keep_line;
    printed.clear();
}

void CallLogTest::TearDown() { print_observer = nullptr; }

const std::vector<std::string> &CallLogTest::lines() { return printed; }

void CallLogTest::forget_lines() { printed.clear(); }

int CallLogTest::find_line(const std::string &line, int from)
{
    for (int i = from; i < static_cast<int>(printed.size()); i++)
        if (printed[i] == line)
            return i;
    return -1;
}
