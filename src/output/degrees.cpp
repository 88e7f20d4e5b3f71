// Decimal degrees to degrees-and-minutes text, with the rounding step done in exact integers.
#include "output/degrees.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <optional>

#include "base/number_text.h"
#include "base/plain_number.h"

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

// "00" to "99", so that two digits take one look-up.
constexpr auto digit_pairs = [] {
    std::array<char, 200> pairs{};
    for (std::size_t i = 0; i < 100; ++i) {
        pairs[2 * i] = digit(i / 10);
        pairs[2 * i + 1] = digit(i % 10);
    }
    return pairs;
}();

void put_pair(char* out, std::uint64_t value) { std::memcpy(out, &digit_pairs[2 * value], 2); }

// Decimal digits of a value below 10^10. Below 1000, the usual, by two
// comparisons (the text waits for the count); else from the binary width
// (1233 / 4096 ~ log10 2).
std::size_t digit_count(std::uint64_t value) {
    if (value < 1000) return 1 + (value >= 10 ? 1 : 0) + (value >= 100 ? 1 : 0);
    const auto guess = static_cast<std::size_t>(std::bit_width(value) * 1233 >> 12);
    return guess + (value >= decimal_powers[guess] ? 1 : 0);
}

std::uint64_t pair_word(std::uint64_t value) {
    std::uint16_t pair;
    std::memcpy(&pair, &digit_pairs[2 * value], 2);
    return pair;
}

}  // namespace

// Into the caller's result, the text in one store: bytes stored one by one
// and then copied as a whole would make the processor wait for each of them.
void format_degrees_minutes(DegreesMinutes& result, std::uint64_t degrees, unsigned minutes, unsigned thousandths,
                            bool negative) {
    const std::size_t size = digit_count(degrees);
    result.size = size + 6;
    result.negative = negative;
    result.usable = true;
    if (std::endian::native == std::endian::little && size <= 3) {
        // "MM.ttt" after the degrees, the first byte lowest.
        const std::uint64_t tail = pair_word(minutes) | std::uint64_t{'.'} << 16 |
                                   static_cast<std::uint64_t>(digit(thousandths / 100)) << 24 |
                                   pair_word(thousandths % 100) << 32;
        const std::uint64_t head =
            size == 1   ? static_cast<std::uint64_t>(digit(degrees))
            : size == 2 ? pair_word(degrees)
                        : static_cast<std::uint64_t>(digit(degrees / 100)) | pair_word(degrees % 100) << 8;
        const Wide text = head | Wide{tail} << (8 * size);
        std::memcpy(result.text.data(), &text, sizeof text);
        return;
    }
    result.text = {};
    char* const out = result.text.data();
    std::size_t i = size;
    for (; i >= 2; degrees /= 100) put_pair(out + (i -= 2), degrees % 100);
    if (i == 1) out[0] = digit(degrees);
    put_pair(out + size, minutes);
    out[size + 2] = '.';
    out[size + 3] = digit(thousandths / 100);
    put_pair(out + size + 4, thousandths % 100);
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

