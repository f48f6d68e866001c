// How a program that qz370-replay runs learns what to do and reports back.
//
// qz370-replay starts the program with QZ370_DISPLAY=headless and
// QZ370_REPLAY_FD set to the number of a pipe's writing end. The program's
// start-up then plays QZ370.SCR in its working directory from the first wait,
// as Ctrl+P would, chooses Quit once playback has stopped, and writes records
// to the pipe: each a RecordHeader and then `size` bytes, in the machine's own
// byte order (both ends run on the one machine).
//   HELLO          first of all: the program understands the protocol
//   LINE           a line the program printed, as it printed it
//   FRAME          a frame the graphics window showed; its pixels only when
//                  QZ370_REPLAY_PIXELS=1, else its hash (uint64_t, as
//                  headless::client_pixels_hash gives it) when
//                  QZ370_REPLAY_HASHES=1, else nothing
//   FINAL_PICTURE  the graphics window's pixels as the program ends
//   PLAYBACK_ENDED playback has stopped, by itself or because an input
//                  dialog waits for an answer the script does not give next
//                  (`scripted` is 1; the program then ends with status 3);
//                  the payload is the script's offset then (int64_t, -1 if
//                  unknown): how far the reader had read
//   ENDED_MID_SCRIPT the program ended by itself while playback was on; the
//                  payload is the script's offset as the reader left it
//                  (int64_t, -1 if unknown). A program that ends before
//                  playback starts sends neither this nor PLAYBACK_ENDED.
// QZ370_REPLAY_LOGGING=1 switches logging on first, as Ctrl+L would.
// Pixels are 0x00RRGGBB, row by row.
#pragma once

#include <cstdint>

namespace qz370::replay_protocol {

constexpr const char *FD_VARIABLE = "QZ370_REPLAY_FD";
constexpr const char *PIXELS_VARIABLE = "QZ370_REPLAY_PIXELS";
constexpr const char *HASHES_VARIABLE = "QZ370_REPLAY_HASHES";
constexpr const char *LOGGING_VARIABLE = "QZ370_REPLAY_LOGGING";

enum Kind : uint32_t { HELLO = 1, LINE = 2, FRAME = 3, FINAL_PICTURE = 4, PLAYBACK_ENDED = 5, ENDED_MID_SCRIPT = 6 };

struct RecordHeader {
    uint32_t kind;
    uint32_t scripted;  // FRAME: shown after a scripted event; PLAYBACK_ENDED: a dialog waits
    int32_t width;      // FRAME, FINAL_PICTURE
    int32_t height;
    uint64_t size;  // bytes that follow
};

}  // namespace qz370::replay_protocol
