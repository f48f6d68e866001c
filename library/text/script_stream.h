// The one stream on the script file that the writer and the reader share, and
// which way it is open.
#pragma once

constexpr int SCRIPT_CLOSED = 0;
constexpr int SCRIPT_WRITING = 1;
constexpr int SCRIPT_READING = 2;

// Opens the script file in the given direction, or prints why it cannot and
// returns 0.
int open_script_file(int direction);

// SCRIPT_CLOSED while script_file is null.
int script_file_direction();

// Reports a line that could not be written (a full disk, say), once for each
// opening of the file, so a long run prints one message, not one per event.
void note_script_write(int printed);

// While reading: the file's own offset is made the reader's, so that whoever
// watches the program (a replay) can tell the line it stopped at. Read ahead
// is dropped and read again when needed.
void settle_reading_offset();
