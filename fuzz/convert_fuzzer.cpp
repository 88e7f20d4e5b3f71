// libFuzzer target: a whole conversion in memory, with the shape of both outputs checked after every run.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/comment_filter.h"
#include "base/line_end.h"
#include "base/line_reader.h"
#include "gpx/usual_attributes.h"
#include "gpx/classify_sse.h"
#include "gpx/line_kind.h"
#include "gpx/line_memo.h"
#include "gpx/line_text.h"
#include "gpx/scan.h"
#include "gpx/scan_state.h"
#include "output/degrees.h"
#include "output/degrees_decimal.h"
#include "run/pair_conversion.h"

namespace {

using kelpway::ScanState;

[[noreturn]] void fail(const char* what, std::string_view record) {
    std::fprintf(stderr, "invariant failed: %s\nrecord: [%.*s]\n", what,
                 static_cast<int>(record.size() < 300 ? record.size() : 300), record.data());
    std::abort();
}

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// "%d%02d.%03d" of a magnitude below 2^31 degrees (a rounding carry may reach 2^31 itself):
// degrees without leading zeros, minutes 00 to 59, three decimals.
bool is_degrees_minutes(std::string_view text) {
    std::size_t point = text.find('.');
    if (point == std::string_view::npos || point < 3 || point > 12) return false;
    if (text.size() != point + 4) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (i != point && !is_digit(text[i])) return false;
    }
    if (point > 3 && text[0] == '0') return false;
    return text[point - 2] <= '5';
}

// Takes `prefix` off the front of `text`.
bool take(std::string_view& text, std::string_view prefix) {
    if (!text.starts_with(prefix)) return false;
    text.remove_prefix(prefix.size());
    return true;
}

// Takes the text up to the next comma and the comma.
bool take_field(std::string_view& text, std::string_view& field) {
    std::size_t comma = text.find(',');
    if (comma == std::string_view::npos) return false;
    field = text.substr(0, comma);
    text.remove_prefix(comma + 1);
    return true;
}

// ",lat,N|S,lon,E|W," shared by both record kinds.
bool take_position(std::string_view& text) {
    std::string_view latitude;
    std::string_view longitude;
    std::string_view north_south;
    std::string_view east_west;
    return take(text, ",") && take_field(text, latitude) && is_degrees_minutes(latitude) &&
           take_field(text, north_south) && (north_south == "N" || north_south == "S") &&
           take_field(text, longitude) && is_degrees_minutes(longitude) &&
           take_field(text, east_west) && (east_west == "E" || east_west == "W");
}

// Every LF is the end of a CR LF pair.
void check_line_ends(std::string_view output, const char* what) {
    for (std::size_t at = output.find('\n'); at != std::string_view::npos;
         at = output.find('\n', at + 1)) {
        if (at == 0 || output[at - 1] != '\r') fail(what, output.substr(at < 40 ? 0 : at - 40, 80));
    }
}

// Cuts `output` into records without their CR LF; every byte belongs to one.
template <typename Visit>
void for_each_record(std::string_view output, Visit visit) {
    while (!output.empty()) {
        std::size_t lf = output.find('\n');
        if (lf == std::string_view::npos) fail("output does not end with CR LF", output);
        visit(output.substr(0, lf - 1));
        output.remove_prefix(lf + 1);
    }
}

void check_drw(std::string_view drw, int color, std::int64_t line_count) {
    check_line_ends(drw, "DRW: LF without CR");
    if (!drw.starts_with("S\r\n")) fail("DRW does not start with S", drw);
    if (!drw.ends_with("E\r\n")) fail("DRW does not end with E", drw);
    drw = drw.substr(3, drw.size() - 6);
    const std::string color_tail = "," + std::to_string(color) + ",,,,";
    std::int64_t points = 0;
    for_each_record(drw, [&](std::string_view record) {
        if (record == "J") {
            if (points == 0) fail("DRW separator before the first point", record);
            return;
        }
        std::string_view rest = record;
        if (!take_position(rest) || rest != color_tail) fail("DRW point record malformed", record);
        ++points;
    });
    if (points != line_count) fail("DRW point records differ from line_count", drw);
}

void check_mmk(std::string_view mmk, std::int64_t point_count) {
    check_line_ends(mmk, "MMK: LF without CR");
    std::int64_t marks = 0;
    for_each_record(mmk, [&](std::string_view record) {
        std::string_view rest = record;
        // The name is any bytes but line ends (pieces of several lines are joined with blanks)
        // and at most one line piece long.
        if (!take_position(rest) || !take(rest, "26,,,,,,\"") || !rest.ends_with('"') ||
            rest.size() - 1 > kelpway::line_limit || rest.find('\r') != std::string_view::npos) {
            fail("MMK mark record malformed", record);
        }
        ++marks;
    });
    if (marks != point_count) fail("MMK records differ from point_count", mmk);
}

