// The degrees-and-minutes text read back: decimal degrees that the forward
// conversion turns into the very same text and hemisphere.
#include "output/degrees_reading.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <random>
#include <string>

#include "output/degrees.h"
#include "output/degrees_decimal.h"

namespace kelpway {
namespace {

constexpr std::uint64_t most_degrees = (std::uint64_t{1} << 31) - 1;

std::string text_of(std::uint64_t degrees, unsigned thousandths) {
    char text[32];
    std::snprintf(text, sizeof text, "%llu%02u.%03u", static_cast<unsigned long long>(degrees),
                  thousandths / 1000, thousandths % 1000);
    return text;
}

// The decimal text, and what the forward conversion makes of it.
struct RoundTrip {
    bool read;
    std::string decimal;
    std::string back;
    bool negative;
};

RoundTrip round_trip(const std::string& text, bool negative) {
    DecimalDegrees decimal{};
    if (!decimal_degrees_of(text, negative, decimal)) return {false, "", "", false};
    DegreesMinutes back{};
    degrees_minutes_text_decimal(decimal.view(), back);
    EXPECT_TRUE(back.usable) << decimal.view();
    const DegreesMinutes reference = degrees_minutes_text(decimal.view());
    EXPECT_TRUE(reference.view() == back.view() && reference.negative == back.negative) << decimal.view();
    return {true, std::string(decimal.view()), std::string(back.view()), back.negative};
}

void expect_same_text(const std::string& text, bool negative) {
    const RoundTrip trip = round_trip(text, negative);
    ASSERT_TRUE(trip.read) << text;
    ASSERT_EQ(trip.back, text) << trip.decimal;
    ASSERT_EQ(trip.negative, negative) << text << " " << trip.decimal;
}

TEST(DecimalDegrees, WritesNineDecimalsOfTheValue) {
    const struct {
        const char* text;
        bool negative;
        const char* decimal;
    } cases[] = {
        {"3540.874", false, "35.681233333"},
        {"13946.027", true, "-139.767116667"},
        {"000.000", false, "0.000000000"},
        {"000.000", true, "-0.000000001"},  // still south or west when read back
        {"000.001", true, "-0.000016667"},
        {"8959.999", false, "89.999983333"},
        {"0003540.874", false, "35.681233333"},
        {"3540", false, "35.666666667"},
        {"3540.", false, "35.666666667"},
        {"3540.8", false, "35.680000000"},
        {"3540.87412", false, "35.681235333"},
        {"3540.0000000001", true, "-35.666666667"},
        {"000.00000001", true, "-0.000000001"},
        {"3559.99999999", false, "36.000000000"},  // rounds up to the next degree
        {"214748364759.999", false, "2147483647.999983333"},
        {"214748364800.000", false, "2147483647.999999762"},  // below 2^31, carried up to it
        {"214748364800.000", true, "-2147483647.999999762"},
        {"214748364759.99999999", false, "2147483647.999999762"},
        {"214748364800.0000000000000", false, "2147483647.999999762"},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.text);
        DecimalDegrees decimal{};
        ASSERT_TRUE(decimal_degrees_of(row.text, row.negative, decimal));
        EXPECT_EQ(decimal.view(), row.decimal);
    }
}

TEST(DecimalDegrees, RefusesTextsNoRecordHolds) {
    const char* const cases[] = {
        "", ".", "40.874", "5.000", "3560.000", "3599.000", "-3540.874", "+3540.874", " 3540.874",
        "3540.874 ", "3540.87a", "35a40.874", "3540.8.74", "3540,874", "3540.874e1", "0x3540",
        "214748364800.001", "214748364800.0000000000001", "214748364801.000", "214748364900.000",
        "99999999999999999999999999.000",
    };
    for (const char* text : cases) {
        SCOPED_TRACE(text);
        DecimalDegrees decimal{};
        EXPECT_FALSE(decimal_degrees_of(text, false, decimal));
    }
}

// Every minutes text at degrees around the usual ranges, the width steps and 2^31.
TEST(DecimalDegrees, ComeBackAsTheSameTextForEveryMinute) {
    const std::uint64_t degrees[] = {0, 1, 89, 90, 179, 180, 999, 1000, 16777216, 999999999, most_degrees - 1,
                                     most_degrees};
    for (const std::uint64_t whole : degrees) {
        SCOPED_TRACE(whole);
        for (unsigned thousandths = 0; thousandths < 60000; ++thousandths) {
            const std::string text = text_of(whole, thousandths);
            expect_same_text(text, false);
            expect_same_text(text, true);
        }
    }
    expect_same_text("214748364800.000", false);
    expect_same_text("214748364800.000", true);
}

// Degrees at the edges of the decimal and binary widths, minutes at the edges of their range.
TEST(DecimalDegrees, ComeBackAsTheSameTextForBoundaryValues) {
    std::mt19937_64 random{20240522};
    const auto pick_degrees = [&random]() -> std::uint64_t {
        switch (random() % 4) {
            case 0: {
                std::uint64_t power = 1;
                for (auto n = random() % 10; n > 0; --n) power *= 10;
                return power - 1 + random() % 3;
            }
            case 1: return (std::uint64_t{1} << (random() % 31)) - 1 + random() % 3;
            case 2: return most_degrees - random() % 1000;
            default: return random() % 181;
        }
    };
    const auto pick_thousandths = [&random]() -> unsigned {
        const auto near = static_cast<unsigned>(random() % 60) * 1000;
        const auto offset = static_cast<unsigned>(random() % 3);
        return random() % 2 == 0 ? static_cast<unsigned>(random() % 60000) : (near + 59999 + offset) % 60000;
    };
    for (int i = 0; i < 400000; ++i) {
        const std::uint64_t degrees = std::min(pick_degrees(), most_degrees);
        expect_same_text(text_of(degrees, pick_thousandths()), random() % 2 == 0);
    }
}

// Other numbers of decimals come back as the nearest thousandth, halves up,
// as far as nine decimals of a degree tell (6e-8 minutes).
TEST(DecimalDegrees, ComeBackRoundedFromOtherNumbersOfDecimals) {
    const struct {
        const char* text;
        const char* back;
    } cases[] = {
        {"3540", "3540.000"},           {"3540.", "3540.000"},        {"3540.8", "3540.800"},
        {"3540.87", "3540.870"},        {"3540.8744", "3540.874"},    {"3540.87449", "3540.874"},
        {"3540.8745", "3540.875"},      {"3540.87451", "3540.875"},   {"3559.9995", "3600.000"},
        {"3559.99949", "3559.999"},     {"000.0004", "000.000"},      {"17959.99999", "18000.000"},
        {"214748364759.9996", "214748364800.000"},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.text);
        for (const bool negative : {false, true}) {
            const RoundTrip trip = round_trip(row.text, negative);
            ASSERT_TRUE(trip.read);
            EXPECT_EQ(trip.back, row.back) << trip.decimal;
            EXPECT_EQ(trip.negative, negative);
        }
    }
}

}  // namespace
}  // namespace kelpway
