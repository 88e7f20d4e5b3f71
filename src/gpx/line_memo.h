// A faster form of classify for the input's lines: the classes of a few
// line heads seen last, which most lines repeat (indentation, "<ele>",
// "</trkpt>").
#pragma once

#include <array>
#include <string_view>

#include "gpx/line_kind.h"

namespace kelpway {

struct LineMemo {
    struct Head {
        std::array<char, 16> bytes{};
        unsigned deciding = 0;  // bit i: bytes[i] decides; 0 for an unused head
        LineClass found{};
    };
    std::array<Head, 6> heads{};
    unsigned next = 0;  // the head to be replaced next
};

// classify(line), remembering the line's head for the lines that follow.
LineClass classify_remembered(LineMemo& memo, std::string_view line);

// classify(state.input.line) through the state's memo.
LineClass classify_input_line(ScanState& state);

}  // namespace kelpway
