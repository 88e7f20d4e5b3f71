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

// The tag after a line's first '<' wherever it stands, by tag_name's rules.
LineClass classify_by_tag_name(std::string_view line, bool first) {
    const std::string_view name = tag_name(line);
    const auto begin = static_cast<std::size_t>(name.data() - line.data());
    const bool closing = name.starts_with('/');
    const std::string_view local = local_name(name.substr(closing ? 1 : 0));
    return kind_of_row(row_named(local), closing, first, begin + name.size());
}

// Per slot (a name's length and first letter, as the rows are found): the
// row's name as a word and the kinds its start and end tags give. An empty
// slot's word is 0, which only a name of NULs matches; its kinds are zero,
// which is other.
struct SlotKinds {
    std::array<std::uint64_t, 256> words{};
    std::array<LineKind, 256> starts{};
    std::array<LineKind, 256> ends{};
};

constexpr SlotKinds slot_kinds_of_rows() {
    SlotKinds slots;
    for (const TagRow& row : tag_table) {
        const std::size_t slot = slot_of(row.name);
        slots.words[slot] = word_of(row.name);
        slots.starts[slot] = row.start;
        slots.ends[slot] = row.end;
    }
    return slots;
}
constexpr SlotKinds slot_kinds = slot_kinds_of_rows();
static_assert(LineKind{} == LineKind::other);

#if defined(__SSE2__)
__extension__ typedef unsigned __int128 Wide;

// The tag of a line whose first byte after blanks and tabs, at `open`, is
// '<'. Its bytes, sixteen or eight at once, give the name's end and a
// prefix's colon without a loop whose exit the processor cannot foresee;
// the name, as one word, then needs one look-up. The loads stay inside the line.
LineClass classify_tag(std::string_view line, std::size_t open) {
    const char* const tag = line.data() + open + 1;
    const std::size_t size = line.size() - open - 1;
    __m128i chunk;
    unsigned window = 16;
    if (std::endian::native != std::endian::little || size < 8) {
        return classify_by_tag_name(line, true);
    } else if (size >= 16) {
        chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(tag));
    } else {
        chunk = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(tag));  // zeros above
        window = 8;
    }
    const auto is = [chunk](char c) { return _mm_cmpeq_epi8(chunk, _mm_set1_epi8(c)); };
    const auto bits = [](__m128i v) { return static_cast<unsigned>(_mm_movemask_epi8(v)); };
    const unsigned closing = tag[0] == '/' ? 1 : 0;
    const unsigned closers = bits(_mm_or_si128(_mm_or_si128(is('>'), is(' ')),
                                               _mm_or_si128(_mm_or_si128(is('\t'), is('\r')), is('\n'))));
    const unsigned stops = (closers & ((1u << window) - 1)) | (1u << window);
    const auto end = static_cast<unsigned>(std::countr_zero(stops));
    if (end == window && size > window) return classify_by_tag_name(line, true);  // a long name
    unsigned local = closing;
    if (const unsigned colons = bits(is(':')) & ((1u << end) - 1); colons != 0) {
        const auto colon = static_cast<unsigned>(std::countr_zero(colons));
        const unsigned prefix = ((1u << colon) - 1) & ~((1u << closing) - 1);
        if (colon > closing && (bits(_mm_or_si128(is('<'), is('/'))) & prefix) == 0) local = colon + 1;
    }
    const std::size_t tag_end = open + 1 + end;
    const unsigned length = end - local;
    if (length - 1 >= longest_name) return {LineKind::other, tag_end};  // no row's length
    // The name's bytes, taken from the chunk: no load may pass the line's end.
    const Wide bytes = static_cast<std::uint64_t>(_mm_cvtsi128_si64(chunk)) |
                       Wide{static_cast<std::uint64_t>(_mm_cvtsi128_si64(_mm_unpackhi_epi64(chunk, chunk)))} << 64;
    const std::uint64_t word = static_cast<std::uint64_t>(bytes >> (8 * local)) & (~std::uint64_t{0} >> (64 - 8 * length));
    const std::size_t slot = length | static_cast<std::size_t>(tag[local] & 0x1f) << 3;
    if (slot_kinds.words[slot] != word) return {LineKind::other, tag_end};
    return {closing != 0 ? slot_kinds.ends[slot] : slot_kinds.starts[slot], tag_end};
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

// The indentation of a line, from its first sixteen bytes where they tell.
std::size_t line_indentation(std::string_view line) {
#if defined(__SSE2__)
    if (line.size() >= 16) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(line.data()));
        const __m128i blank = _mm_or_si128(_mm_cmpeq_epi8(chunk, _mm_set1_epi8(' ')),
                                           _mm_cmpeq_epi8(chunk, _mm_set1_epi8('\t')));
        const unsigned others = ~static_cast<unsigned>(_mm_movemask_epi8(blank)) & 0xffffu;
        if (others != 0) return static_cast<std::size_t>(std::countr_zero(others));
    }
#endif
    return indentation(line);
}

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
    const std::size_t open = line_indentation(line);
    if (open < line.size() && line[open] == '<') return classify_tag(line, open);
    return classify_by_tag_name(line, false);  // text before the tag: no reader line
}

#if defined(__SSE2__)
namespace {

// The line's first sixteen bytes, zeros past a shorter line of eight or
// more, loaded without reading past its end.
__m128i line_head(std::string_view line) {
    if (line.size() >= 16) return _mm_loadu_si128(reinterpret_cast<const __m128i*>(line.data()));
    std::uint64_t low;
    std::uint64_t high;
    std::memcpy(&low, line.data(), sizeof low);
    std::memcpy(&high, line.data() + line.size() - sizeof high, sizeof high);
    const std::size_t beyond = 16 - line.size();  // bytes of the last word the first already holds
    high = beyond == 8 ? 0 : high >> (8 * beyond);
    return _mm_set_epi64x(static_cast<long long>(high), static_cast<long long>(low));
}

}  // namespace

// A line that repeats a head seen before takes its class without the
// classification's chain of dependent steps.
LineClass classify_input_line(ScanState& state) {
    const std::string_view line = state.input.line;
    if (line.size() < 8) return classify(line);
    LineMemo& memo = state.line_memo;
    const __m128i head = line_head(line);
    for (const LineMemo::Head& seen : memo.heads) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(seen.bytes.data()));
        const auto same = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(head, bytes)));
        if (seen.deciding != 0 && (same & seen.deciding) == seen.deciding) return seen.found;
    }
    const std::size_t open = line_indentation(line);
    if (open >= line.size() || line[open] != '<') return classify_by_tag_name(line, false);
    const LineClass found = classify_tag(line, open);
    // Then the bytes up to the name's end decide, with it when it lies in
    // the head. (Text before the first '<' would not: a '<' further on could
    // change the class.)
    if (found.tag_end < line.size() && found.tag_end < 16) {
        LineMemo::Head& slot = memo.heads[memo.next];
        memo.next = (memo.next + 1) % static_cast<unsigned>(memo.heads.size());
        _mm_storeu_si128(reinterpret_cast<__m128i*>(slot.bytes.data()), head);
        slot.deciding = (2u << found.tag_end) - 1;
        slot.found = found;
    }
    return found;
}
#else
LineClass classify_input_line(ScanState& state) { return classify(state.input.line); }
#endif

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
