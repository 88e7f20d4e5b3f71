// Tests for the degrees-and-minutes text of a coordinate.
#include "output/degrees.h"
#include "output/degrees_decimal.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <utility>

#include <clocale>
#include <initializer_list>
#include <cmath>
#include <limits>
#include <string>
#include <string_view>

namespace kelpway {
namespace {

struct Row {
    std::string_view value_text;
    std::string_view expected;
    bool negative = false;
    bool usable = true;
};

void check_rows(std::initializer_list<Row> rows) {
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::Message() << '"' << row.value_text << '"');
        // The reference and its decimal form alike.
        DegreesMinutes decimal;
        degrees_minutes_text_decimal(row.value_text, decimal);
        for (const DegreesMinutes& result : {degrees_minutes_text(row.value_text), decimal}) {
            EXPECT_EQ(result.view(), row.expected);
            EXPECT_EQ(result.negative, row.negative);
            EXPECT_EQ(result.usable, row.usable);
        }
    }
}

TEST(DegreesMinutes, GivesTheRecordTextOfPositiveValues) {
    check_rows({
        {"35.681236", "3540.874"},
        {"139.767125", "13946.027"},  // the double lies just below the half-thousandth
        {"0.5", "030.000"},
        {"5.5", "530.000"},
        {"0", "000.000"},
        {"35", "3500.000"},
        {"34.99999", "3459.999"},
        {"34.999995", "3500.000"},  // carries into minutes and then degrees
        {"139.99999999", "14000.000"},
        {"0.9999995", "100.000"},
        {"12.3456789", "1220.741"},
        {"0.000125", "000.007"},  // extended precision keeps the tie below one thousandth
        {"1.090225", "105.413"},
        {"180", "18000.000"},
        {"10.0166666", "1001.000"},  // thousandths carry into minutes only
    });
}

TEST(DegreesMinutes, TextWithoutNumberIsUnusable) {
    check_rows({
        {"", "000.000", false, false},
        {"abc", "000.000", false, false},
        {".", "000.000", false, false},
        {"-", "000.000", false, false},
        {"+-5", "000.000", false, false},
        {"- 5", "000.000", false, false},
        {"e5", "000.000", false, false},
        {"inf", "000.000", false, false},
        {"-infinity", "000.000", false, false},
        {"nan", "000.000", false, false},
    });
}

TEST(DegreesMinutes, ValuesBeyondThirtyTwoBitDegreesAreUnusable) {
    check_rows({
        {"1e999", "000.000", false, false},
        {"-1e999", "000.000", false, false},
        {"2147483648", "000.000", false, false},
        {"-2147483648", "000.000", false, false},
        {"2147483647.99999994", "000.000", false, false},  // its double is 2^31
        {std::string_view{"1" + std::string(400, '0')}, "000.000", false, false},
        {std::string_view{"1" + std::string(400, '0') + "e-80"}, "000.000", false, false},
        {"2147483647.5", "214748364730.000"},
        {"-2147483647.5", "214748364730.000", true},
        // The double just below 2^31 carries into degrees past 32 bits; they show unwrapped.
        {"2147483647.9999997", "214748364800.000"},
    });
}

TEST(DegreesMinutes, NegativeValuesGiveTheTextOfTheirMagnitude) {
    check_rows({
        {"-35.681236", "3540.874", true},
        {"-139.767125", "13946.027", true},
        {"-0.000125", "000.007", true},
        {"-34.999995", "3500.000", true},
        {"-0.0000001", "000.000", true},
        {"-0", "000.000"},  // zero is not below zero
        {"-0.0e5", "000.000"},
        {"-1e-400", "000.000"},
    });
}

