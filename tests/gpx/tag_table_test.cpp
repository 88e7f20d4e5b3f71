// Tag names are found in any table, whatever their lengths and letters.
#include "gpx/tag_table.h"

#include <gtest/gtest.h>

#include <array>
#include <string_view>

namespace kelpway {
namespace {

TEST(TagTable, FindsRowsOfAnyNameInAnyTable) {
    // Names longer than eight bytes, and names that share their length and first letter.
    constexpr std::array<TagRow, 6> rows{{
        {"metadata", LineKind::other, LineKind::other, Starts::never, nullptr},
        {"type", LineKind::other, LineKind::other, Starts::never, nullptr},
        {"time", LineKind::other, LineKind::other, Starts::never, nullptr},
        {"TrackPointExtension", LineKind::other, LineKind::other, Starts::never, nullptr},
        {"t", LineKind::other, LineKind::other, Starts::never, nullptr},
        {"trkpt", LineKind::track_point, LineKind::other, Starts::never, nullptr},
    }};
    for (const TagRow& row : rows) EXPECT_EQ(find_row(rows, row.name), &row) << row.name;
    for (const std::string_view name : {"", "tim", "times", "typ", "metadat", "Time", "trkseg"}) {
        EXPECT_EQ(find_row(rows, name), nullptr) << name;
    }
}

// Kinds and the rows that give them, both ways.
TEST(TagTable, GivesEveryKindItsRow) {
    for (const TagRow& row : tag_table) {
        EXPECT_EQ(find_row(tag_table, row.name), &row);
        const KindRow start = row_of_kind(row.start);
        EXPECT_TRUE(start.row == &row && !start.closing) << row.name;
        if (row.end != LineKind::other) {
            const KindRow end = row_of_kind(row.end);
            EXPECT_TRUE(end.row == &row && end.closing) << row.name;
        }
        EXPECT_LT(static_cast<std::size_t>(row.start), kind_count);
        EXPECT_LT(static_cast<std::size_t>(row.end), kind_count);
    }
    EXPECT_EQ(row_of_kind(LineKind::other).row, nullptr);
}

}  // namespace
}  // namespace kelpway
