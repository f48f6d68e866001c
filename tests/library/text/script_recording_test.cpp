// Recording and playback through the event wait and the Run menu, as a user
// runs them.
#include "headless.h"
#include "script_test_fixture.h"

using namespace script_test;
namespace headless = qz370::headless;

namespace {

struct Event {
    int kind;
    int x;
    int y;
    char key;
};

Event next_event()
{
    Event event{};
    event.kind = QZ370_next_event(&event.x, &event.y, &event.key);
    return event;
}

void command(UINT id)
{
    SendMessageA(graphics_window, WM_COMMAND, id, 0);
}

// A click at library coordinates (x, y).
void click(int x, int y)
{
    headless::click(graphics_window, centre_x + x, centre_y - y);
}

class ScriptRecording : public ScriptTest {
protected:
    void SetUp() override
    {
        ScriptTest::SetUp();
        QZ370_begin(nullptr, nullptr, nullptr, SW_SHOWNORMAL);
    }

    // A click at (10, 20), three ticks and the key a.
    void record_click_ticks_and_key()
    {
        command(MENU_RECORD);
        click(10, 20);
        EXPECT_EQ(next_event().kind, QZ370_MOUSE);
        QZ370_set_animation(QZ370_RUN);
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(next_event().kind, QZ370_PERIODIC);
        }
        QZ370_set_animation(QZ370_HALT);
        headless::type_char(graphics_window, 'a');
        EXPECT_EQ(next_event().kind, QZ370_KBD);
    }
};

}  // namespace

TEST_F(ScriptRecording, ClickTicksAndKeyGiveThreeLines)
{
    record_click_ticks_and_key();
    command(MENU_RECORD);
    EXPECT_EQ(read_file(), "QZ370_MOUSE(10, 20);\nQZ370_PERIODIC(3);\nQZ370_KBD(97);\n");
}

TEST_F(ScriptRecording, TicksBeforeSwitchingOffAddAFourthLine)
{
    record_click_ticks_and_key();
    QZ370_set_animation(QZ370_RUN);
    next_event();
    next_event();
    command(MENU_RECORD);
    EXPECT_EQ(input.periodic_count, 0);
    EXPECT_EQ(read_file(), "QZ370_MOUSE(10, 20);\nQZ370_PERIODIC(3);\nQZ370_KBD(97);\nQZ370_PERIODIC(2);\n");
}

// Scripted events come without waiting for the clock; after the end of the
// script the wait goes back to live input.
TEST_F(ScriptRecording, PlaybackHandsOutTheRecordedEvents)
{
    write_file("QZ370_MOUSE(10, 20);\nQZ370_PERIODIC(3);\nQZ370_KBD(97);\n");
    command(MENU_PLAYBACK);
    const int64_t start = headless::now_ms();

    const Event mouse = next_event();
    EXPECT_EQ(mouse.kind, QZ370_MOUSE);
    EXPECT_EQ(mouse.x, 10);
    EXPECT_EQ(mouse.y, 20);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(next_event().kind, QZ370_PERIODIC);
    }
    const Event key = next_event();
    EXPECT_EQ(key.kind, QZ370_KBD);
    EXPECT_EQ(key.key, 'a');
    EXPECT_EQ(headless::now_ms(), start);

    click(-1, -2);
    const Event live = next_event();
    EXPECT_EQ(live.kind, QZ370_MOUSE);
    EXPECT_EQ(live.x, -1);
    EXPECT_EQ(printed().back(), "EOF encountered in script file QZ370.SCR\n");
    EXPECT_FALSE(checked(MENU_PLAYBACK));
}

TEST_F(ScriptRecording, RecordThenPlayInTheSameRun)
{
    record_click_ticks_and_key();
    command(MENU_RECORD);
    command(MENU_PLAYBACK);
    EXPECT_EQ(next_event().kind, QZ370_MOUSE);
    EXPECT_EQ(next_event().kind, QZ370_PERIODIC);
    EXPECT_EQ(next_event().kind, QZ370_PERIODIC);
    EXPECT_EQ(next_event().kind, QZ370_PERIODIC);
    EXPECT_EQ(next_event().key, 'a');
}

TEST_F(ScriptRecording, PlayOneScriptThreeTimesOnAPeriodicThree)
{
    write_file("QZ370_PERIODIC(3);\nQZ370_KBD(98);\n");
    for (int i = 0; i < 3; ++i) {
        command(MENU_PLAY_ONE);
        EXPECT_EQ(next_event().kind, QZ370_PERIODIC);
    }
    command(MENU_PLAY_ONE);
    const Event key = next_event();
    EXPECT_EQ(key.kind, QZ370_KBD);
    EXPECT_EQ(key.key, 'b');
    EXPECT_EQ(input.play_one, 0);
}

