// What a line is to the scan and the readers, told by the first tag on it.
#include "gpx/line_kind.h"

#include <array>
#include <bit>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "gpx/line_text.h"
#include "gpx/readers.h"
#include "base/short_text.h"

namespace kelpway {
namespace {

// Whether a row's start tag, first on its line, starts an element: always,
// or only when routes are converted.
enum class Starts : std::uint8_t { never, always, with_routes };

// The only place that knows the tag names. A name's start and end tags
// give the two kinds; a row that starts elements names their reader.
struct TagRow {
    std::string_view name;
    LineKind start;
    LineKind end;
    Starts starts;
    Reader reader;
};

constexpr std::array<TagRow, 7> tag_table{{
    {"wpt", LineKind::waypoint, LineKind::waypoint_end, Starts::always, read_waypoint},
    {"trk", LineKind::track, LineKind::track_end, Starts::always, read_track},
    {"rte", LineKind::route, LineKind::route_end, Starts::with_routes, read_route},
    {"trkpt", LineKind::track_point, LineKind::other, Starts::never, nullptr},
    {"rtept", LineKind::route_point, LineKind::other, Starts::never, nullptr},
    {"trkseg", LineKind::segment, LineKind::segment_end, Starts::never, nullptr},
    {"name", LineKind::name, LineKind::other, Starts::never, nullptr},
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

LineClass kind_of_row(const TagRow* row, bool closing, bool first, std::size_t tag_end) {
    if (row == nullptr) return {LineKind::other, tag_end};
    if (closing) return {row->end, tag_end};
    // A reader line: its '<' comes first after the indentation.
    if (row->starts != Starts::never && !first) return {LineKind::other, tag_end};
    return {row->start, tag_end};
}

// A name of up to eight bytes as one word, its first byte lowest, as a
// little-endian load reads it.
constexpr std::uint64_t word_of(std::string_view name) {
    std::uint64_t word = 0;
    for (std::size_t i = name.size(); i-- > 0;) word = word << 8 | static_cast<unsigned char>(name[i]);
    return word;
}

using TagWords = std::array<std::uint64_t, tag_table.size()>;
constexpr TagWords words_of_rows() {
    TagWords words{};
    for (std::size_t i = 0; i < tag_table.size(); ++i) words[i] = word_of(tag_table[i].name);
    return words;
}
constexpr TagWords tag_words = words_of_rows();

// The row of the `length` bytes at `name`, `readable` of which may be read:
// as one word compared with the row its length and first letter pick.
const TagRow* row_at(const char* name, std::size_t length, std::size_t readable) {
    if (length == 0 || length > longest_name) return nullptr;
    if (std::endian::native != std::endian::little || readable < sizeof(std::uint64_t)) {
        return row_named({name, length});
    }
    std::uint64_t word;
    std::memcpy(&word, name, sizeof word);
    word &= ~std::uint64_t{0} >> (64 - 8 * length);
    const std::uint8_t index = tag_slots[length | static_cast<std::size_t>(name[0] & 0x1f) << 3];
    return index != empty_slot && tag_words[index] == word ? &tag_table[index] : nullptr;
}

// The tag after a line's first '<' wherever it stands, by tag_name's rules.
LineClass classify_by_tag_name(std::string_view line, bool first) {
    const std::string_view name = tag_name(line);
    const auto begin = static_cast<std::size_t>(name.data() - line.data());
    const bool closing = name.starts_with('/');
    const std::string_view local = local_name(name.substr(closing ? 1 : 0));
    return kind_of_row(row_named(local), closing, first, begin + name.size());
}

#if defined(__SSE2__)
// The tag of a line whose first byte after blanks and tabs, at `open`, is
// '<'. Its bytes, sixteen or eight at once, give the name's end and a
// prefix's colon without a loop whose exit the processor cannot foresee.
// The loads stay inside the line.
LineClass classify_tag(std::string_view line, std::size_t open) {
    const char* const tag = line.data() + open + 1;
    const std::size_t size = line.size() - open - 1;
    __m128i chunk;
    unsigned window = 16;
    if (size >= 16) {
        chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(tag));
    } else if (size >= 8) {
        chunk = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(tag));  // zeros above
        window = 8;
    } else {
        return classify_by_tag_name(line, true);
    }
    const auto is = [chunk](char c) { return _mm_cmpeq_epi8(chunk, _mm_set1_epi8(c)); };
    const auto bits = [](__m128i v) { return static_cast<unsigned>(_mm_movemask_epi8(v)); };
    const unsigned start = tag[0] == '/' ? 1 : 0;  // a closing tag
    const unsigned closers = bits(_mm_or_si128(_mm_or_si128(is('>'), is(' ')),
                                               _mm_or_si128(_mm_or_si128(is('\t'), is('\r')), is('\n'))));
    const unsigned stops = (closers & ((1u << window) - 1)) | (1u << window);
    const auto end = static_cast<unsigned>(std::countr_zero(stops));
    if (end == window && size > window) return classify_by_tag_name(line, true);  // a long name
    unsigned local = start;
    if (const unsigned colons = bits(is(':')) & ((1u << end) - 1); colons != 0) {
        const auto colon = static_cast<unsigned>(std::countr_zero(colons));
        const unsigned prefix = ((1u << colon) - 1) & ~((1u << start) - 1);
        if (colon > start && (bits(_mm_or_si128(is('<'), is('/'))) & prefix) == 0) local = colon + 1;
    }
    return kind_of_row(row_at(tag + local, end - local, size - local), start != 0, true, open + 1 + end);
}
#else
LineClass classify_tag(std::string_view line, std::size_t /*open*/) {
    return classify_by_tag_name(line, true);
}
#endif

// Whether a line of each kind starts an element, looked up once per line.
constexpr std::size_t kind_count = static_cast<std::size_t>(LineKind::name) + 1;
using KindStarts = std::array<Starts, kind_count>;

constexpr KindStarts element_starts_of_rows() {
    KindStarts starts{};
    for (const TagRow& row : tag_table) starts[static_cast<std::size_t>(row.start)] = row.starts;
    return starts;
}
constexpr KindStarts element_starts = element_starts_of_rows();

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

bool is_reader_line(const ScanState& state, LineKind kind) {
    const Starts starts = element_starts[static_cast<std::size_t>(kind)];
    return starts == Starts::always || (starts == Starts::with_routes && state.convert_routes);
}

LineClass classify(std::string_view line) {
    const std::size_t open = indentation(line);
    if (open < line.size() && line[open] == '<') return classify_tag(line, open);
    return classify_by_tag_name(line, false);  // text before the tag: no reader line
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
