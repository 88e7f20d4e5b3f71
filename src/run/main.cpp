// Program entry.
#include <cstdio>
#include <span>
#include <string>
#include <vector>

#include "run/command_line.h"
#include "run/stop_signals.h"

namespace {

int run(std::span<const char* const> arguments) {
    kelpway::catch_stop_signals();
    const int status = kelpway::run_program(arguments, stdout, kelpway::system_files());
    // A summary that never reached its reader is a failure too.
    return std::fflush(stdout) == 0 && !std::ferror(stdout) ? status : 1;
}

}  // namespace

#if defined(_WIN32)
#include "run/desktop.h"
#include "run/windows_text.h"

int wmain(int argc, wchar_t** argv);

// The arguments arrive in UTF-16 and are kept in UTF-8 inside, whatever the code page. Opened from
// the desktop, every argument is a file, and the window stays until a key is pressed.
int wmain(int argc, wchar_t** argv) {
    std::vector<std::string> texts;
    for (int i = 1; i < argc; ++i) texts.push_back(kelpway::utf8_of(argv[i]));
    const bool desktop = kelpway::opened_from_desktop();
    std::vector<const char*> arguments;
    if (desktop) arguments.push_back("--batch");
    for (const std::string& text : texts) arguments.push_back(text.c_str());
    const kelpway::Utf8Console utf8_console;
    const int status = run(arguments);
    if (desktop) kelpway::wait_for_a_key(stdout);
    return status;
}
#else
int main(int argc, char** argv) {
    std::span<const char* const> arguments;
    if (argc > 1) arguments = {argv + 1, static_cast<std::size_t>(argc - 1)};
    return run(arguments);
}
#endif
