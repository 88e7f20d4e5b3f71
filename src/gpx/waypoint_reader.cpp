// A waypoint element becomes one mark record in the MMK file.
#include <array>
#include <cstring>

#include "gpx/line_text.h"
#include "gpx/position.h"
#include "gpx/readers.h"
#include "output/records.h"
#include "run/line_reader.h"

namespace kelpway {

namespace {

constexpr std::string_view end_tag = "</wpt>";
constexpr std::string_view name_tag = "<name>";
constexpr std::string_view cdata_start = "<![CDATA[";

struct NameText {
    std::array<char, line_size> bytes;
    std::size_t size;
};

std::string_view without_line_end(std::string_view text) {
    if (!text.empty() && text.back() == '\n') text.remove_suffix(1);
    if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
    return text;
}

// Copies the name that follows the first <name> in `text`, up to the next
// '<' (a CDATA section up to its "]]>"), or up to the line end.
bool take_name(std::string_view text, NameText& name) {
    std::size_t at = text.find(name_tag);
    if (at == std::string_view::npos) return false;
    std::string_view rest = text.substr(at + name_tag.size());
    if (rest.starts_with(cdata_start)) {
        rest.remove_prefix(cdata_start.size());
        std::size_t end = rest.find("]]>");
        rest = end == std::string_view::npos ? without_line_end(rest) : rest.substr(0, end);
    } else {
        // The element text runs to the line's end when no tag follows.
        rest = element_text(text.substr(at));
        if (rest.data() + rest.size() == text.data() + text.size()) rest = without_line_end(rest);
    }
    std::memcpy(name.bytes.data(), rest.data(), rest.size());
    name.size = rest.size();
    return true;
}

}  // namespace

bool read_waypoint(ConversionState& state) {
    Position position;
    bool placed = read_position(state.line, position);
    NameText name{};
    bool named = false;
    bool ended = closes_empty_tag(state.line);
    std::size_t first_close = state.line.find('>');
    if (!ended && first_close != std::string_view::npos) {
        named = take_name(state.line.substr(first_close + 1), name);
    }
    ended = ended || state.line.find(end_tag) != std::string_view::npos;
    bool line_left = false;
    while (!ended && next_line(state)) {
        if (is_reader_line(state.line)) {
            line_left = true;  // the element was never closed; the next one starts here
            break;
        }
        if (!named) named = take_name(state.line, name);
        ended = state.line.find(end_tag) != std::string_view::npos;
    }
    if (placed) {
        write_mark_record(state, position.latitude, position.longitude, {name.bytes.data(), name.size});
        ++state.point_count;
    } else {
        ++state.skipped_count;
    }
    return line_left;
}

}  // namespace kelpway
