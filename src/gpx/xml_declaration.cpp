// The encoding a GPX file declares on its first line.
#include "gpx/xml_declaration.h"

#include <cstddef>

namespace kelpway {

namespace {

constexpr std::string_view byte_order_mark = "\xEF\xBB\xBF";
constexpr std::string_view declaration_start = "<?xml";

constexpr bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
constexpr bool is_letter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
constexpr bool is_digit(char c) { return c >= '0' && c <= '9'; }

// Reads the declaration from its text after "<?xml".
struct Cursor {
    std::string_view text;
    std::size_t at = 0;

    // How many blanks it passed over.
    std::size_t skip_blanks() {
        const std::size_t start = at;
        while (at < text.size() && is_blank(text[at])) ++at;
        return at - start;
    }
    bool take(char c) {
        if (at == text.size() || text[at] != c) return false;
        ++at;
        return true;
    }
    std::string_view take_name() {
        const std::size_t start = at;
        while (at < text.size() && is_letter(text[at])) ++at;
        return text.substr(start, at - start);
    }
    // A quoted value; nothing when its closing quote is missing.
    std::optional<std::string_view> take_quoted() {
        if (at == text.size() || (text[at] != '"' && text[at] != '\'')) return std::nullopt;
        const std::size_t end = text.find(text[at], at + 1);
        if (end == std::string_view::npos) return std::nullopt;
        const std::string_view value = text.substr(at + 1, end - at - 1);
        at = end + 1;
        return value;
    }
};

bool is_encoding_name(std::string_view name) {
    if (name.empty() || !is_letter(name[0])) return false;
    for (const char c : name) {
        if (!is_letter(c) && !is_digit(c) && c != '.' && c != '_' && c != '-') return false;
    }
    return true;
}

}  // namespace

std::optional<std::string_view> declared_encoding(std::string_view first_line) {
    if (first_line.starts_with(byte_order_mark) || !first_line.starts_with(declaration_start)) return std::nullopt;
    Cursor cursor{first_line.substr(declaration_start.size())};
    // Every pseudo-attribute follows a blank; "?>", or anything else, ends them.
    while (cursor.skip_blanks() > 0) {
        const std::string_view name = cursor.take_name();
        cursor.skip_blanks();
        if (name.empty() || !cursor.take('=')) return std::nullopt;
        cursor.skip_blanks();
        const std::optional<std::string_view> value = cursor.take_quoted();
        if (!value) return std::nullopt;
        if (name == "encoding") return is_encoding_name(*value) ? value : std::nullopt;
    }
    return std::nullopt;
}

}  // namespace kelpway
