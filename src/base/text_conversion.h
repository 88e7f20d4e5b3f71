// Layer: base. Names turned from one charset into another, in buffers the
// caller owns: what the target lacks becomes '?', what is no character of
// the source becomes U+FFFD (or '?' when the target cannot hold that), and
// both are counted.
#pragma once

#include <cstddef>
#include <span>
#include <string_view>

#include "base/charset_codec.h"

namespace kelpway {

// A buffer of this size holds the conversion of any text of `size` bytes.
constexpr std::size_t converted_size_limit(std::size_t size) { return 3 * size; }

struct ConvertedText {
    std::string_view text;   // in the caller's buffer
    int not_in_target = 0;   // characters the target lacks, written as '?'
    int not_in_source = 0;   // bytes that start no character of the source that is text
    bool cut = false;        // the buffer ended first; text holds whole characters
};

// Bytes below 0x80 are ASCII in every charset and pass unchanged. A byte
// that starts no character of the source is replaced on its own; the bytes
// after it are read afresh. The C1 controls and the private use area are
// no text in a code page (Windows maps bytes a code page leaves undefined
// there, glibc refuses them): read from one they count as not in the
// source, written into one as not in the target. Into a code page, a
// character is written only when its bytes read back as that character
// (never a look-alike), or as an equivalent letter and combining marks.
ConvertedText recode_text(const CharsetCodec& from, const CharsetCodec& to, std::string_view text,
                           std::span<char> out);

}  // namespace kelpway
