// The degrees-and-minutes text of a record read back as decimal degrees for GPX.
#include "output/degrees_reading.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <cstring>

namespace kelpway {

namespace {

constexpr std::uint64_t degrees_limit = std::uint64_t{1} << 31;
constexpr std::uint64_t billion = 1000000000;

// Minutes are read to twelve decimals: a billionth of a degree is 6e-8
// minutes, so the decimals after those could only decide an exact tie.
constexpr std::size_t minute_places = 12;
constexpr std::uint64_t minute_scale = 1000000000000;
constexpr std::uint64_t units_per_billionth = 60 * minute_scale / billion;

// 2^31 degrees, which a record holds only when the minutes of 2^31 - 1
// carried, cannot be given as such: the forward conversion refuses values
// from 2^31 on. This is the double next below it, 2^31 - 2^-22, whose
// minutes round up to sixty and carry again.
constexpr std::string_view below_limit = "2147483647.999999762";

// The smallest magnitude nine decimals hold: a value that rounds to zero
// still says S or W by its sign.
constexpr std::string_view tiny = "0.000000001";

bool is_digit(char c) { return c >= '0' && c <= '9'; }

struct Reading {
    std::uint64_t degrees = 0;
    std::uint64_t minute_units = 0;  // minutes in units of 10^-12
    bool any_minutes = false;        // a digit of the minutes other than 0, past the twelfth too
};

bool read_whole(std::string_view whole, Reading& reading) {
    if (whole.size() < 3) return false;
    const std::size_t minutes_at = whole.size() - 2;
    for (std::size_t i = 0; i < minutes_at; ++i) {
        if (!is_digit(whole[i])) return false;
        reading.degrees = reading.degrees * 10 + static_cast<unsigned>(whole[i] - '0');
        if (reading.degrees > degrees_limit) return false;
    }
    if (!is_digit(whole[minutes_at]) || !is_digit(whole[minutes_at + 1])) return false;
    const unsigned minutes = static_cast<unsigned>(whole[minutes_at] - '0') * 10 +
                             static_cast<unsigned>(whole[minutes_at + 1] - '0');
    reading.minute_units = minutes * minute_scale;
    reading.any_minutes = minutes != 0;
    return minutes < 60;
}

// The value of each decimal of the minutes, in units of 10^-12.
constexpr std::array<std::uint64_t, minute_places> decimal_places{
    100000000000, 10000000000, 1000000000, 100000000, 10000000, 1000000, 100000, 10000, 1000, 100, 10, 1};

bool read_decimals(std::string_view decimals, Reading& reading) {
    for (std::size_t i = 0; i < decimals.size(); ++i) {
        if (!is_digit(decimals[i])) return false;
        const auto digit = static_cast<unsigned>(decimals[i] - '0');
        if (i < minute_places) reading.minute_units += digit * decimal_places[i];
        reading.any_minutes = reading.any_minutes || digit != 0;
    }
    return true;
}

void put(DecimalDegrees& result, std::string_view text) {
    std::memcpy(result.text.data() + result.size, text.data(), text.size());
    result.size += text.size();
}

// The degrees, a point and nine decimals of the billionths.
void put_value(DecimalDegrees& result, std::uint64_t degrees, std::uint64_t billionths) {
    char* const end = result.text.data() + result.text.size();
    char* at = std::to_chars(result.text.data() + result.size, end, degrees).ptr;
    *at++ = '.';
    for (std::size_t i = 9; i-- > 0; billionths /= 10) at[i] = static_cast<char>('0' + billionths % 10);
    result.size = static_cast<std::size_t>(at + 9 - result.text.data());
}

}  // namespace

bool decimal_degrees_of(std::string_view text, bool negative, DecimalDegrees& result) {
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view decimals = point == std::string_view::npos ? "" : text.substr(point + 1);
    Reading reading;
    if (!read_whole(whole, reading) || !read_decimals(decimals, reading)) return false;
    if (reading.degrees == degrees_limit && reading.any_minutes) return false;
    // The nearest billionth of a degree, halves up.
    std::uint64_t billionths = (reading.minute_units + units_per_billionth / 2) / units_per_billionth;
    std::uint64_t degrees = reading.degrees;
    if (billionths == billion) {
        billionths = 0;
        ++degrees;
    }
    result.size = 0;
    if (negative) put(result, "-");
    if (degrees == degrees_limit) {
        put(result, below_limit);
    } else if (degrees == 0 && billionths == 0 && negative) {
        put(result, tiny);
    } else {
        put_value(result, degrees, billionths);
    }
    return true;
}

}  // namespace kelpway
