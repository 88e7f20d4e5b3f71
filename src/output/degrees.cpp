// Decimal degrees to degrees-and-minutes text, with the rounding step done in exact integers.
#include "output/degrees.h"

#include <algorithm>
#include <bit>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>
#include <system_error>

namespace kelpway {
namespace {

bool is_space(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool is_digit(char c) { return c >= '0' && c <= '9'; }

constexpr long exponent_limit = 1L << 20;  // far past any double; keeps the sums small

// Where the number stands in the text, and its digits as one integer while they fit.
struct Scan {
    std::size_t begin = 0;         // first mantissa character, after the sign
    std::size_t mantissa_end = 0;  // before any exponent
    std::size_t end = 0;           // after a complete exponent
    std::uint64_t digits = 0;      // valid while count <= 19
    std::size_t count = 0;         // mantissa digits
    std::size_t places = 0;        // of those, the ones after the point
    long exponent = 0;
};

// Works on copies: a store into `s` inside the loop would make every byte
// read reload it.
std::size_t scan_digits(std::string_view t, std::size_t i, Scan& s) {
    const std::size_t start = i;
    std::uint64_t digits = s.digits;  // wraps past 19 digits; the count tells
    for (; i < t.size() && is_digit(t[i]); ++i) digits = digits * 10 + static_cast<unsigned>(t[i] - '0');
    s.digits = digits;
    s.count += i - start;
    return i;
}

void scan_mantissa(std::string_view t, Scan& s) {
    std::size_t i = scan_digits(t, s.begin, s);
    if (i < t.size() && t[i] == '.') {
        const std::size_t whole = s.count;
        i = scan_digits(t, i + 1, s);
        s.places = s.count - whole;
    }
    s.mantissa_end = s.end = i;
}

// A bare "e" or "e+" is not an exponent and stays unread.
void scan_exponent(std::string_view t, Scan& s) {
    std::size_t i = s.end;
    if (i >= t.size() || (t[i] != 'e' && t[i] != 'E')) return;
    const bool minus = ++i < t.size() && t[i] == '-';
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
    if (i >= t.size() || !is_digit(t[i])) return;
    long power = 0;
    for (; i < t.size() && is_digit(t[i]); ++i)
        power = std::min(power * 10 + (t[i] - '0'), exponent_limit);
    s.exponent = minus ? -power : power;
    s.end = i;
}

constexpr double powers_of_ten[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                    1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                    1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};  // all exact

// Short numbers: exact digits and an exact power of ten meet in one correctly rounded
// operation, which gives the nearest double as a full conversion would.
bool read_short(const Scan& s, double& value) {
    if (FLT_EVAL_METHOD != 0 || s.count > 19 || s.digits > (std::uint64_t{1} << 53)) return false;
    const long scale = s.exponent - static_cast<long>(s.places);
    if (scale < -22 || scale > 22) return false;
    const auto digits = static_cast<double>(s.digits);
    value = scale < 0 ? digits / powers_of_ten[-scale] : digits * powers_of_ten[scale];
    return true;
}

// Out of range either way: the power of ten above the leading digit tells which.
double out_of_range(std::string_view t, const Scan& s) {
    std::size_t point = s.mantissa_end;
    std::size_t first = s.begin;
    for (std::size_t i = s.begin; i < s.mantissa_end; ++i) {
        if (t[i] == '.') point = i;
        if (first == i && (t[i] == '.' || t[i] == '0')) first = i + 1;
    }
    const auto shift = static_cast<long long>(point) - static_cast<long long>(first);
    const long long order = (shift >= 0 ? shift : shift + 1) + s.exponent;
    return order > 0 ? std::numeric_limits<double>::infinity() : 0.0;
}

double read_long(std::string_view t, const Scan& s) {
    double value = 0.0;
    const auto read = std::from_chars(t.data() + s.begin, t.data() + s.end, value);
    return read.ec == std::errc::result_out_of_range ? out_of_range(t, s) : value;
}

// Nothing when the text holds no number. The grammar is checked here, so from_chars never
// sees inf, nan or hex forms, and the point is '.' whatever the locale.
std::optional<double> read_number(std::string_view t) {
    Scan s;
    while (s.begin < t.size() && is_space(t[s.begin])) ++s.begin;
    const bool minus = s.begin < t.size() && t[s.begin] == '-';
    if (s.begin < t.size() && (t[s.begin] == '+' || t[s.begin] == '-')) ++s.begin;
    scan_mantissa(t, s);
    if (s.count == 0) return std::nullopt;
    scan_exponent(t, s);
    double magnitude = 0.0;
    if (!read_short(s, magnitude)) magnitude = read_long(t, s);
    return minus ? -magnitude : magnitude;
}

// The usual coordinate, "-35.681236": an optional minus, 1 to 3 digits, a
// point, 1 to 15 digits and nothing else. Anything else takes the general way.
struct PlainNumber {
    std::uint64_t whole;
    std::uint64_t fraction;
    std::size_t places;
    bool minus;
};

bool read_plain(std::string_view t, PlainNumber& plain) {
    const char* p = t.data();
    const char* const end = p + t.size();
    plain.minus = p < end && *p == '-';
    p += plain.minus ? 1 : 0;
    const char* const whole = p;
    std::uint64_t digits = 0;
    for (; p < end && is_digit(*p); ++p) digits = digits * 10 + static_cast<unsigned>(*p - '0');
    if (p == whole || p - whole > 3 || p == end || *p != '.') return false;
    plain.whole = digits;
    const char* const fraction = ++p;
    digits = 0;
    for (; p < end && is_digit(*p); ++p) digits = digits * 10 + static_cast<unsigned>(*p - '0');
    plain.places = static_cast<std::size_t>(p - fraction);
    plain.fraction = digits;
    return p == end && plain.places > 0 && plain.places <= 15;
}

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

constexpr std::uint64_t whole_powers_of_ten[] = {
    1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000, 1000000000, 10000000000,
    100000000000, 1000000000000, 10000000000000, 100000000000000, 1000000000000000};

// Decimal digits of a value below 10^10, from its binary width (1233 / 4096 ~ log10 2).
std::size_t digit_count(std::uint64_t value) {
    value |= 1;  // zero has one digit; no other count changes
    const auto guess = static_cast<std::size_t>(std::bit_width(value) * 1233 >> 12);
    return guess + (value >= whole_powers_of_ten[guess] ? 1 : 0);
}

// Built in place in the caller's result: a copy would reload the bytes just stored.
DegreesMinutes formatted(std::uint64_t degrees, unsigned minutes, unsigned thousandths,
                         bool negative) {
    DegreesMinutes result{};
    char* const out = result.text.data();
    const std::size_t size = digit_count(degrees);
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
    return result;
}

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
    return formatted(static_cast<std::uint64_t>(degrees), whole_minutes, thousandths,
                     value < 0.0);
}

// The decimal value of a plain coordinate, rounded once to thousandths of
// a minute. The binary steps above never move the result by more than
// 4e-9 thousandths for such values, so wherever the decimal lies farther
// than 1e-8 from a rounding boundary both give the same text; nearer, the
// binary steps decide.
bool exact_plain(const PlainNumber& plain, DegreesMinutes& result) {
    if (plain.places > 14) return false;  // keeps fraction * 60000 within 64 bits
    const std::uint64_t scale = whole_powers_of_ten[plain.places];
    const std::uint64_t halves = plain.fraction * 60000 + scale / 2;
    const std::uint64_t rest = halves % scale;
    const std::uint64_t margin = scale / 100000000;
    if (rest <= margin || rest >= scale - margin) return false;
    std::uint64_t thousandths = halves / scale;  // up to 60000, a whole degree
    const std::uint64_t degrees = plain.whole + thousandths / 60000;
    thousandths %= 60000;
    result = formatted(degrees, static_cast<unsigned>(thousandths / 1000),
                       static_cast<unsigned>(thousandths % 1000),
                       plain.minus && (plain.whole != 0 || plain.fraction != 0));
    return true;
}

DegreesMinutes degrees_minutes_text(std::string_view value_text) {
    PlainNumber plain;
    if (read_plain(value_text, plain)) {
        DegreesMinutes result;
        if (exact_plain(plain, result)) return result;
        // Exact digits over an exact power of ten: one correctly rounded division.
        const std::uint64_t digits = plain.whole * whole_powers_of_ten[plain.places] + plain.fraction;
        if (FLT_EVAL_METHOD == 0 && digits <= (std::uint64_t{1} << 53)) {
            const double magnitude = static_cast<double>(digits) / powers_of_ten[plain.places];
            return degrees_minutes_of(plain.minus ? -magnitude : magnitude);
        }
    }
    const std::optional<double> value = read_number(value_text);
    return value ? degrees_minutes_of(*value) : unusable;
}

}  // namespace kelpway
