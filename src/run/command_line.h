// The program's arguments, the run they ask for, and what it prints.
#pragma once

#include <cstdio>
#include <span>
#include <string_view>

#include "run/state.h"

namespace kelpway {

inline constexpr int default_color = 2;

// A decimal integer as the colour argument; anything but 1 to 7 gives 2.
int parse_color(std::string_view argument);

// Runs the program for `arguments` (without the program name) and returns
// the exit status.
int run_program(std::span<const char* const> arguments, ConversionState& state,
                std::FILE* console);

}  // namespace kelpway
