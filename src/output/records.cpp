// The records of the DRW line file and the MMK mark file.
#include "output/records.h"

#include <array>
#include <cstring>

#include "output/output_file.h"

namespace kelpway {

namespace {

// Room for ",lat,N,lon,E," plus the longest tail of either record.
constexpr std::size_t record_room = 96;

std::size_t put(char* record, std::size_t at, std::string_view text) {
    std::memcpy(record + at, text.data(), text.size());
    return at + text.size();
}

// A fixed-size copy (the texts are at most 16 bytes) spares a library call.
std::size_t put_coordinate(char* record, std::size_t at, const DegreesMinutes& value) {
    static_assert(sizeof value.text >= 16);
    std::memcpy(record + at, value.text.data(), 16);
    return at + value.size;
}

std::size_t put_position(char* record, const DegreesMinutes& latitude,
                         const DegreesMinutes& longitude) {
    std::size_t at = put(record, 0, ",");
    at = put_coordinate(record, at, latitude);
    at = put(record, at, latitude.negative ? ",S," : ",N,");
    at = put_coordinate(record, at, longitude);
    return put(record, at, longitude.negative ? ",W," : ",E,");
}

}  // namespace

void write_start_record(OutputFile& line_file) { put_text(line_file, "S\n"); }

void write_separator_record(OutputFile& line_file) { put_text(line_file, "J\n"); }

void write_end_record(OutputFile& line_file) { put_text(line_file, "E\n"); }

// Built in the output buffer itself: the record's LF is the only one it
// holds, and it goes out by the byte rule.
void write_point_record(OutputFile& line_file, int color, const DegreesMinutes& latitude,
                        const DegreesMinutes& longitude) {
    char* record = output_space(line_file, record_room);
    std::size_t at = put_position(record, latitude, longitude);
    const char color_field[] = {',', static_cast<char>('0' + color % 10)};
    at = put(record, at, {color_field, 2});
    at = put(record, at, ",,,,");
    at = put(record, at, output_line_end);
    output_advance(line_file, at);
}

void write_mark_record(OutputFile& mark_file, const DegreesMinutes& latitude,
                       const DegreesMinutes& longitude, std::string_view name) {
    std::array<char, record_room> record;
    std::size_t at = put_position(record.data(), latitude, longitude);
    at = put(record.data(), at, "26,,,,,,\"");
    put_text(mark_file, {record.data(), at});
    put_text(mark_file, name);
    put_text(mark_file, "\"\n");
}

}  // namespace kelpway
