// Character and entity references in a name's text, as a GPX reader shows them.
#include "gpx/references.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <span>
#include <string_view>

#include "base/utf8_char.h"

namespace kelpway {
namespace {

struct Entity {
    std::string_view name;  // between '&' and ';'
    char character;
};

constexpr std::array<Entity, 5> entities{{
    {"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''},
}};

constexpr std::uint32_t no_character = 0xffffffff;
constexpr std::uint32_t last_character = 0x10ffff;

int digit_value(char c, unsigned base) {
    if (c >= '0' && c <= '9') return c - '0';
    if (base == 16 && c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (base == 16 && c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The character of the digits of "&#...;" (after "#" or "#x"), or
// no_character for no digits, another byte, or a value a name must not hold.
std::uint32_t character_of(std::string_view digits, unsigned base) {
    if (digits.empty()) return no_character;
    std::uint32_t value = 0;
    for (const char c : digits) {
        const int digit = digit_value(c, base);
        if (digit < 0) return no_character;
        value = value * base + static_cast<unsigned>(digit);
        if (value > last_character) return no_character;  // also keeps long digit runs from wrapping
    }
    const bool control = value < 32 || value == 127;
    const bool surrogate = value >= 0xd800 && value <= 0xdfff;
    return control || surrogate ? no_character : value;
}

std::size_t put_or_none(std::uint32_t c, std::span<char, longest_char> out) {
    return c == no_character ? 0 : encode_utf8_char(c, out);
}

// The bytes `body` (the text between '&' and ';') stands for, into `out`;
// 0 when it is no reference.
std::size_t decode_one(std::string_view body, std::span<char, longest_char> out) {
    if (body.starts_with("#x")) return put_or_none(character_of(body.substr(2), 16), out);
    if (body.starts_with('#')) return put_or_none(character_of(body.substr(1), 10), out);
    for (const Entity& entity : entities) {
        if (body == entity.name) {
            out[0] = entity.character;
            return 1;
        }
    }
    return 0;
}

}  // namespace

std::size_t decode_references(char* text, std::size_t size) {
    const std::string_view all{text, size};
    std::size_t kept = 0;
    std::size_t at = 0;
    while (at < size) {
        const std::size_t amp = all.find('&', at);
        const std::size_t plain_end = amp == std::string_view::npos ? size : amp;
        std::memmove(text + kept, text + at, plain_end - at);
        kept += plain_end - at;
        if (plain_end == size) break;
        const std::size_t semicolon = all.find(';', amp + 1);
        if (semicolon == std::string_view::npos) {  // no reference can end: the rest stays
            std::memmove(text + kept, text + amp, size - amp);
            kept += size - amp;
            break;
        }
        // A reference is never shorter than its character's UTF-8 ("&#65536;"
        // gives four bytes), so the text never overtakes what is still to read.
        std::array<char, longest_char> decoded;
        const std::size_t length = decode_one(all.substr(amp + 1, semicolon - amp - 1), decoded);
        if (length > 0) {
            std::memcpy(text + kept, decoded.data(), length);
            kept += length;
            at = semicolon + 1;
        } else {
            text[kept++] = '&';
            at = amp + 1;
        }
    }
    return kept;
}

}  // namespace kelpway
