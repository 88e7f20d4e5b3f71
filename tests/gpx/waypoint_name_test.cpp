// A waypoint's name taken line by line: where its text begins and ends, and what lies outside it.
#include "gpx/waypoint_name.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace kelpway {
namespace {

struct Taken {
    std::string name;
    std::string before;  // of the last line given
    std::string after;
    bool done;
};

Taken take_lines(const std::vector<std::string_view>& lines) {
    WaypointName name;
    OutsideName outside;
    for (const std::string_view line : lines) outside = take_name(line, name);
    const bool done = name.stage == WaypointName::Stage::done;
    return {std::string(finish_name(name, nullptr)), std::string(outside.before), std::string(outside.after), done};
}

TEST(WaypointName, TakesTheTextOfTheFirstNameElement) {
    const struct {
        std::vector<std::string_view> lines;
        std::string name;
        std::string before;
        std::string after;
        bool done;
    } rows[] = {
        {{"<name>Buoy</name>\n"}, "Buoy", "", "</name>\n", true},
        {{"<ele>1</ele><name>A</name></wpt>"}, "A", "<ele>1</ele>", "</name></wpt>", true},
        {{"<ns:name>P</ns:name>"}, "P", "", "</ns:name>", true},
        {{"<named>x</named>\n"}, "", "<named>x</named>\n", "", false},
        {{"<name >x</name>\n"}, "", "<name >x</name>\n", "", false},  // not a whole tag
        {{"<name>\n", "  Buoy</name>"}, "Buoy", "", "</name>", true},
        {{"<name>EL A\r\n", "   Iso.8s</name>"}, "EL A Iso.8s", "", "</name>", true},
        {{"<name>A\n", "\n", "  \n", "B</name>"}, "A B", "", "</name>", true},
        {{"<name> Buoy </name>"}, " Buoy ", "", "</name>", true},
        {{"<name> <![CDATA[a<b]]></name>"}, "a<b", "", "</name>", true},
        {{"<name>\n", "\t<![CDATA[x\n", " y]]>z"}, "x y", "", "z", true},
        {{"<name><![CDATA[&amp;]]></name>"}, "&amp;", "", "</name>", true},
        {{"<name>&amp;&#x41;</name>"}, "&A", "", "</name>", true},
        {{"<name>open"}, "open", "", "", true},  // a piece without a line end ends the name
        {{"<name>A</name>", "<name>B</name>"}, "A", "<name>B</name>", "", true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.lines.front());
        const Taken taken = take_lines(row.lines);
        EXPECT_EQ(taken.name, row.name);
        EXPECT_EQ(taken.before, row.before);
        EXPECT_EQ(taken.after, row.after);
        EXPECT_EQ(taken.done, row.done);
    }
}

// Pieces are joined up to one line piece; what the cap cuts is gone.
TEST(WaypointName, KeepsAtMostOneLinePiece) {
    const std::string piece(700, 'n');
    const std::string line = piece + "\n";
    const Taken taken = take_lines({"<name>\n", line, line, "x</name>"});
    EXPECT_EQ(taken.name.size(), line_limit);
    EXPECT_EQ(taken.name, (piece + " " + piece).substr(0, line_limit));
}

}  // namespace
}  // namespace kelpway
