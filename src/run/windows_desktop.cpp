// kelpway opened from the Windows desktop: the console's processes, and a key.
#if defined(_WIN32)

#include <conio.h>
#include <windows.h>

#include "run/desktop.h"

namespace kelpway {

bool opened_from_desktop() {
    DWORD processes[2];
    const DWORD count = GetConsoleProcessList(processes, 2);
    DWORD mode = 0;
    const bool output_is_console = GetConsoleMode(GetStdHandle(STD_OUTPUT_HANDLE), &mode) != 0;
    return opened_from_desktop(static_cast<unsigned>(count), output_is_console);
}

void wait_for_a_key(std::FILE* console) {
    std::fputs("Press any key to close this window.\n", console);
    std::fflush(console);
    // Only a key pressed from now on: one typed while converting would close the window unread.
    FlushConsoleInputBuffer(GetStdHandle(STD_INPUT_HANDLE));
    _getch();
}

}  // namespace kelpway

#endif
