// The records of DRW line files and MMK mark files read back.
#include "output/record_reading.h"

#include <array>
#include <cstddef>

namespace kelpway {

namespace {

constexpr std::size_t point_fields = 11;
constexpr std::size_t mark_fields = 12;

// The line's fields, at most `most`, the last of them running to the line's
// end; how many there are.
using Fields = std::array<std::string_view, mark_fields>;

std::size_t split_fields(std::string_view line, Fields& fields, std::size_t most) {
    std::size_t count = 0;
    std::size_t begin = 0;
    for (std::size_t at = 0; at < line.size() && count + 1 < most; ++at) {
        if (line[at] != ',') continue;
        fields[count++] = line.substr(begin, at - begin);
        begin = at + 1;
    }
    fields[count++] = line.substr(begin);
    return count;
}

// Fields 2 to 5: latitude, N or S, longitude, E or W.
bool read_position(const Fields& fields, ReadRecord& record) {
    const std::string_view north_south = fields[2];
    const std::string_view east_west = fields[4];
    if ((north_south != "N" && north_south != "S") || (east_west != "E" && east_west != "W")) return false;
    return decimal_degrees_of(fields[1], north_south == "S", record.latitude) &&
           decimal_degrees_of(fields[3], east_west == "W", record.longitude);
}

int color_of(std::string_view field) {
    return field.size() == 1 && field[0] >= '1' && field[0] <= '7' ? field[0] - '0' : 0;
}

std::string_view name_of(std::string_view field) {
    if (!field.starts_with('"')) return field;
    const std::size_t last = field.rfind('"');
    return last == 0 ? field.substr(1) : field.substr(1, last - 1);
}

}  // namespace

void read_line_record(std::string_view line, ReadRecord& record) {
    record.kind = RecordKind::none;
    if (line.size() == 1) {
        if (line[0] == 'S') record.kind = RecordKind::start;
        if (line[0] == 'J') record.kind = RecordKind::separator;
        if (line[0] == 'E') record.kind = RecordKind::end;
        return;
    }
    Fields fields;
    if (split_fields(line, fields, mark_fields) != point_fields || !read_position(fields, record)) return;
    record.color = color_of(fields[6]);
    record.kind = RecordKind::point;
}

void read_mark_record(std::string_view line, ReadRecord& record) {
    record.kind = RecordKind::none;
    Fields fields;
    if (split_fields(line, fields, mark_fields) != mark_fields || !read_position(fields, record)) return;
    record.name = name_of(fields[11]);
    record.kind = RecordKind::mark;
}

}  // namespace kelpway
