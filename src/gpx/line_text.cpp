// Tag names, element texts and quoted values cut out of one line.
#include "gpx/line_text.h"

namespace kelpway {
namespace {

bool is_quote(char c) { return c == '"' || c == '\''; }

// The text after the first `opener`, or all of it when there is none.
std::string_view after_opener(std::string_view text, char opener) {
    const std::size_t at = text.find(opener);
    return at == std::string_view::npos ? text : text.substr(at + 1);
}

// Runs to the end, line end included, when the closer is missing.
std::string_view up_to(std::string_view piece, char closer) { return piece.substr(0, piece.find(closer)); }

}  // namespace

std::size_t indentation(std::string_view text) {
    std::size_t at = 0;
    while (at < text.size() && (text[at] == ' ' || text[at] == '\t')) ++at;
    return at;
}

bool ends_tag_name(char c) { return c == '>' || c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string_view tag_name(std::string_view text) {
    const std::string_view piece = after_opener(text, '<');
    std::size_t size = 0;
    while (size < piece.size() && !ends_tag_name(piece[size])) ++size;
    return piece.substr(0, size);
}

std::string_view element_text(std::string_view text) { return up_to(after_opener(text, '>'), '<'); }

std::string_view quoted_value(std::string_view text) {
    std::size_t open = 0;
    while (open < text.size() && !is_quote(text[open])) ++open;
    if (open == text.size()) return text;
    return up_to(text.substr(open + 1), text[open]);
}

std::optional<std::string_view> attribute_text(std::string_view line, std::string_view key) {
    const std::size_t at = line.find(key);
    if (at == std::string_view::npos) return std::nullopt;
    return quoted_value(line.substr(at + key.size()));
}

}  // namespace kelpway