TEST(DegreesMinutes, ReadsOnlyTheNumberAtTheStart) {
    check_rows({
        {" \t+5.5", "530.000"},
        {"\n\v\f\r7", "700.000"},
        {"5.", "500.000"},
        {".5", "030.000"},
        {"5e", "500.000"},
        {"5e+", "500.000"},
        {"5E-", "500.000"},
        {"5e1", "5000.000"},
        {"5E+1", "5000.000"},
        {"1.5e-1", "009.000"},
        {"0.5e2", "5000.000"},
        {"0x1A", "000.000"},
        {"1,5", "100.000"},
        {"35.5\" lon=\"139.7\"", "3530.000"},
        {"12 34", "1200.000"},
        {"1e-400", "000.000"},  // underflow reads as zero
        {"1e-310", "000.000"},
        {std::string_view{"0." + std::string(400, '0') + "5e400"}, "030.000"},
        {std::string_view{"0." + std::string(500, '0') + "1e80"}, "000.000"},
        {"00000000000000000000035.681236", "3540.874"},
        {"35.68123600000000000000000000", "3540.874"},
        // Either side of the midpoint between two doubles, too long for a quick reading.
        {"139.76712500000000716227", "13946.027"},
        {"139.76712500000000716228", "13946.028"},
    });
}

TEST(DegreesMinutes, ValuesAlreadyReadFollowTheSameRules) {
    constexpr double infinity = std::numeric_limits<double>::infinity();
    const struct {
        double value;
        std::string_view expected;
        bool negative;
        bool usable;
    } rows[] = {
        {35.681236, "3540.874", false, true},
        {-35.681236, "3540.874", true, true},
        {std::numeric_limits<double>::denorm_min(), "000.000", false, true},
        {std::nextafter(2147483648.0, 0.0), "214748364800.000", false, true},
        {infinity, "000.000", false, false},
        {-infinity, "000.000", false, false},
        {std::numeric_limits<double>::quiet_NaN(), "000.000", false, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.value);
        const DegreesMinutes result = degrees_minutes_of(row.value);
        EXPECT_EQ(result.view(), row.expected);
        EXPECT_EQ(result.negative, row.negative);
        EXPECT_EQ(result.usable, row.usable);
    }
}

// Restores the "C" locale even when an expectation fails.
struct LocaleGuard {
    ~LocaleGuard() { std::setlocale(LC_ALL, "C"); }
};

// The text is built as whole words for fewer than eight degree digits and byte by byte
// beyond: both must give "%d%02d.%03d" for every width.
TEST(DegreesMinutes, WritesEveryWidthOfDegreesAsPrintfDoes) {
    for (std::uint64_t degrees = 0; degrees < 2147483648; degrees = degrees * 3 + 1) {
        for (const std::uint64_t tail : {std::uint64_t{0}, std::uint64_t{9}, std::uint64_t{99}}) {
            const std::uint64_t value = degrees + tail;
            for (const auto& [minutes, thousandths] : {std::pair{0u, 0u}, std::pair{7u, 5u}, std::pair{59u, 999u}}) {
                const double number = static_cast<double>(value) + (minutes + thousandths / 1000.0) / 60.0 + 1e-9;
                char expected[32];
                std::snprintf(expected, sizeof expected, "%llu%02u.%03u", static_cast<unsigned long long>(value),
                              minutes, thousandths);
                EXPECT_EQ(degrees_minutes_of(number).view(), expected);
            }
        }
    }
}

TEST(DegreesMinutes, PointIsADotWhateverTheLocale) {
    const LocaleGuard guard;
    bool comma = false;
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE", "fr_FR.UTF-8", "fr_FR.utf8",
                             "nl_NL.UTF-8", "ru_RU.UTF-8", "es_ES.UTF-8"}) {
        if (std::setlocale(LC_ALL, name) != nullptr &&
            std::string_view{std::localeconv()->decimal_point} == ",") {
            comma = true;
            break;
        }
    }
    if (!comma) GTEST_SKIP() << "no decimal-comma locale installed";
    check_rows({
        {"35.681236", "3540.874"},
        {"1,5", "100.000"},
        {"0.5", "030.000"},
    });
}

}  // namespace
}  // namespace kelpway
