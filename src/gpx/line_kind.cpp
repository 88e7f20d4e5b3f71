// What a line is to the scan and the readers, told by the first tag on it.
#include "gpx/line_kind.h"

#include <array>
#include <bit>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "gpx/line_text.h"
#include "gpx/readers.h"
#include "run/short_text.h"

namespace kelpway {
namespace {

// The only place that knows the tag names. A name's start and end tags
// give the two kinds; a row with a reader starts an element when it is
// first on its line, and a reader `on_request` does so only with --routes.
struct TagRow {
    std::string_view name;
    LineKind start;
    LineKind end;
    Reader reader;
    bool on_request;
};

constexpr std::array<TagRow, 7> tag_table{{
    {"wpt", LineKind::waypoint, LineKind::waypoint_end, read_waypoint, false},
    {"trk", LineKind::track, LineKind::track_end, read_track, false},
    {"rte", LineKind::route, LineKind::route_end, read_route, true},
    {"trkpt", LineKind::track_point, LineKind::other, nullptr, false},
    {"rtept", LineKind::route_point, LineKind::other, nullptr, false},
    {"trkseg", LineKind::segment, LineKind::segment_end, nullptr, false},
    {"name", LineKind::name, LineKind::other, nullptr, false},
}};

// Rows are found by length and first letter, one look-up and one compare
// per line; every row needs a slot of its own.
constexpr std::size_t longest_name = 7;
constexpr std::size_t slot_of(std::string_view name) {
    return name.size() | (static_cast<std::size_t>(name[0] & 0x1f) << 3);
}
constexpr std::uint8_t empty_slot = 0xff;
using TagSlots = std::array<std::uint8_t, 256>;

constexpr TagSlots slots_of_rows() {
    TagSlots slots{};
    slots.fill(empty_slot);
    for (std::size_t i = 0; i < tag_table.size(); ++i) {
        slots[slot_of(tag_table[i].name)] = static_cast<std::uint8_t>(i);
    }
    return slots;
}
constexpr TagSlots tag_slots = slots_of_rows();

constexpr bool every_row_found() {
    for (std::size_t i = 0; i < tag_table.size(); ++i) {
        const std::string_view name = tag_table[i].name;
        if (name.size() > longest_name || tag_slots[slot_of(name)] != i) return false;
    }
    return true;
}
static_assert(every_row_found(), "tag names must be short and differ in length or first letter");

const TagRow* row_named(std::string_view name) {
    if (name.empty() || name.size() > longest_name) return nullptr;
    const std::uint8_t index = tag_slots[slot_of(name)];
    if (index == empty_slot) return nullptr;
    const TagRow& row = tag_table[index];
    return row.name.size() == name.size() && same_bytes(row.name.data(), name.data(), name.size())
               ? &row
               : nullptr;
}

// "ns2:trkpt" compares as "trkpt"; a prefix is one or more bytes other than
// ':', '<', '>', '/' and white space (tag names hold neither '>' nor white space).
std::string_view local_name(std::string_view name) {
    for (std::size_t i = 0; i < name.size(); ++i) {
        const char c = name[i];
        if (c == ':') return i > 0 ? name.substr(i + 1) : name;
        if (c == '<' || c == '/') return name;
    }
    return name;
}

struct KindName {
    std::string_view name;
    bool closing;
};

constexpr KindName name_of(LineKind kind) {
    for (const TagRow& row : tag_table) {
        if (row.start == kind) return {row.name, false};
        if (row.end == kind) return {row.name, true};
    }
    return {{}, false};
}

LineClass kind_of(std::string_view local, bool closing, bool first, std::size_t tag_end) {
    const TagRow* row = row_named(local);
    if (row == nullptr) return {LineKind::other, tag_end};
    if (closing) return {row->end, tag_end};
    // A reader line: its '<' comes first after the indentation.
    if (row->reader != nullptr && !first) return {LineKind::other, tag_end};
    return {row->start, tag_end};
}

// Where a tag name that starts at `name`, with `size` bytes left in its line,
// ends, and where its local part starts: after "prefix:" when it has one.
struct NameSpan {
    std::size_t local;
    std::size_t end;
};

NameSpan scan_name_bytes(const char* name, std::size_t size) {
    std::size_t end = 0;
    while (end < size && !ends_tag_name(name[end])) ++end;
    const std::string_view whole{name, end};
    return {end - local_name(whole).size(), end};
}

#if defined(__SSE2__)
// Names are short: their bytes classified at once, sixteen or eight, give the
// end and a prefix's colon without a loop whose exit the processor cannot
// foresee. The loads stay inside the line.
NameSpan scan_name(const char* name, std::size_t size) {
    __m128i chunk;
    std::size_t window = 16;
    if (size >= 16) {
        chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(name));
    } else if (size >= 8) {
        chunk = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(name));  // zeros above
        window = 8;
    } else {
        return scan_name_bytes(name, size);
    }
    const auto is = [chunk](char c) { return _mm_cmpeq_epi8(chunk, _mm_set1_epi8(c)); };
    const __m128i closers = _mm_or_si128(_mm_or_si128(is('>'), is(' ')),
                                         _mm_or_si128(_mm_or_si128(is('\t'), is('\r')), is('\n')));
    const unsigned stop = (static_cast<unsigned>(_mm_movemask_epi8(closers)) & ((1u << window) - 1)) |
                          (1u << window);
    const auto end = static_cast<std::size_t>(std::countr_zero(stop));
    if (end == window && size > window) return scan_name_bytes(name, size);  // a long name
    const unsigned within = (1u << end) - 1;
    const unsigned colons = static_cast<unsigned>(_mm_movemask_epi8(is(':'))) & within;
    if (colons == 0) return {0, end};
    const auto colon = static_cast<unsigned>(std::countr_zero(colons));
    const unsigned not_prefix = static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(is('<'), is('/'))));
    if (colon == 0 || (not_prefix & ((1u << colon) - 1)) != 0) return {0, end};
    return {colon + 1, end};
}
#else
NameSpan scan_name(const char* name, std::size_t size) { return scan_name_bytes(name, size); }
#endif

