// qz370-render draws the GDI reference corpus's command files through the
// library's renderer: its images equal the references GDI drew, it reports
// each save as the reference renderer does, and it refuses bad input with one
// line and exit status 2.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "reference_images.h"
#include "replay_tool_runner.h"

namespace qz370::test {
namespace {

const char *const RENDER_TOOL = QZ370_BINARY_DIR "/tools/qz370-render/qz370-render";
const std::string CORPUS = std::string(QZ370_TEST_DATA) + "/gdi/";

struct RenderRun {
    int exit_status;
    std::vector<std::string> output_lines;
    std::vector<std::string> error_lines;
};

RenderRun run_render_tool(const std::string &arguments, const TemporaryDirectory &scratch) {
    std::string command = std::string(RENDER_TOOL) + " " + arguments + " >" + scratch.file("out.txt") + " 2>" +
                          scratch.file("err.txt");
    int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, read_lines(scratch.file("out.txt")),
            read_lines(scratch.file("err.txt"))};
}

std::vector<std::string> saved_names(const std::string &command_file) {
    std::vector<std::string> names;
    for (const std::string &line : read_lines(command_file))
        if (line.rfind("save ", 0) == 0) names.push_back(line.substr(5));
    return names;
}

uint64_t fnv1a_of_rgb(const test_images::Image &image) {
    uint64_t hash = 1469598103934665603ull;
    for (uint32_t pixel : image.pixels)
        for (int shift : {16, 8, 0}) hash = (hash ^ ((pixel >> shift) & 0xFF)) * 1099511628211ull;
    return hash;
}

// Renders a corpus file and compares every saved image with GDI's, expecting
// the given count of differing pixels for the images named in 'departures'
// and none for the rest.
void expect_corpus_file_drawn_as_gdi_did(const std::string &file, const std::map<std::string, int> &departures) {
    TemporaryDirectory out;
    std::string commands = CORPUS + file + ".txt";
    RenderRun run = run_render_tool(commands + " " + out.path(), out);
    ASSERT_EQ(run.exit_status, 0);
    std::vector<std::string> names = saved_names(commands);
    ASSERT_EQ(run.output_lines.size(), names.size());
    for (size_t i = 0; i < names.size(); ++i) {
        test_images::Image ours, reference;
        std::string error;
        std::string path = out.path() + "/" + names[i] + ".ppm";
        ASSERT_TRUE(test_images::read_ppm(path, &ours, &error)) << error;
        ASSERT_TRUE(test_images::read_png(CORPUS + "ref/" + names[i] + ".png", &reference, &error)) << error;
        auto departure = departures.find(names[i]);
        int expected_differing = departure == departures.end() ? 0 : departure->second;
        EXPECT_EQ(test_images::compare(ours, reference).differing, expected_differing) << names[i];
        char expected[600];
        std::snprintf(expected, sizeof expected, "saved %s fnv1a %016" PRIx64, path.c_str(), fnv1a_of_rgb(ours));
        EXPECT_EQ(run.output_lines[i], expected);
    }
}

// The full library canvas with erase and mixed scenes, and small canvases of
// lines and triangles.
TEST(RenderTool, DrawsTheCorpusAsGdiDid) {
    for (const char *file : {"erase", "lines", "triangles"}) expect_corpus_file_drawn_as_gdi_did(file, {});
}

// Where GDI draws nothing for a one-pixel box, the library sets its pixel.
TEST(RenderTool, CircleOfRadiusZeroIsTheLibrarysOnePixel) {
    expect_corpus_file_drawn_as_gdi_did("circles", {{"circle_r0", 1}});
}

TEST(RenderTool, WrongArgumentCountIsAUsageError) {
    TemporaryDirectory scratch;
    RenderRun run = run_render_tool("only-one-argument", scratch);
    EXPECT_EQ(run.exit_status, 2);
    ASSERT_EQ(run.error_lines.size(), 1u);
    EXPECT_EQ(run.error_lines[0], "usage: qz370-render COMMANDS.txt OUTDIR");
}

TEST(RenderTool, BadCommandFileIsRefusedWithItsLine) {
    TemporaryDirectory scratch;
    write_file(scratch.file("bad.txt"), "# a comment\ncanvas 20 20 10 10\nrectangle 0 1 2 3\nsave never\n");
    RenderRun run = run_render_tool(scratch.file("bad.txt") + " " + scratch.path(), scratch);
    EXPECT_EQ(run.exit_status, 2);
    ASSERT_EQ(run.error_lines.size(), 1u);
    EXPECT_EQ(run.error_lines[0], scratch.file("bad.txt") + ":3: rectangle needs 6 numbers");
    EXPECT_TRUE(run.output_lines.empty());
}

// Each file is refused with status 2 before anything is saved from the line
// at fault on, whatever it would have drawn.
TEST(RenderTool, UnknownCommandsAndColoursAreRefused) {
    struct Case {
        const char *commands;
        const char *error;
    };
    const Case cases[] = {
        {"circle 0 0 0 5\n", ":1: unknown command circle"},
        {"pixel 24 0 0\n", ":1: colour index outside 0..23"},
        {"pixel 0 1 2 junk\nsave never\n", ":1: unexpected 'junk' after pixel"},
        {"line 0 1 0 0 9 9 9\n", ":1: unexpected '9' after line"},
        {"save ../escaped\n", ":1: save needs a plain name, not a path: ../escaped"},
        {"save one two\n", ":1: unexpected 'two' after save"},
        {"# the window system's limits\ncanvas 16385 1 0 0\nline 0 1 0 0 100 0\nsave never\n",
         ":2: the window system makes no canvas of 16385 by 1 pixels"},
        {"canvas 8193 8192 0 0\nsave never\n", ":1: the window system makes no canvas of 8193 by 8192 pixels"},
        {"canvas 100000 100000 0 0\nsave never\n",
         ":1: the window system makes no canvas of 100000 by 100000 pixels"},
    };
    for (const Case &c : cases) {
        TemporaryDirectory scratch;
        std::string file = scratch.file("commands.txt");
        write_file(file, c.commands);
        RenderRun run = run_render_tool(file + " " + scratch.path(), scratch);
        EXPECT_EQ(run.exit_status, 2) << c.commands;
        EXPECT_EQ(run.error_lines, std::vector<std::string>{file + c.error}) << c.commands;
        EXPECT_FALSE(std::filesystem::exists(scratch.file("never.ppm"))) << c.commands;
        EXPECT_FALSE(std::filesystem::exists(scratch.path() + "/../escaped.ppm")) << c.commands;
    }
    TemporaryDirectory scratch;
    RenderRun run = run_render_tool(scratch.path() + " " + scratch.path(), scratch);
    EXPECT_EQ(run.exit_status, 2);
    EXPECT_EQ(run.error_lines, std::vector<std::string>{"cannot read " + scratch.path() + ": is a directory"});
}

// The renderer takes sizes no drawing operation would hand it without harm.
TEST(RenderTool, TextOfAnySizeIsDrawn) {
    TemporaryDirectory scratch;
    write_file(scratch.file("sizes.txt"), "text 0 0 0 -2147483648 hi\ntext 0 0 0 2147483647 hi\nsave sizes\n");
    RenderRun run = run_render_tool(scratch.file("sizes.txt") + " " + scratch.path(), scratch);
    EXPECT_EQ(run.exit_status, 0);
    EXPECT_EQ(run.output_lines.size(), 1u);
}

TEST(RenderTool, UnwritableOutputDirectoryFails) {
    TemporaryDirectory scratch;
    write_file(scratch.file("one.txt"), "pixel 0 0 0\nsave one\n");
    RenderRun run = run_render_tool(scratch.file("one.txt") + " " + scratch.file("missing"), scratch);
    EXPECT_EQ(run.exit_status, 1);
    EXPECT_EQ(run.error_lines, std::vector<std::string>{"cannot write " + scratch.file("missing") +
                                                         "/one.ppm: No such file or directory"});
}

}  // namespace
}  // namespace qz370::test
