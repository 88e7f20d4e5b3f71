// Layer: base. A charset as the conversion of names sees it: one character
// at a time, read or written by whatever the platform offers. The readers
// and writers call it; the run opens it once (run/system_charsets.h).
#pragma once

#include <cstddef>
#include <span>
#include <string_view>

#include "base/utf8_char.h"

namespace kelpway {

// The character at the start of `bytes`, whose first byte is 0x80 or above;
// size 0 when no character of the charset starts there.
using DecodeChar = DecodedChar (*)(const void* context, std::string_view bytes);
// The bytes of `code_point` (0x80 or above) in the charset: how many, 0 when
// the charset lacks it.
using EncodeChar = std::size_t (*)(const void* context, char32_t code_point, std::span<char, longest_char> out);

// Every charset kelpway converts keeps the bytes below 0x80 for ASCII, so
// only the others reach these functions.
struct CharsetCodec {
    DecodeChar decode = nullptr;
    EncodeChar encode = nullptr;
    const void* context = nullptr;
    bool is_utf8 = false;
};

CharsetCodec utf8_codec();

}  // namespace kelpway
