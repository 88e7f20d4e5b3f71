// Layer: base. The usual coordinate text, "-35.681236", read as exact
// decimal parts: a faster form of read_number for the decimal route to the
// degrees text.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace kelpway {

inline constexpr std::array<std::uint64_t, 16> decimal_powers{
    1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000, 1000000000, 10000000000,
    100000000000, 1000000000000, 10000000000000, 100000000000000, 1000000000000000};

// An optional minus, 1 to 3 digits, a point, 1 to 15 digits and nothing
// else; false for any other text, which read_number then reads.
struct PlainNumber {
    std::uint64_t whole;
    std::uint64_t fraction;
    std::size_t places;
    bool minus;
};
bool read_plain(std::string_view text, PlainNumber& plain);

}  // namespace kelpway
