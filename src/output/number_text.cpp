// Reading the number in a coordinate's text, locale-free.
#include "output/number_text.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cstring>
#include <limits>
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

// Eight bytes that are all decimal digits, the first the most significant.
bool all_digits(std::uint64_t bytes) {
    constexpr std::uint64_t high_nibbles = 0xf0f0f0f0f0f0f0f0;
    return ((bytes & high_nibbles) | ((bytes + 0x0606060606060606) & high_nibbles) >> 4) == 0x3333333333333333;
}

// Their value, in three multiplies instead of eight steps.
std::uint64_t value_of_digits(std::uint64_t bytes) {
    bytes -= 0x3030303030303030;
    bytes = bytes * 10 + (bytes >> 8);
    const std::uint64_t mask = 0x000000ff000000ff;
    return ((bytes & mask) * (100 + (1000000ULL << 32)) + ((bytes >> 16) & mask) * (1 + (10000ULL << 32))) >> 32;
}

std::uint64_t load_word(const char* at) {
    std::uint64_t word;
    std::memcpy(&word, at, sizeof word);
    return word;
}

constexpr std::uint64_t zero_digits = 0x3030303030303030;

// The value of the `count` digits that end at `end` (1 to 8 of them), read
// in one word that lies inside the text: the bytes before them count as '0'.
bool tail_digits(const char* end, std::size_t count, std::uint64_t& value) {
    std::uint64_t word = load_word(end - 8);
    const std::size_t ahead = 8 - count;
    if (ahead > 0) {
        const std::uint64_t low = (std::uint64_t{1} << (8 * ahead)) - 1;
        word = (word & ~low) | (zero_digits & low);
    }
    if (!all_digits(word)) return false;
    value = value_of_digits(word);
    return true;
}

// The fraction's digits, [begin, end), of a text that starts at `text`.
bool fraction_digits(const char* text, const char* begin, const char* end, std::uint64_t& value) {
    const auto count = static_cast<std::size_t>(end - begin);
    if (std::endian::native == std::endian::little && end - text >= 8) {
        if (count <= 8) return tail_digits(end, count, value);
        // More than eight: the first eight, then the rest in a word that ends with the text.
        const std::uint64_t first = load_word(begin);
        std::uint64_t rest = 0;
        if (!all_digits(first) || !tail_digits(end, count - 8, rest)) return false;
        value = value_of_digits(first) * decimal_powers[count - 8] + rest;
        return true;
    }
    value = 0;
    for (const char* p = begin; p < end; ++p) {
        if (!is_digit(*p)) return false;
        value = value * 10 + static_cast<unsigned>(*p - '0');
    }
    return true;
}

}  // namespace

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
    ++p;
    plain.places = static_cast<std::size_t>(end - p);
    return plain.places > 0 && plain.places <= 15 && fraction_digits(t.data(), p, end, plain.fraction);
}

std::optional<double> plain_value(const PlainNumber& plain) {
    // Exact digits over an exact power of ten: one correctly rounded division.
    const std::uint64_t digits = plain.whole * decimal_powers[plain.places] + plain.fraction;
    if (FLT_EVAL_METHOD != 0 || digits > (std::uint64_t{1} << 53)) return std::nullopt;
    const double magnitude = static_cast<double>(digits) / powers_of_ten[plain.places];
    return plain.minus ? -magnitude : magnitude;
}

}  // namespace kelpway
