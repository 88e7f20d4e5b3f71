// kelpway opened from the Windows desktop.
#include "run/desktop.h"

namespace kelpway {

bool opened_from_desktop(unsigned console_processes, bool output_is_console) {
    return console_processes == 1 && output_is_console;
}

}  // namespace kelpway