constexpr const TagRow* row_starting(LineKind kind) {
    for (const TagRow& row : tag_table) {
        if (row.start == kind) return &row;
    }
    return nullptr;
}

}  // namespace

Reader reader_for(LineKind kind) {
    const TagRow* row = row_starting(kind);
    return row != nullptr ? row->reader : nullptr;
}

bool is_reader_line(const ConversionState& state, LineKind kind) {
    const TagRow* row = row_starting(kind);
    return row != nullptr && row->reader != nullptr && (!row->on_request || state.convert_routes);
}

LineClass classify(std::string_view line) {
    const std::size_t open = indentation(line);
    if (open >= line.size() || line[open] != '<') {
        // Text before the tag: tag_name finds its '<' wherever it stands; no reader line.
        const std::string_view name = tag_name(line);
        const auto begin = static_cast<std::size_t>(name.data() - line.data());
        const bool closing = name.starts_with('/');
        const std::string_view local = local_name(name.substr(closing ? 1 : 0));
        return kind_of(local, closing, false, begin + name.size());
    }
    std::size_t at = open + 1;
    const bool closing = at < line.size() && line[at] == '/';
    if (closing) ++at;
    const NameSpan name = scan_name(line.data() + at, line.size() - at);
    return kind_of({line.data() + at + name.local, name.end - name.local}, closing, true, at + name.end);
}

TagSpan find_tag(std::string_view text, LineKind kind) {
    const KindName wanted = name_of(kind);
    for (std::size_t at = text.find('<'); at != std::string_view::npos; at = text.find('<', at + 1)) {
        std::size_t from = at + 1;
        if (wanted.closing) {
            if (from >= text.size() || text[from] != '/') continue;
            ++from;
        }
        std::size_t end = from;
        while (end < text.size() && !ends_tag_name(text[end])) ++end;
        if (end == text.size() || text[end] != '>') continue;
        if (local_name(text.substr(from, end - from)) == wanted.name) return {at, end + 1};
    }
    return {no_tag, no_tag};
}

}  // namespace kelpway
