// The degrees-and-minutes text of a record read back as decimal degrees for GPX.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace kelpway {

struct DecimalDegrees {
    std::array<char, 24> text;  // "-2147483647.999999762" at most
    std::size_t size;
    std::string_view view() const { return {text.data(), size}; }
};

// "DDDMM.mmm" and its hemisphere (S or W: negative) as decimal degrees with
// nine decimals, which degrees_minutes_text turns back into the same text
// and hemisphere. The degrees are the digits before the last two ahead of
// the point (one at least, leading zeros allowed), the minutes those two
// (below 60); decimals may be any number, none, or the point left out.
// False for any other text and beyond 2^31 degrees, the most a carry can
// write.
bool decimal_degrees_of(std::string_view text, bool negative, DecimalDegrees& result);

}  // namespace kelpway
