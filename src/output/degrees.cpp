// Decimal degrees to degrees-and-minutes text, with the rounding step done in exact integers.
#include "output/degrees.h"

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <optional>

#include "base/number_text.h"

namespace kelpway {
namespace {

__extension__ typedef unsigned __int128 Wide;

// The double nearest 0.0005, in units of 2^-63.
constexpr auto half_thousandth = static_cast<std::uint64_t>(0.0005 * 0x1p63);
static_assert(static_cast<double>(half_thousandth) * 0x1p-63 == 0.0005);

// trunc((fraction + 0.0005) * 1000) with the sum and the product each rounded to 64
// significant bits, alike on every platform. Below 2^-11 the sum stays under 0.001, so
// the result is 0 whatever the rounding. From 2^-11 up, every bit of the sum lies between
// 2^0 and 2^-63: it is exact as a count of 2^-63, and only the product, up to 74 bits, rounds.
unsigned rounded_thousandths(double fraction) {
    if (fraction < 0x1p-11) return 0;
    const auto scaled = static_cast<std::uint64_t>(static_cast<std::int64_t>(fraction * 0x1p63));
    const std::uint64_t sum = scaled + half_thousandth;
    const Wide product = Wide{sum} * 1000;
    const int lost = static_cast<int>(std::bit_width(static_cast<std::uint64_t>(product >> 64)));
    const std::uint64_t half = (std::uint64_t{1} << lost) >> 1;
    const std::uint64_t odd = (static_cast<std::uint64_t>(product) >> lost) & 1;
    // Just under half, plus one if the kept part is odd: carries exactly when rounding
    // to nearest, ties to even, goes up. The bits below stay out of the whole part.
    const std::uint64_t round_up = half == 0 ? 0 : half - 1 + odd;
    return static_cast<unsigned>((product + round_up) >> 63);
}

constexpr char digit(std::uint64_t value) { return static_cast<char>('0' + value); }

// "00" to "99", so that two digits take one look-up: 5 % on bench/run.sh
// over a digit at a time.
constexpr auto digit_pairs = [] {
    std::array<char, 200> pairs{};
    for (std::size_t i = 0; i < 100; ++i) {
        pairs[2 * i] = digit(i / 10);
        pairs[2 * i + 1] = digit(i % 10);
    }
    return pairs;
}();

void put_pair(char* out, std::uint64_t value) {
    out[0] = digit_pairs[2 * value];
    out[1] = digit_pairs[2 * value + 1];
}

std::size_t digit_count(std::uint64_t value) {
    std::size_t count = 1;
    for (; value >= 10; value /= 10) ++count;
    return count;
}

}  // namespace

void format_degrees_minutes(DegreesMinutes& result, std::uint64_t degrees, unsigned minutes, unsigned thousandths,
                            bool negative) {
    const std::size_t size = digit_count(degrees);
    result.text = {};
    char* const out = result.text.data();
    std::size_t i = size;
    for (; i >= 2; degrees /= 100) put_pair(out + (i -= 2), degrees % 100);
    if (i == 1) out[0] = digit(degrees);
    put_pair(out + size, minutes);
    out[size + 2] = '.';
    out[size + 3] = digit(thousandths / 100);
    put_pair(out + size + 4, thousandths % 100);
    result.size = size + 6;
    result.negative = negative;
    result.usable = true;
}

namespace {

constexpr double degrees_limit = 0x1p31;  // whole degrees must fit 32 bits

constexpr DegreesMinutes unusable{{'0', '0', '0', '.', '0', '0', '0'}, 7, false, false};

}  // namespace

DegreesMinutes degrees_minutes_of(double value) {
    const double magnitude = std::fabs(value);
    if (!(magnitude < degrees_limit)) return unusable;  // also inf and nan
    // 64 bits, so a carry past 2^31 - 1 degrees shows rather than wraps.
    auto degrees = static_cast<std::int64_t>(magnitude);
    const double minutes = (magnitude - static_cast<double>(degrees)) * 60.0;
    auto whole_minutes = static_cast<unsigned>(static_cast<int>(minutes));
    unsigned thousandths = rounded_thousandths(minutes - whole_minutes);
    if (thousandths >= 1000) {
        thousandths -= 1000;
        if (++whole_minutes == 60) {
            whole_minutes = 0;
            ++degrees;
        }
    }
    DegreesMinutes result;
    format_degrees_minutes(result, static_cast<std::uint64_t>(degrees), whole_minutes, thousandths, value < 0.0);
    return result;
}

DegreesMinutes degrees_minutes_text(std::string_view value_text) {
    const std::optional<double> value = read_number(value_text);
    return value ? degrees_minutes_of(*value) : unusable;
}

}  // namespace kelpway

