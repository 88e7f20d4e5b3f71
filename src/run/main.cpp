// Program entry.
#include <cstdio>
#include <span>

#include "run/command_line.h"

int main(int argc, char** argv) {
    static kelpway::ConversionState state;  // large; lives for the whole run
    std::span<const char* const> arguments;
    if (argc > 1) arguments = {argv + 1, static_cast<std::size_t>(argc - 1)};
    int status = kelpway::run_program(arguments, state, stdout, kelpway::system_files());
    // A summary that never reached its reader is a failure too.
    return std::fflush(stdout) == 0 && !std::ferror(stdout) ? status : 1;
}
