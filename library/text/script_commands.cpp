// The Run menu's script commands: Record Script, Playback Script and Play One
// Script. Recording and playback share one stream and one periodic count, so
// starting either first stops the other, and says so when the other was on.
#include "library_state.h"
#include "script_stream.h"

namespace {

bool playback_active()
{
    return input.playing_back || input.play_one;
}

// What a playback leaves behind once it is off: a stream still open for
// reading (after the end of the file) and periodic events still owed.
bool playback_leftovers()
{
    return input.periodic_count > 0 || script_file_direction() == SCRIPT_READING;
}

bool recording_pending()
{
    return input.recording || script_file_direction() == SCRIPT_WRITING;
}

// The pending run of periodic events is written before the file is closed.
void stop_recording()
{
    input.recording = 0;
    check_run_item(MENU_RECORD, false);
    write_periodic_run();
    close_script_file();
}

// Owed periodic events are dropped so that they are never counted into the
// recording. Only a playback that was still on is worth a word: dropping what
// an ended one left behind stops nothing the user can see.
void end_playback_for_recording()
{
    const bool was_playing = playback_active();
    if (!was_playing && !playback_leftovers()) {
        return;
    }
    stop_playback();
    close_script_file();
    input.periodic_count = 0;
    if (was_playing) {
        QZ370_print("Playback stopped: recording to %s\n", SCRIPT_FILE_NAME);
    }
}

void end_recording_for_playback()
{
    if (!recording_pending()) {
        return;
    }
    stop_recording();
    QZ370_print("Recording stopped: playing back %s\n", SCRIPT_FILE_NAME);
}

}  // namespace

// The file is opened by the first line written.
void toggle_recording()
{
    if (input.recording) {
        stop_recording();
        return;
    }
    end_playback_for_recording();
    input.recording = 1;
    check_run_item(MENU_RECORD, true);
}

// Owed periodic events are kept: the next playback hands them out first.
void toggle_playback()
{
    if (input.playing_back) {
        input.playing_back = 0;
        check_run_item(MENU_PLAYBACK, false);
        close_script_file();
        return;
    }
    end_recording_for_playback();
    input.running = 0;
    input.single_step = 0;
    input.playing_back = 1;
    check_run_item(MENU_PLAYBACK, true);
    answer_open_dialog_from_script();
}

void request_play_one()
{
    end_recording_for_playback();
    input.play_one = 1;
    input.running = 0;
    input.single_step = 0;
}
