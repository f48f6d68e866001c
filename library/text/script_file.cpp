// Opening and closing the script file. Whichever of the writer and the reader
// first needs the file opens it; it stays open until close_script_file.
#include "library_state.h"
#include "script_stream.h"

FILE *script_file = nullptr;

namespace {

int open_direction = SCRIPT_CLOSED;
int write_failure_reported = 0;

void report_write_failure()
{
    if (!write_failure_reported) {
        QZ370_print("Cannot write script file %s\n", SCRIPT_FILE_NAME);
        write_failure_reported = 1;
    }
}

}  // namespace

// The platform's text mode: plain newlines here, CR LF on Windows.
int open_script_file(int direction)
{
    const int writing = direction == SCRIPT_WRITING;
    script_file = std::fopen(SCRIPT_FILE_NAME, writing ? "w" : "r");
    if (script_file == nullptr) {
        QZ370_print(writing ? "Cannot open script file %s for writing\n" : "Cannot open script file %s for reading\n",
                    SCRIPT_FILE_NAME);
        return 0;
    }
    open_direction = direction;
    write_failure_reported = 0;
    return 1;
}

int script_file_direction()
{
    return script_file == nullptr ? SCRIPT_CLOSED : open_direction;
}

// Only this platform's C library moves the file's own offset back to the
// stream's on a flush of a stream being read; elsewhere such a flush may drop
// what was read ahead, and nothing watches the offset there.
#ifdef _WIN32
constexpr bool FLUSH_SETTLES_READING_OFFSET = false;
#else
constexpr bool FLUSH_SETTLES_READING_OFFSET = true;
#endif

void settle_reading_offset()
{
    if (FLUSH_SETTLES_READING_OFFSET && script_file_direction() == SCRIPT_READING) {
        std::fflush(script_file);
    }
}

void note_script_write(int printed)
{
    if (printed < 0) {
        report_write_failure();
    }
}

// Buffered lines reach the disk here at the latest, so a full disk shows here.
// A reader's offset is settled first: a program that ends by itself mid-script
// leaves the line it stopped at for a replay to tell.
void close_script_file()
{
    if (script_file == nullptr) {
        return;
    }
    settle_reading_offset();
    const int failed = std::fclose(script_file) != 0;
    script_file = nullptr;
    if (failed && open_direction == SCRIPT_WRITING) {
        report_write_failure();
    }
}
