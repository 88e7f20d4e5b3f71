// kelpway opened from the Windows desktop: Explorer gives it a console
// window of its own for a drop, a double-click or Send To, which closes the
// moment it ends.
#pragma once

#include <cstdio>

namespace kelpway {

// Whether a run is the desktop's: the only process of its console, writing
// to that console (not to a file or a pipe). In cmd, PowerShell or a script
// the console has other processes too.
bool opened_from_desktop(unsigned console_processes, bool output_is_console);

#if defined(_WIN32)
// The same for this process.
bool opened_from_desktop();

// Keeps the window until a key is pressed, so that the summary can be read.
void wait_for_a_key(std::FILE* console);
#endif

}  // namespace kelpway
