// Tag names, element texts and quoted values cut out of one line.
#include "gpx/line_text.h"

#include <cstddef>

namespace kelpway {
namespace {

constexpr std::size_t none = std::string_view::npos;

// The text after the first `opener`, or all of it when there is none.
std::string_view after_opener(std::string_view text, char opener) {
    const std::size_t at = text.find(opener);
    return at == none ? text : text.substr(at + 1);
}

// Runs to the end, line end included, when the closer is missing.
std::string_view up_to(std::string_view piece, char closer) {
    return piece.substr(0, piece.find(closer));
}

bool ends_tag_name(char c) {
    return c == '>' || c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

}  // namespace

std::string_view tag_name(std::string_view text) {
    const std::string_view piece = after_opener(text, '<');
    std::size_t size = 0;
    while (size < piece.size() && !ends_tag_name(piece[size])) ++size;
    return piece.substr(0, size);
}

std::string_view element_text(std::string_view text) {
    return up_to(after_opener(text, '>'), '<');
}

std::string_view quoted_value(std::string_view text) {
    return up_to(after_opener(text, '"'), '"');
}

std::optional<std::string_view> attribute_text(std::string_view line, std::string_view key) {
    const std::size_t at = line.find(key);
    if (at == none) return std::nullopt;
    return quoted_value(line.substr(at + key.size()));
}

}  // namespace kelpway
