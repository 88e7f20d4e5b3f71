// Layer: base. UTF-8 as a charset codec: the one the other charsets are
// converted through.
#include "base/charset_codec.h"

namespace kelpway {

namespace {

DecodedChar decode_utf8(const void* /*context*/, std::string_view bytes) { return decode_utf8_char(bytes); }

std::size_t encode_utf8(const void* /*context*/, char32_t code_point, std::span<char, longest_char> out) {
    return encode_utf8_char(code_point, out);
}

}  // namespace

CharsetCodec utf8_codec() { return {decode_utf8, encode_utf8, nullptr, true}; }

}  // namespace kelpway
