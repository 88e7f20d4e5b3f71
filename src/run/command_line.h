// The program's arguments, the run they ask for, and what it prints.
#pragma once

#include <cstdio>
#include <span>
#include <string_view>

#include "run/file_system.h"

namespace kelpway {

// A decimal integer as the colour argument; anything but 1 to 7 gives 2.
int parse_color(std::string_view argument);

// Runs the program for `arguments` (without the program name) on `files`
// and returns the exit status. Each conversion has a state of its own.
int run_program(std::span<const char* const> arguments, std::FILE* console, FileSystem& files);

}  // namespace kelpway
