// The number a coordinate's text begins with, read as the nearest double whatever the locale.
#include "base/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string_view>

namespace kelpway {
namespace {

TEST(NumberText, ReadsTheNumberTheTextBeginsWith) {
    const double infinity = std::numeric_limits<double>::infinity();
    const struct {
        std::string_view text;
        std::optional<double> value;
    } rows[] = {
        {"35.681236", 35.681236},
        {"  \t\n-12.5", -12.5},
        {"+3", 3.0},
        {".5", 0.5},
        {"5.", 5.0},
        {"1e2", 100.0},
        {"1E-2", 0.01},
        {"2e", 2.0},            // a bare exponent mark stays unread
        {"2e+", 2.0},
        {"1.5e3x", 1500.0},
        {"12,5", 12.0},         // the point is '.', never ','
        {"7\" lon=\"8\"", 7.0},
        {"0.1000000000000000055511151231257827", 0.1},
        {"1e400", infinity},    // beyond the doubles
        {"-1e400", -infinity},
        {"123456789e400", infinity},
        {"0.0000001e-400", 0.0},
        {"1e-400", 0.0},
        {"", std::nullopt},
        {"-", std::nullopt},
        {".", std::nullopt},
        {"e5", std::nullopt},
        {"inf", std::nullopt},
        {"nan", std::nullopt},
        {"0x1p3", 0.0},         // hexadecimal is not read: "0" and then text
        {"- 1", std::nullopt},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(read_number(row.text), row.value);
    }
}

}  // namespace
}  // namespace kelpway
