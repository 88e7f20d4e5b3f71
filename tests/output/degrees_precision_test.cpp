// Checks the degrees text on many values against independent computations of it.
#include "output/degrees.h"

#include <gtest/gtest.h>

#include <array>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string_view>

namespace kelpway {
namespace {

using Random = std::mt19937_64;
__extension__ typedef unsigned __int128 Wide;

// Coordinates written with 4 to 10 decimals: k / 10^d is the double nearest the text.
double decimal_coordinate(Random& random) {
    const int places = std::uniform_int_distribution<int>{4, 10}(random);
    const double scale = std::pow(10.0, places);
    const auto top = 180 * static_cast<long long>(scale);
    return static_cast<double>(std::uniform_int_distribution<long long>{0, top}(random)) / scale;
}

double random_degrees(Random& random) {
    if (random() % 8 == 0) return static_cast<double>(random() % 2147483648u);
    return static_cast<double>(random() % 181);
}

// Minutes on an odd number of half-thousandths, where the rounding decides. Below one
// degree the doubles are fine enough to land on the binary ties themselves.
double half_thousandth(Random& random) {
    const auto halves = static_cast<double>(2 * (random() % 60000) + 1);
    return (random() % 2 == 0 ? 0.0 : random_degrees(random)) + halves / 120000.0;
}

// Whole degrees or whole minutes, for values just below them that carry.
double whole(Random& random) {
    const double degrees = random_degrees(random);
    const auto count = static_cast<double>(random() % 60 + 1);
    return degrees + (random() % 2 == 0 ? count / 60.0 : count);
}

// Any double in range, down to the tiniest, for fractions far below a thousandth.
double any_double(Random& random) {
    const auto significand = static_cast<double>(random() >> 11) * 0x1p-53;
    return std::ldexp(significand, std::uniform_int_distribution<int>{-1074, 30}(random));
}

// `value` and the doubles beside it, `steps` on each side.
template <class Check>
void check_around(double value, int steps, Check check) {
    double below = value;
    double above = value;
    check(value);
    for (int i = 0; i < steps; ++i) {
        below = std::nextafter(below, 0.0);
        above = std::nextafter(above, 1e300);
        check(below);
        check(above);
    }
}

// One round of every kind of value, negated at random.
template <class Check>
void check_round(Random& random, Check check) {
    const auto signed_check = [&](double value) { check(random() % 2 == 0 ? value : -value); };
    for (int i = 0; i < 3; ++i) signed_check(decimal_coordinate(random));
    check_around(half_thousandth(random), 3, signed_check);
    check_around(whole(random), 2, signed_check);
    signed_check(any_double(random));
}

#if defined(__x86_64__) && LDBL_MANT_DIG == 64

struct Parts {
    long long degrees;
    int minutes;
    int thousandths;
    bool operator==(const Parts&) const = default;
};

// The algorithm word for word, with the x87 unit doing the 64-bit-significand step.
Parts reference(double value) {
    const double magnitude = std::fabs(value);
    const auto degrees = static_cast<long long>(magnitude);
    const double m = (magnitude - static_cast<double>(degrees)) * 60.0;
    const int minutes = static_cast<int>(m);
    const long double sum =
        static_cast<long double>(m - minutes) + static_cast<long double>(0.0005);
    const long double product = sum * 1000.0L;
    Parts parts{degrees, minutes, static_cast<int>(static_cast<long long>(product))};
    if (parts.thousandths >= 1000) {
        parts.thousandths -= 1000;
        if (++parts.minutes == 60) {
            parts.minutes = 0;
            ++parts.degrees;
        }
    }
    return parts;
}

long long number(std::string_view digits) {
    long long n = -1;
    std::from_chars(digits.data(), digits.data() + digits.size(), n);
    return n;
}

// Splits "%d%02d.%03d" back into its numbers.
Parts parts_of(std::string_view text) {
    const std::size_t n = text.size();
    if (n < 7 || text[n - 4] != '.') return {-1, -1, -1};
    return {number(text.substr(0, n - 6)), static_cast<int>(number(text.substr(n - 6, 2))),
            static_cast<int>(number(text.substr(n - 3)))};
}

long long value_count() {
    const char* text = std::getenv("KELPWAY_PRECISION_COUNT");
    return text != nullptr ? std::atoll(text) : 10'000'000;
}

TEST(DegreesPrecision, ReferenceKeepsTheExtendedTie) {
    EXPECT_EQ(reference(0.000125), (Parts{0, 0, 7}));
    EXPECT_EQ(reference(139.767125), (Parts{139, 46, 27}));
    EXPECT_EQ(reference(34.999995), (Parts{35, 0, 0}));
}

TEST(DegreesPrecision, IntegerRoundingMatchesNativeExtendedPrecision) {
    const long long count = value_count();
    Random random{20240611};
    long long checked = 0;
    long long differences = 0;
    const auto check = [&](double value) {
        if (!(std::fabs(value) < 0x1p31)) return;
        ++checked;
        const DegreesMinutes result = degrees_minutes_of(value);
        const Parts expected = reference(value);
        if (parts_of(result.view()) == expected && result.usable && result.negative == (value < 0))
            return;
        if (++differences <= 10)
            ADD_FAILURE() << std::hexfloat << value << std::defaultfloat << " gives "
                          << result.view() << ", expected " << expected.degrees << ' '
                          << expected.minutes << ' ' << expected.thousandths;
    };
    while (checked < count) check_round(random, check);
    EXPECT_EQ(differences, 0) << "of " << checked << " values";
}

#else

TEST(DegreesPrecision, IntegerRoundingMatchesNativeExtendedPrecision) {
    GTEST_SKIP() << "needs the x86-64 80-bit long double as a reference";
}

#endif

// Texts in several shapes read as the double a full conversion gives.
TEST(DegreesPrecision, TextsReadAsTheirNearestDouble) {
    Random random{977};
    long long checked = 0;
    long long differences = 0;
    const auto check = [&](double value) {
        std::array<char, 64> buffer{};
        const auto format = random() % 2 == 0 ? std::chars_format::general
                                              : std::chars_format::scientific;
        const char* end = std::to_chars(buffer.data(), buffer.data() + 63, value, format).ptr;
        const std::string_view text{buffer.data(), static_cast<std::size_t>(end - buffer.data())};
        ++checked;
        const DegreesMinutes read = degrees_minutes_text(text);
        const DegreesMinutes expected = degrees_minutes_of(value);
        if (read.view() == expected.view() && read.negative == expected.negative &&
            read.usable == expected.usable)
            return;
        if (++differences <= 10) ADD_FAILURE() << text << " gives " << read.view();
    };
    while (checked < 1'000'000) check_round(random, check);
    EXPECT_EQ(differences, 0) << "of " << checked << " texts";
}

}  // namespace
}  // namespace kelpway