// A state as fresh as a new one, in memory kept from input to input: large states allocated anew
// for every input would take most of the fuzzer's time.
// Its buffers keep the last input's bytes, which no state reads before it writes them.
template <class State>
State& fresh(std::unique_ptr<State>& kept) {
    if (!kept) return *(kept = std::make_unique<State>());
    std::destroy_at(kept.get());
    ::new (static_cast<void*>(kept.get())) State;
    return *kept;
}

// A whole conversion in a state of its own.
struct Converted {
    std::string drw;
    std::string mmk;
    std::array<std::int64_t, 4> counts;  // marks, points, skipped, passed over
    bool operator==(const Converted&) const = default;
};

Converted convert(std::string_view gpx, int color, bool routes) {
    static std::unique_ptr<ScanState> kept;
    ScanState* const state = &fresh(kept);
    state->color = color;
    state->convert_routes = routes;
    Converted out;
    if (!kelpway::convert_text(*state, gpx, out.drw, out.mmk)) fail("a conversion in memory did not succeed", gpx.substr(0, 200));
    out.counts = {state->point_count, state->line_count, state->skipped_count, state->passed_over_count};
    return out;
}

// The text as the reader sees it: its comments cut out.
std::string without_comments(std::string_view gpx) {
    std::string text(gpx);
    kelpway::CommentFilter filter;
    text.resize(kelpway::take_out_comments(filter, text, true));
    return text;
}

bool same(const std::optional<std::string_view>& a, const std::optional<std::string_view>& b) {
    return a.has_value() == b.has_value() && (!a || (a->data() == b->data() && a->size() == b->size()));
}

// Every faster form on one line gives what its reference gives.
void check_line_forms(kelpway::LineMemo& memo, std::string_view line) {
    const kelpway::LineClass expected = kelpway::classify(line);
    const kelpway::LineClass remembered = kelpway::classify_remembered(memo, line);
    if (remembered.kind != expected.kind || remembered.tag_end != expected.tag_end) fail("the memo gives another class", line);
    const std::size_t open = kelpway::indentation(line);
    if (open < line.size() && line[open] == '<') {
        const kelpway::LineClass read = kelpway::classify_sse(line, open);
        if (read.kind != expected.kind || read.tag_end != expected.tag_end) fail("the SSE reading gives another class", line);
    }
    const std::optional<std::string_view> latitude = kelpway::attribute_text(line, "lat=");
    const std::optional<std::string_view> longitude = kelpway::attribute_text(line, "lon=");
    for (const std::size_t name_end : {expected.tag_end, std::size_t{0}}) {
        const kelpway::AttributeTexts read = kelpway::attribute_texts_usual(line, name_end, "lat=", "lon=");
        if (!same(read.first, latitude) || !same(read.second, longitude)) fail("the usual layout reads otherwise", line);
    }
    for (const std::optional<std::string_view>& value : {latitude, longitude}) {
        if (!value) continue;
        kelpway::DegreesMinutes decimal;
        kelpway::degrees_minutes_text_decimal(*value, decimal);
        const kelpway::DegreesMinutes expected_text = kelpway::degrees_minutes_text(*value);
        if (decimal.view() != expected_text.view() || decimal.negative != expected_text.negative ||
            decimal.usable != expected_text.usable) {
            fail("the decimal route gives another degrees text", *value);
        }
    }
}

// The lines of the text cut by the byte-by-byte rule from its comment-free bytes, all held at once.
std::vector<std::string> reference_lines(std::string_view gpx) {
    static std::unique_ptr<kelpway::LineReader> kept;
    kelpway::LineReader* const input = &fresh(kept);
    const std::string plain = without_comments(gpx);
    if (plain.size() > kelpway::input_block_size) return {};  // a seed too large to hold at once
    std::copy(plain.begin(), plain.end(), input->block.begin());
    input->end = plain.size();
    input->filtering = true;
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < plain.size();) {
        const std::size_t limit = start + std::min(plain.size() - start, kelpway::line_limit);
        std::size_t text_end = std::string_view::npos;
        const std::size_t end = kelpway::line_end(*input, start, limit, text_end);
        lines.emplace_back(plain.substr(start, std::min(end, text_end) - start));
        start = end;
    }
    return lines;
}

