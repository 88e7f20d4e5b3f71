// The usual coordinate text read as exact decimal parts.
#include "base/plain_number.h"

#include <gtest/gtest.h>

#include <string>

namespace kelpway {
namespace {

TEST(PlainNumber, ReadsDigitsOfEveryCountInAndAroundAWord) {
    const struct {
        std::string text;
        bool plain;
        std::uint64_t whole, fraction;
        std::size_t places;
        bool minus;
    } rows[] = {
        {"35.5", true, 35, 5, 1, false},
        {"-1.25", true, 1, 25, 2, true},
        {"139.767125", true, 139, 767125, 6, false},
        {"-35.68123", true, 35, 68123, 5, true},
        {"1.12345678", true, 1, 12345678, 8, false},
        {"1.123456789", true, 1, 123456789, 9, false},
        {"12.000000001", true, 12, 1, 9, false},
        {"0.999999999999999", true, 0, 999999999999999, 15, false},
        {"0.1234567890123456", false, 0, 0, 0, false},  // sixteen places
        {"12.34a6", false, 0, 0, 0, false},
        {"12.3456789a", false, 0, 0, 0, false},         // in the last word
        {"12.a3456789", false, 0, 0, 0, false},         // in the first word
        {"12.345678/9", false, 0, 0, 0, false},
        {"12.3456:", false, 0, 0, 0, false},            // ':' is '0' + 10
        {"1234.5", false, 0, 0, 0, false},
        {"1.", false, 0, 0, 0, false},
        {".5", false, 0, 0, 0, false},
        {"+1.5", false, 0, 0, 0, false},
        {" 1.5", false, 0, 0, 0, false},
        {"1.5e3", false, 0, 0, 0, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        PlainNumber plain{};
        ASSERT_EQ(read_plain(row.text, plain), row.plain);
        if (!row.plain) continue;
        EXPECT_EQ(plain.whole, row.whole);
        EXPECT_EQ(plain.fraction, row.fraction);
        EXPECT_EQ(plain.places, row.places);
        EXPECT_EQ(plain.minus, row.minus);
    }
}

}  // namespace
}  // namespace kelpway
