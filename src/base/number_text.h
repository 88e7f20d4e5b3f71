// Layer: base. Reading the number in a coordinate's text, locale-free.
#pragma once

#include <optional>
#include <string_view>

namespace kelpway {

// The nearest double to the number the text begins with: leading white
// space, an optional sign, digits with an optional '.' and fraction, an
// optional complete exponent; '.' whatever the locale. Nothing when the text
// holds no number; infinite beyond the range of doubles.
std::optional<double> read_number(std::string_view text);

}  // namespace kelpway
