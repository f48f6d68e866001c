// Writing one event of a recording as a line of the script file.
#include "library_state.h"
#include "script_stream.h"

// The key is written as the signed 8-bit value it is held in: codes 128 to 255
// as -128 to -1. A periodic line carries the count of the run it stands for.
void write_script_line(int kind, const EventRecord &event)
{
    if (script_file == nullptr && !open_script_file(SCRIPT_WRITING)) {
        return;
    }
    switch (kind) {
    case QZ370_MOUSE:
        note_script_write(std::fprintf(script_file, "QZ370_MOUSE(%d, %d);\n", event.x, event.y));
        break;
    case QZ370_KBD:
        note_script_write(std::fprintf(script_file, "QZ370_KBD(%d);\n", static_cast<int>(event.key)));
        break;
    case QZ370_PERIODIC:
        note_script_write(std::fprintf(script_file, "QZ370_PERIODIC(%d);\n", static_cast<int>(input.periodic_count)));
        break;
    default:
        break;
    }
}

void write_periodic_run()
{
    if (input.periodic_count > 0) {
        write_script_line(QZ370_PERIODIC, input.current_event);
        input.periodic_count = 0;
    }
}
