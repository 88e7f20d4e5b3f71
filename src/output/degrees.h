// Decimal degrees to the degrees-and-minutes text of the DRW and MMK records.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace kelpway {

struct DegreesMinutes {
    std::array<char, 24> text;  // "%d%02d.%03d" of the magnitude; at most 16 bytes
    std::size_t size;
    bool negative;  // below zero: the record says S or W
    bool usable;    // a number that fits whole degrees of 32 bits
    std::string_view view() const { return {text.data(), size}; }
};

// Into `result` in place: the records copy the text soon after, and a copy
// of bytes just stored in other widths makes the processor wait.
void read_degrees_minutes(std::string_view value_text, DegreesMinutes& result);

// The same for a value already read; unusable when not finite or 2^31 or more away from zero.
DegreesMinutes degrees_minutes_of(double value);

}  // namespace kelpway
