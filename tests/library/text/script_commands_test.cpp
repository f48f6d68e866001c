#include "script_test_fixture.h"

using namespace script_test;

namespace {

const std::string PLAYBACK_STOPPED = "Playback stopped: recording to QZ370.SCR\n";
const std::string RECORDING_STOPPED = "Recording stopped: playing back QZ370.SCR\n";

}  // namespace

using ScriptCommands = ScriptTest;

TEST_F(ScriptCommands, RecordingOnAndOffWithNoEventWritesNoFile)
{
    toggle_recording();
    EXPECT_EQ(input.recording, 1);
    EXPECT_TRUE(checked(MENU_RECORD));
    toggle_recording();
    EXPECT_EQ(input.recording, 0);
    EXPECT_FALSE(checked(MENU_RECORD));
    EXPECT_FALSE(script_exists());
}

// Each command flips it, as every auto-repeated Ctrl+R does.
TEST_F(ScriptCommands, EveryRecordCommandFlipsRecording)
{
    for (int i = 1; i <= 5; ++i) {
        toggle_recording();
        EXPECT_EQ(input.recording, i % 2);
        EXPECT_EQ(checked(MENU_RECORD), i % 2 == 1);
    }
}

TEST_F(ScriptCommands, RecordingOffWritesThePendingPeriodicLine)
{
    toggle_recording();
    write_script_line(QZ370_MOUSE, EventRecord{10, 20, 0, QZ370_MOUSE});
    input.periodic_count = 2;
    toggle_recording();
    EXPECT_EQ(input.periodic_count, 0);
    EXPECT_EQ(script_file, nullptr);
    EXPECT_EQ(read_file(), "QZ370_MOUSE(10, 20);\nQZ370_PERIODIC(2);\n");
}

TEST_F(ScriptCommands, PlaybackTakesOverFromTheAnimation)
{
    input.running = 1;
    input.single_step = 1;
    toggle_playback();
    EXPECT_EQ(input.playing_back, 1);
    EXPECT_EQ(input.running, 0);
    EXPECT_EQ(input.single_step, 0);
    EXPECT_TRUE(checked(MENU_PLAYBACK));
}

// Owed periodic events stay for the next playback; the file starts again.
TEST_F(ScriptCommands, PlaybackOffClosesTheFileAndKeepsOwedEvents)
{
    write_file("QZ370_PERIODIC(3);\nQZ370_KBD(1);\n");
    toggle_playback();
    ASSERT_EQ(read_script_line(), 1);
    toggle_playback();
    EXPECT_EQ(input.playing_back, 0);
    EXPECT_FALSE(checked(MENU_PLAYBACK));
    EXPECT_EQ(script_file, nullptr);
    EXPECT_EQ(input.periodic_count, 2);

    toggle_playback();
    EXPECT_EQ(play(), QZ370_PERIODIC);
    EXPECT_EQ(play(), QZ370_PERIODIC);
    EXPECT_EQ(play(), QZ370_PERIODIC);
    EXPECT_EQ(input.periodic_count, 2);
}

TEST_F(ScriptCommands, PlayOneSetsNoCheckMark)
{
    input.running = 1;
    request_play_one();
    EXPECT_EQ(input.play_one, 1);
    EXPECT_EQ(input.running, 0);
    EXPECT_FALSE(checked(MENU_PLAYBACK));
    EXPECT_TRUE(printed().empty());
}

TEST_F(ScriptCommands, PlaybackStopsRecordingFirst)
{
    toggle_recording();
    write_script_line(QZ370_KBD, EventRecord{0, 0, 'a', QZ370_KBD});
    input.periodic_count = 4;
    toggle_playback();
    EXPECT_EQ(input.recording, 0);
    EXPECT_FALSE(checked(MENU_RECORD));
    EXPECT_EQ(input.playing_back, 1);
    EXPECT_EQ(printed(), std::vector<std::string>{RECORDING_STOPPED});
    EXPECT_EQ(input.periodic_count, 0);
    // The recording is complete and plays from its first line.
    EXPECT_EQ(play(), QZ370_KBD);
    EXPECT_EQ(play(), QZ370_PERIODIC);
    EXPECT_EQ(input.periodic_count, 3);
}

TEST_F(ScriptCommands, PlayOneStopsRecordingFirst)
{
    toggle_recording();
    request_play_one();
    EXPECT_EQ(input.recording, 0);
    EXPECT_EQ(input.play_one, 1);
    EXPECT_EQ(printed(), std::vector<std::string>{RECORDING_STOPPED});
}

TEST_F(ScriptCommands, RecordingStopsPlaybackAndDropsOwedEvents)
{
    write_file("QZ370_PERIODIC(5);\nQZ370_KBD(1);\n");
    toggle_playback();
    ASSERT_EQ(play(), QZ370_PERIODIC);
    toggle_recording();
    EXPECT_EQ(input.playing_back, 0);
    EXPECT_FALSE(checked(MENU_PLAYBACK));
    EXPECT_EQ(input.recording, 1);
    EXPECT_EQ(input.periodic_count, 0);
    EXPECT_EQ(script_file, nullptr);
    EXPECT_EQ(printed(), std::vector<std::string>{PLAYBACK_STOPPED});

    write_script_line(QZ370_MOUSE, EventRecord{1, 2, 0, QZ370_MOUSE});
    toggle_recording();
    EXPECT_EQ(read_file(), "QZ370_MOUSE(1, 2);\n");
}

// Playback that ran to the end of the file left it open for reading.
TEST_F(ScriptCommands, RecordingAfterAFinishedPlaybackWritesAFreshFile)
{
    write_file("QZ370_KBD(1);\n");
    toggle_playback();
    EXPECT_EQ(play(), QZ370_KBD);
    EXPECT_EQ(play(), 0);
    ASSERT_NE(script_file, nullptr);
    printed().clear();

    toggle_recording();
    EXPECT_TRUE(printed().empty());
    write_script_line(QZ370_KBD, EventRecord{0, 0, 'b', QZ370_KBD});
    toggle_recording();
    EXPECT_EQ(read_file(), "QZ370_KBD(98);\n");
}

// Nothing was playing, so there is no playback to report stopped.
TEST_F(ScriptCommands, OwedEventsOfAPlaybackSwitchedOffAreDroppedQuietly)
{
    write_file("QZ370_PERIODIC(8);\n");
    toggle_playback();
    ASSERT_EQ(play(), QZ370_PERIODIC);
    toggle_playback();
    ASSERT_EQ(input.periodic_count, 7);
    toggle_recording();
    EXPECT_EQ(input.periodic_count, 0);
    EXPECT_TRUE(printed().empty());
}

TEST_F(ScriptCommands, RecordingStopsAPendingPlayOneAndSaysSo)
{
    write_file("QZ370_KBD(1);\n");
    request_play_one();
    toggle_recording();
    EXPECT_EQ(input.play_one, 0);
    EXPECT_EQ(printed(), std::vector<std::string>{PLAYBACK_STOPPED});
}