// The reader's lines are the reference's; each record comes from a line of its own, so the
// counts cannot pass the lines read.
void check_lines(std::string_view gpx, const Converted& converted, bool routes) {
    const std::int64_t counted = converted.counts[0] + converted.counts[1] + converted.counts[2] + converted.counts[3];
    if (routes && converted.counts[3] != 0) fail("route points passed over with --routes", "");
    const std::vector<std::string> expected = reference_lines(gpx);
    const bool compare = !expected.empty() || gpx.empty();
    static std::unique_ptr<ScanState> kept;
    ScanState* const state = &fresh(kept);
    kelpway::MemoryText text{gpx};
    kelpway::attach_input(state->input, kelpway::memory_source(text));
    std::size_t lines = 0;
    while (kelpway::next_line(state->input)) {
        const std::string_view line = state->input.line;
        if (compare && (lines >= expected.size() || line != expected[lines])) fail("the reader cuts another line", line);
        ++lines;
        check_line_forms(state->line_memo, line);
    }
    if (compare && lines != expected.size()) fail("the reader ends early", gpx.substr(0, 200));
    if (counted > static_cast<std::int64_t>(lines)) fail("more points counted than lines read", gpx.substr(0, 200));
}

// The text with every LF that follows no CR turned into a CR: a lone CR ends a line as LF does.
std::string with_cr_line_ends(std::string_view gpx) {
    std::string changed(gpx);
    for (std::size_t i = 0; i < gpx.size(); ++i) {
        if (gpx[i] == '\n' && (i == 0 || gpx[i - 1] != '\r')) changed[i] = '\r';
    }
    return changed;
}

// Names the GPX reading takes back whole: with markup as references on the line of its tags, or
// without '>' (so nothing ends a CDATA section or a line early) in a CDATA section there.
bool names_fit_a_line(std::string_view mmk) {
    for (std::size_t at = 0; at < mmk.size();) {
        std::size_t end = mmk.find('\n', at);
        if (end == std::string_view::npos) end = mmk.size();
        const std::string_view record = mmk.substr(at, end - at);
        const std::size_t open = record.find('"');
        const std::string_view name = record.substr(open == std::string_view::npos ? record.size() : open);
        std::size_t size = 0;
        for (const char c : name) size += c == '&' ? 5 : c == '<' || c == '>' ? 4 : 1;
        if (size > 900 && (name.size() > 1000 || name.find('>') != std::string_view::npos)) return false;
        at = end + 1;
    }
    return true;
}

// The pair back into GPX, and that GPX converted again in the same colour, give the same pair,
// wherever every name is UTF-8 text and fits a line.
void check_round_trip(const Converted& converted, int color) {
    static std::unique_ptr<kelpway::PairState> kept;
    kelpway::PairState* const pair = &fresh(kept);
    std::string gpx;
    if (kelpway::convert_pair_text(*pair, converted.drw, converted.mmk, gpx) != kelpway::PairOutcome::converted) {
        fail("a pair in memory did not convert back", converted.drw.substr(0, 200));
    }
    if (pair->counts.skipped != 0) fail("a record kelpway wrote was not read back", converted.mmk.substr(0, 200));
    if (pair->counts.replaced != 0 || pair->counts.replaced_characters != 0 || !names_fit_a_line(converted.mmk)) return;
    const Converted again = convert(gpx, color, false);
    if (again.drw != converted.drw || again.mmk != converted.mmk) fail("the round trip changed the pair", gpx.substr(0, 300));
}

// An "&amp;" can only stay in a name from a CDATA section or where a reference to '&' stood before "amp;".
void check_references(std::string_view plain, std::string_view mmk) {
    if (plain.find("CDATA[") != std::string_view::npos) return;
    for (const std::string_view ampersand : {"amp;amp;", "38;amp;", "26;amp;"}) {
        if (plain.find(ampersand) != std::string_view::npos) return;
    }
    if (mmk.find("&amp;") != std::string_view::npos) fail("a name holds an undecoded &amp;", mmk.substr(0, 200));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The first byte also stays part of the text, so plain GPX files serve as seeds.
    const int color = size > 0 ? 1 + data[0] % 7 : 2;
    const bool routes = size > 0 && (data[0] & 0x80) != 0;
    std::string_view gpx;
    if (size > 0) gpx = {reinterpret_cast<const char*>(data), size};
    const Converted converted = convert(gpx, color, routes);
    check_drw(converted.drw, color, converted.counts[1]);
    check_mmk(converted.mmk, converted.counts[0]);
    check_lines(gpx, converted, routes);
    // Only a pair that holds something has a way back worth taking.
    if (converted.counts[0] + converted.counts[1] > 0) check_round_trip(converted, color);
    // Cutting a comment may join bytes into another "<!--", which the reader keeps as text:
    // then the text without comments is not what the reader saw.
    const std::string plain = without_comments(gpx);
    if (without_comments(plain) != plain) return 0;
    if (plain.size() != gpx.size() && !(convert(plain, color, routes) == converted)) {
        fail("comments change the output", plain.substr(0, 200));
    }
    check_references(plain, converted.mmk);
    const std::string with_cr = with_cr_line_ends(plain);
    if (with_cr != plain && !(convert(with_cr, color, routes) == converted)) {
        fail("CR line ends convert otherwise than LF", plain.substr(0, 200));
    }
    return 0;
}
