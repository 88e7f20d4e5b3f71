// Decimal degrees to the degrees-and-minutes text of the DRW and MMK records.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace kelpway {

struct DegreesMinutes {
    std::array<char, 24> text;  // "%d%02d.%03d" of the magnitude; at most 16 bytes
    std::size_t size;
    bool negative;  // below zero: the record says S or W
    bool usable;    // a number that fits whole degrees of 32 bits
    std::string_view view() const { return {text.data(), size}; }
};

// The text of a coordinate's value text: the number read as a double,
// whole degrees, whole minutes and thousandths of a minute taken by
// truncation, the thousandths rounded half up in 64-bit precision, a
// carry into minutes and degrees. Unusable when the text holds no number.
DegreesMinutes degrees_minutes_text(std::string_view value_text);

// The same for a value already read; unusable when not finite or 2^31 or
// more away from zero.
DegreesMinutes degrees_minutes_of(double value);

// "%d%02d.%03d" of the parts, into `result`.
void format_degrees_minutes(DegreesMinutes& result, std::uint64_t degrees, unsigned minutes,
                            unsigned thousandths, bool negative);

}  // namespace kelpway
