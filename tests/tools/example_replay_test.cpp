// Each example replays its script through qz370-replay --program and ends with
// the picture and the log kept in tests/data/examples.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "replay_tool_runner.h"

namespace qz370::test {
namespace {

const std::string EXAMPLES_SOURCE = QZ370_TEST_DATA "/../../examples/";
const std::string EXAMPLES_BUILT = QZ370_BINARY_DIR "/examples/";
const std::string EXPECTED = QZ370_TEST_DATA "/examples/";

struct ExampleReplay : ::testing::TestWithParam<const char *> {};

TEST_P(ExampleReplay, EndsWithTheKeptPictureAndLog) {
    const std::string name = GetParam();
    TemporaryDirectory work;
    TemporaryDirectory scratch;
    ToolRun result = run_replay_tool({"--program", EXAMPLES_BUILT + name, "--script", EXAMPLES_SOURCE + name + ".scr",
                                      "--log", "log.txt", "--hashes", "hashes.txt", "--quiet"},
                                     work.path(), scratch.path());
    ASSERT_EQ(result.exit_status, 0) << result.error_output;
    EXPECT_EQ(read_file(work.file("log.txt")), read_file(EXPECTED + name + ".log"));
    std::vector<std::string> hashes = read_lines(work.file("hashes.txt"));
    ASSERT_FALSE(hashes.empty());
    EXPECT_EQ(hashes.back() + "\n", read_file(EXPECTED + name + ".hash")) << "the final picture differs";
}

INSTANTIATE_TEST_SUITE_P(Examples, ExampleReplay,
                         ::testing::Values("shapes", "bouncing_ball", "sketch", "greeting", "traffic_light"),
                         [](const ::testing::TestParamInfo<const char *> &example) { return example.param; });

}  // namespace
}  // namespace qz370::test