TEST_F(ScriptRecording, PlaybackWithoutAFileTwice)
{
    for (int attempt = 1; attempt <= 2; ++attempt) {
        command(MENU_PLAYBACK);
        EXPECT_TRUE(checked(MENU_PLAYBACK));
        click(0, 0);
        EXPECT_EQ(next_event().kind, QZ370_MOUSE);
        EXPECT_FALSE(checked(MENU_PLAYBACK));
        EXPECT_EQ(input.playing_back, 0);
    }
    EXPECT_EQ(printed(), (std::vector<std::string>{"Cannot open script file QZ370.SCR for reading\n",
                                                   "Cannot open script file QZ370.SCR for reading\n"}));
}

// The end event writes the pending periodic line and no line of its own.
TEST_F(ScriptRecording, EndOfTheProgramWhileRecording)
{
    command(MENU_RECORD);
    QZ370_set_animation(QZ370_RUN);
    next_event();
    next_event();
    command(MENU_QUIT);
    EXPECT_EQ(next_event().kind, QZ370_EXIT);
    QZ370_end();
    EXPECT_EQ(read_file(), "QZ370_PERIODIC(2);\n");
}

// A program that ends by itself, not through the end event, keeps its last
// ticks too.
TEST_F(ScriptRecording, ProgramEndingByItselfWhileRecordingKeepsItsTicks)
{
    command(MENU_RECORD);
    QZ370_set_animation(QZ370_RUN);
    next_event();
    next_event();
    QZ370_end();
    EXPECT_EQ(read_file(), "QZ370_PERIODIC(2);\n");
}

namespace {

constexpr char PROMPT[] = "Name?";
std::string answer_to_give;

// The user's part while the dialog waits (the graphics window is disabled
// meanwhile): the text into the field, then Enter.
void answer_dialog()
{
    if (IsWindowEnabled(graphics_window)) {
        return;
    }
    SetWindowTextA(GetFocus(), answer_to_give.c_str());
    headless::key_down(GetFocus(), VK_RETURN);
    headless::key_up(GetFocus(), VK_RETURN);
}

std::string every_byte_but_nul()
{
    std::string text;
    for (int byte = 1; byte < GETS_BUFFER_SIZE; ++byte) {
        text.push_back(static_cast<char>(byte));
    }
    return text;
}

}  // namespace

// Every byte of the answer goes into its line and comes back in playback,
// where the dialog closes without the user: the periodic run before it is
// written first, and the script goes on after it.
TEST_F(ScriptRecording, DialogAnswersAreRecordedAndPlayedBack)
{
    answer_to_give = every_byte_but_nul();
    headless::set_idle_hook(answer_dialog);
    command(MENU_RECORD);
    QZ370_set_animation(QZ370_RUN);
    next_event();
    QZ370_set_animation(QZ370_HALT);
    char buffer[GETS_BUFFER_SIZE] = {};
    ASSERT_EQ(QZ370_gets(PROMPT, buffer), 1);
    ASSERT_EQ(std::string(buffer), answer_to_give);
    headless::type_char(graphics_window, 'a');
    next_event();
    command(MENU_RECORD);
    const std::string script = read_file();
    EXPECT_EQ(script.substr(0, 35), "QZ370_PERIODIC(1);\nQZ370_GETS(\"\\x01");
    EXPECT_NE(script.find(" !\\\"#"), std::string::npos);
    EXPECT_NE(script.find("[\\\\]"), std::string::npos);
    EXPECT_NE(script.find("~\\x7F\\x80"), std::string::npos);
    EXPECT_EQ(script.substr(script.size() - 27), "\\xFE\\xFF\");\nQZ370_KBD(97);\n");

    headless::set_idle_hook([] { FAIL() << "playback left the dialog to the user"; });
    command(MENU_PLAYBACK);
    EXPECT_EQ(next_event().kind, QZ370_PERIODIC);
    char played[GETS_BUFFER_SIZE] = {};
    EXPECT_EQ(QZ370_gets(PROMPT, played), 1);
    EXPECT_EQ(std::string(played), answer_to_give);
    EXPECT_EQ(next_event().key, 'a');
    headless::set_idle_hook(nullptr);
}

// A line that is no answer is left for the event wait; the user answers.
TEST_F(ScriptRecording, WithoutAnAnswerNextTheDialogWaitsForTheUser)
{
    write_file("QZ370_MOUSE(1, 2);\n\nQZ370_KBD(98);\nQZ370_GETS(\"late\");\n");
    answer_to_give = "typed";
    headless::set_idle_hook(answer_dialog);
    command(MENU_PLAYBACK);
    EXPECT_EQ(next_event().kind, QZ370_MOUSE);
    char buffer[GETS_BUFFER_SIZE] = {};
    EXPECT_EQ(QZ370_gets(PROMPT, buffer), 1);
    EXPECT_STREQ(buffer, "typed");
    EXPECT_EQ(next_event().key, 'b');
    headless::set_idle_hook(nullptr);
    click(3, 4);
    EXPECT_EQ(next_event().x, 3) << "the event wait stops at an answer line, as at any line it does not know";
    EXPECT_FALSE(checked(MENU_PLAYBACK));
}
