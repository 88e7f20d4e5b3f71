// The GPX file of a DRW and MMK pair.
#include "run/gpx_writer.h"

#include <array>
#include <charconv>
#include <cstring>

#include "run/gpx_name.h"

namespace kelpway {

namespace {

// The program's own extensions (the track colour); no schema stands behind
// it, so it names no place to fetch one from.
constexpr std::string_view kelpway_namespace = "urn:kelpway:gpx:1";

// Room for a track point's two lines: tags and two coordinates of at most 24 bytes.
constexpr std::size_t point_room = 128;

std::size_t put(char* out, std::size_t at, std::string_view text) {
    std::memcpy(out + at, text.data(), text.size());
    return at + text.size();
}

// ` lat="..." lon="..."`, in place.
std::size_t put_position(char* out, std::size_t at, const DecimalDegrees& latitude,
                         const DecimalDegrees& longitude) {
    at = put(out, at, " lat=\"");
    at = put(out, at, latitude.view());
    at = put(out, at, "\" lon=\"");
    at = put(out, at, longitude.view());
    return put(out, at, "\">\n");
}

}  // namespace

void write_gpx_start(OutputFile& gpx) {
    put_bytes(gpx,
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
              "<gpx version=\"1.1\" creator=\"kelpway " KELPWAY_VERSION "\""
              " xmlns=\"http://www.topografix.com/GPX/1/1\""
              " xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\""
              " xsi:schemaLocation=\"http://www.topografix.com/GPX/1/1 http://www.topografix.com/GPX/1/1/gpx.xsd\""
              " xmlns:kelpway=\"");
    put_bytes(gpx, kelpway_namespace);
    put_bytes(gpx, "\">\n");
}

void write_gpx_end(OutputFile& gpx) { put_bytes(gpx, "</gpx>\n"); }

NameReplacements write_waypoint(OutputFile& gpx, const DecimalDegrees& latitude,
                                const DecimalDegrees& longitude, std::string_view name) {
    char* const out = output_space(gpx, point_room);
    output_advance(gpx, put_position(out, put(out, 0, "  <wpt"), latitude, longitude));
    const NameReplacements replaced = put_name_element(gpx, "    ", name);
    put_bytes(gpx, "  </wpt>\n");
    return replaced;
}

void write_track_start(OutputFile& gpx, std::int64_t number, int color) {
    std::array<char, 24> digits;
    const char* const end = std::to_chars(digits.data(), digits.data() + digits.size(), number).ptr;
    put_bytes(gpx, "  <trk>\n    <name>Track ");
    put_bytes(gpx, {digits.data(), static_cast<std::size_t>(end - digits.data())});
    put_bytes(gpx, "</name>\n");
    if (color != 0) {
        const char color_digit[] = {static_cast<char>('0' + color % 10)};
        put_bytes(gpx, "    <extensions>\n      <kelpway:color>");
        put_bytes(gpx, {color_digit, 1});
        put_bytes(gpx, "</kelpway:color>\n    </extensions>\n");
    }
    put_bytes(gpx, "    <trkseg>\n");
}

// Built in the output buffer itself, as the DRW records are: most of a large GPX is these lines.
void write_track_point(OutputFile& gpx, const DecimalDegrees& latitude, const DecimalDegrees& longitude) {
    char* const out = output_space(gpx, point_room);
    std::size_t at = put_position(out, put(out, 0, "      <trkpt"), latitude, longitude);
    at = put(out, at, "      </trkpt>\n");
    output_advance(gpx, at);
}

void write_track_end(OutputFile& gpx) { put_bytes(gpx, "    </trkseg>\n  </trk>\n"); }

}  // namespace kelpway
