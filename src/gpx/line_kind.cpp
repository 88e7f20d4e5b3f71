// What a line is to the scan and the readers, told by the first tag on it.
#include "gpx/line_kind.h"

#include <array>

#include "gpx/line_text.h"
#include "gpx/scan_state.h"
#include "gpx/tag_table.h"

namespace kelpway {
namespace {

// What a line of each kind starts, looked up once per line: whether an
// element, and its reader.
struct KindStarts {
    std::array<Starts, kind_count> starts{};
    std::array<Reader, kind_count> readers{};
};

constexpr KindStarts kind_starts = [] {
    KindStarts kinds;
    for (const TagRow& row : tag_table) {
        kinds.starts[static_cast<std::size_t>(row.start)] = row.starts;
        kinds.readers[static_cast<std::size_t>(row.start)] = row.reader;
    }
    return kinds;
}();

}  // namespace

std::string_view local_name(std::string_view name) {
    for (std::size_t i = 0; i < name.size(); ++i) {
        const char c = name[i];
        if (c == ':') return i > 0 ? name.substr(i + 1) : name;
        if (c == '<' || c == '/') return name;
    }
    return name;
}

LineClass class_of_name(std::string_view local, bool closing, bool first, std::size_t tag_end) {
    const TagRow* row = find_row(tag_table, local);
    if (row == nullptr) return {LineKind::other, tag_end};
    if (closing) return {row->end, tag_end};
    // A reader line: its '<' comes first after the indentation.
    if (row->starts != Starts::never && !first) return {LineKind::other, tag_end};
    return {row->start, tag_end};
}

LineClass classify(std::string_view line) {
    const std::size_t open = indentation(line);
    const bool first = open < line.size() && line[open] == '<';
    const std::string_view name = tag_name(line);
    const auto begin = static_cast<std::size_t>(name.data() - line.data());
    const bool closing = name.starts_with('/');
    return class_of_name(local_name(name.substr(closing ? 1 : 0)), closing, first, begin + name.size());
}

TagSpan find_tag(std::string_view text, LineKind kind) {
    const KindRow wanted = row_of_kind(kind);
    if (wanted.row == nullptr) return {no_tag, no_tag};
    for (std::size_t at = text.find('<'); at != std::string_view::npos; at = text.find('<', at + 1)) {
        std::size_t from = at + 1;
        if (wanted.closing) {
            if (from >= text.size() || text[from] != '/') continue;
            ++from;
        }
        std::size_t end = from;
        while (end < text.size() && !ends_tag_name(text[end])) ++end;
        if (end == text.size() || text[end] != '>') continue;
        if (local_name(text.substr(from, end - from)) == wanted.row->name) return {at, end + 1};
    }
    return {no_tag, no_tag};
}

Reader reader_for(LineKind kind) { return kind_starts.readers[static_cast<std::size_t>(kind)]; }

bool is_reader_line(const ScanState& state, LineKind kind) {
    const Starts starts = kind_starts.starts[static_cast<std::size_t>(kind)];
    return starts == Starts::always || (starts == Starts::with_routes && state.convert_routes);
}

}  // namespace kelpway
