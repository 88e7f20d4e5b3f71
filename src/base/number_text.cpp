// Layer: base. Reading the number in a coordinate's text, locale-free.
#include "base/number_text.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <system_error>

namespace kelpway {
namespace {

bool is_space(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool is_digit(char c) { return c >= '0' && c <= '9'; }

constexpr long exponent_limit = 1L << 20;  // far past any double; keeps the sums small

// Where the number stands in the text.
struct Scan {
    std::size_t begin = 0;         // first mantissa character, after the sign
    std::size_t mantissa_end = 0;  // before any exponent
    std::size_t end = 0;           // after a complete exponent
    std::size_t digits = 0;        // of the mantissa
    long exponent = 0;
};

std::size_t skip_digits(std::string_view t, std::size_t i) {
    while (i < t.size() && is_digit(t[i])) ++i;
    return i;
}

void scan_mantissa(std::string_view t, Scan& s) {
    std::size_t i = skip_digits(t, s.begin);
    s.digits = i - s.begin;
    if (i < t.size() && t[i] == '.') {
        const std::size_t fraction = i + 1;
        i = skip_digits(t, fraction);
        s.digits += i - fraction;
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
    for (; i < t.size() && is_digit(t[i]); ++i) power = std::min(power * 10 + (t[i] - '0'), exponent_limit);
    s.exponent = minus ? -power : power;
    s.end = i;
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

}  // namespace

// The grammar is checked here, so from_chars never sees inf, nan or hex
// forms, and the point is '.' whatever the locale.
std::optional<double> read_number(std::string_view t) {
    Scan s;
    while (s.begin < t.size() && is_space(t[s.begin])) ++s.begin;
    const bool minus = s.begin < t.size() && t[s.begin] == '-';
    if (s.begin < t.size() && (t[s.begin] == '+' || t[s.begin] == '-')) ++s.begin;
    scan_mantissa(t, s);
    if (s.digits == 0) return std::nullopt;
    scan_exponent(t, s);
    double magnitude = 0.0;
    const auto read = std::from_chars(t.data() + s.begin, t.data() + s.end, magnitude);
    if (read.ec == std::errc::result_out_of_range) magnitude = out_of_range(t, s);
    return minus ? -magnitude : magnitude;
}

}  // namespace kelpway
