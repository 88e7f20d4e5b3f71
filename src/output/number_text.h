// Reading the number in a coordinate's text, locale-free.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace kelpway {

inline constexpr std::array<std::uint64_t, 16> decimal_powers{
    1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000, 1000000000, 10000000000,
    100000000000, 1000000000000, 10000000000000, 100000000000000, 1000000000000000};

// The nearest double to the number the text begins with: leading white
// space, an optional sign, digits with an optional '.' and fraction, an
// optional complete exponent; '.' whatever the locale. Nothing when the text
// holds no number; infinite beyond the range of doubles.
std::optional<double> read_number(std::string_view text);

// The usual coordinate, "-35.681236": an optional minus, 1 to 3 digits, a
// point, 1 to 15 digits and nothing else.
struct PlainNumber {
    std::uint64_t whole;
    std::uint64_t fraction;
    std::size_t places;
    bool minus;
};
bool read_plain(std::string_view text, PlainNumber& plain);

// Its nearest double when one correctly rounded division gives it.
std::optional<double> plain_value(const PlainNumber& plain);

}  // namespace kelpway
