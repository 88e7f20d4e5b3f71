// Record bytes, the CR LF rule and the frame of a conversion in memory.
#include "output/records.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "output/output_file.h"

namespace kelpway {
namespace {

DegreesMinutes text_of(std::string_view text, bool negative) {
    DegreesMinutes value{};
    std::copy(text.begin(), text.end(), value.text.begin());
    value.size = text.size();
    value.negative = negative;
    value.usable = true;
    return value;
}

TEST(Records, FollowTheirTemplatesWithCrLf) {
    auto line_file = std::make_unique<OutputFile>();
    auto mark_file = std::make_unique<OutputFile>();
    std::string drw, mmk;
    attach_output(*line_file, memory_sink(drw));
    attach_output(*mark_file, memory_sink(mmk));
    DegreesMinutes north = text_of("3540.874", false), east = text_of("13946.027", false);
    DegreesMinutes south = text_of("3352.000", true), west = text_of("15112.500", true);
    write_start_record(*line_file);
    write_point_record(*line_file, 7, north, east);
    write_separator_record(*line_file);
    write_point_record(*line_file, 7, south, west);
    write_end_record(*line_file);
    write_mark_record(*mark_file, north, east, "Buoy, \"red\"");
    write_mark_record(*mark_file, south, west, "");
    ASSERT_TRUE(finish_output(*line_file));
    ASSERT_TRUE(finish_output(*mark_file));
    EXPECT_EQ(drw,
              "S\r\n,3540.874,N,13946.027,E,,7,,,,\r\nJ\r\n"
              ",3352.000,S,15112.500,W,,7,,,,\r\nE\r\n");
    EXPECT_EQ(mmk,
              ",3540.874,N,13946.027,E,26,,,,,,\"Buoy, \"red\"\"\r\n"
              ",3352.000,S,15112.500,W,26,,,,,,\"\"\r\n");
}

}  // namespace
}  // namespace kelpway
