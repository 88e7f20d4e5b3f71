// Layer: base. One character of UTF-8: read with every check the encoding
// asks for, and written.
#pragma once

#include <cstddef>
#include <span>
#include <string_view>

namespace kelpway {

inline constexpr std::size_t longest_char = 4;  // bytes of one character in any charset kelpway converts

// A character at the start of some bytes: its code point and how many bytes
// it takes; size 0 when no character starts there.
struct DecodedChar {
    char32_t code_point = 0;
    std::size_t size = 0;
};

// The UTF-8 character at the start of `bytes` (not empty). Overlong forms,
// surrogates, code points beyond U+10FFFF, stray continuation bytes and cut
// sequences start no character.
DecodedChar decode_utf8_char(std::string_view bytes);

// `code_point` (a Unicode scalar value) as UTF-8: how many bytes it took.
std::size_t encode_utf8_char(char32_t code_point, std::span<char, longest_char> out);

}  // namespace kelpway
