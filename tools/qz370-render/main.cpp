// qz370-render COMMANDS.txt OUTDIR: draws a command file of the GDI reference
// renderer's language through the library's renderer on the headless display
// and writes OUTDIR/NAME.ppm at every 'save NAME', printing a line for each as
// the reference renderer does, so the two can be compared with ppmdiff.
#include <cerrno>
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "canvas_session.h"
#include "command_file.h"

namespace {

using qz370::commands::Command;
using qz370::commands::Op;

constexpr int WRITE_ERROR = 1;
constexpr int USAGE_ERROR = 2;

int run(const std::vector<Command> &commands, const std::string &commands_path, const std::string &outdir) {
    namespace tool = qz370::render_tool;
    tool::open_canvas(qz370::commands::DEFAULT_WIDTH, qz370::commands::DEFAULT_HEIGHT,
                      qz370::commands::DEFAULT_CENTRE_X, qz370::commands::DEFAULT_CENTRE_Y);
    for (const Command &c : commands) {
        if (c.op == Op::Canvas) {
            if (!tool::open_canvas(c.numbers[0], c.numbers[1], c.numbers[2], c.numbers[3])) {
                std::fprintf(stderr, "%s:%d: the window system makes no canvas of %d by %d pixels\n",
                             commands_path.c_str(), c.line, c.numbers[0], c.numbers[1]);
                return USAGE_ERROR;
            }
        } else if (c.op == Op::Save) {
            std::string path = outdir + "/" + c.text + ".ppm";
            uint64_t hash = 0;
            if (!tool::save_ppm(path, &hash)) {
                std::fprintf(stderr, "cannot write %s: %s\n", path.c_str(), std::strerror(errno));
                return WRITE_ERROR;
            }
            std::printf("saved %s fnv1a %016" PRIx64 "\n", path.c_str(), hash);
        } else {
            tool::draw(c);
        }
    }
    tool::close_canvas();
    return 0;
}

}  // namespace

int main(int argc, char **argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: qz370-render COMMANDS.txt OUTDIR\n");
        return USAGE_ERROR;
    }
    std::vector<Command> commands;
    std::string error;
    if (!qz370::commands::read_command_file(argv[1], &commands, &error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return USAGE_ERROR;
    }
    return run(commands, argv[1], argv[2]);
}
