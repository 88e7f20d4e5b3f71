// The records of DRW line files and MMK mark files read back.
#pragma once

#include <cstdint>
#include <string_view>

#include "output/degrees_reading.h"

namespace kelpway {

enum class RecordKind : std::uint8_t { none, start, separator, end, point, mark };

struct ReadRecord {
    RecordKind kind = RecordKind::none;
    DecimalDegrees latitude;
    DecimalDegrees longitude;
    int color = 0;          // a point's, 1 to 7; 0 when its field holds anything else
    std::string_view name;  // a mark's, pointing into the line
};

// A line of a DRW file without its line end: "S", "J", "E", or a point of
// exactly eleven fields, its position in fields 2 to 5 and its colour in
// field 7; the other fields may hold anything. Anything else is none.
void read_line_record(std::string_view line, ReadRecord& record);

// A line of an MMK file without its line end: a mark of twelve fields or
// more, its position in fields 2 to 5 and its name in field 12, which runs
// to the line's end: the text between its opening quote and the line's last
// quote (or the line's end, when no other quote follows), or the field as it
// stands when it does not open with a quote. Fields 6 to 11 may hold
// anything. Anything else is none.
void read_mark_record(std::string_view line, ReadRecord& record);

}  // namespace kelpway
