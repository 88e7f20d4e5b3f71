// The decimal route to the degrees text gives what the reference gives, also next to rounding boundaries.
#include "output/degrees_decimal.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string_view>

namespace kelpway {
namespace {

using Random = std::mt19937_64;
__extension__ typedef unsigned __int128 Wide;

// Decimal coordinates as devices write them ("-35.681236"), read the fast
// decimal way, against the reference, which reads the text as a double:
// random ones, and ones within a few units of the last place of a rounding
// boundary, where the decimal answer must give way to the binary one.
TEST(DegreesDecimal, MatchesTheReference) {
    Random random{4211};
    long long checked = 0;
    long long differences = 0;
    const auto check = [&](std::uint64_t whole, std::uint64_t fraction, int places, bool minus) {
        std::array<char, 64> buffer{};
        const int size = std::snprintf(buffer.data(), buffer.size(), "%s%llu.%0*llu", minus ? "-" : "",
                                       static_cast<unsigned long long>(whole), places,
                                       static_cast<unsigned long long>(fraction));
        const std::string_view text{buffer.data(), static_cast<std::size_t>(size)};
        ++checked;
        DegreesMinutes read;
        degrees_minutes_text_decimal(text, read);
        const DegreesMinutes expected = degrees_minutes_text(text);
        if (read.view() == expected.view() && read.negative == expected.negative) return;
        if (++differences <= 10) ADD_FAILURE() << text << " gives " << read.view() << ", not " << expected.view();
    };
    std::uint64_t scale = 1;
    for (int places = 1; places <= 15; ++places) {
        scale *= 10;
        for (int i = 0; i < 40000; ++i) {
            const std::uint64_t whole = random() % 1000;
            const bool minus = random() % 2 == 0;
            check(whole, random() % scale, places, minus);
            // The fraction where the minutes cross thousandth `boundary` - 1/2.
            const Wide boundary = random() % 60000 + 1;
            const auto crossing = static_cast<std::uint64_t>((boundary * 2 - 1) * scale / 120000);
            for (std::uint64_t near = crossing > 2 ? crossing - 2 : 0; near <= crossing + 2 && near < scale; ++near) {
                check(whole, near, places, minus);
            }
        }
    }
    EXPECT_EQ(differences, 0) << "of " << checked << " texts";
}

}  // namespace
}  // namespace kelpway
