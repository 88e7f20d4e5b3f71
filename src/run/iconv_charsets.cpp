// The charsets of POSIX platforms, through iconv: one character at a time,
// to and from UTF-32, so that every platform reads and writes names alike.
#if !defined(_WIN32)

#include <algorithm>
#include <array>
#include <cstddef>

#include <iconv.h>

#include "run/system_charsets.h"

namespace kelpway {

namespace {

constexpr std::size_t unit_size = 4;  // one UTF-32 code unit
const auto no_descriptor = reinterpret_cast<iconv_t>(-1);  // NOLINT(performance-no-int-to-ptr): iconv's own error value

const OpenCharset& open_of(const void* context) { return *static_cast<const OpenCharset*>(context); }

char32_t code_point_of(const std::array<char, unit_size>& unit) {
    char32_t code_point = 0;
    for (std::size_t i = unit_size; i-- > 0;) code_point = (code_point << 8U) | static_cast<unsigned char>(unit[i]);
    return code_point;
}

// Bytes of a single-byte charset go in one at a time: glibc would join a
// letter and the combining mark after it (CP1258, CP1255), Windows does not.
DecodedChar decode_char(const void* context, std::string_view bytes) {
    const OpenCharset& open = open_of(context);
    std::array<char, longest_char> input{};
    const std::size_t size = std::min<std::size_t>(bytes.size(), open.charset->longest_char);
    std::copy_n(bytes.data(), size, input.data());
    std::array<char, unit_size> unit{};
    char* in = input.data();
    std::size_t in_left = size;
    char* out = unit.data();
    std::size_t out_left = unit.size();
    iconv(open.decoder, &in, &in_left, &out, &out_left);
    if (out_left != 0) iconv(open.decoder, nullptr, nullptr, &out, &out_left);  // a letter held back for a mark
    iconv(open.decoder, nullptr, nullptr, nullptr, nullptr);
    if (out_left != 0 || in_left == size) return {};
    return {code_point_of(unit), size - in_left};
}

std::size_t encode_char(const void* context, char32_t code_point, std::span<char, longest_char> bytes) {
    const OpenCharset& open = open_of(context);
    std::array<char, unit_size> unit{};
    for (std::size_t i = 0; i < unit_size; ++i) unit[i] = static_cast<char>((code_point >> (8U * i)) & 0xFFU);
    char* in = unit.data();
    std::size_t in_left = unit.size();
    char* out = bytes.data();
    std::size_t out_left = bytes.size();
    const std::size_t irreversible = iconv(open.encoder, &in, &in_left, &out, &out_left);
    iconv(open.encoder, nullptr, nullptr, nullptr, nullptr);
    return irreversible == 0 && in_left == 0 ? bytes.size() - out_left : 0;
}

}  // namespace

bool open_system_charset(const Charset& charset, OpenCharset& open) {
    if (charset.iconv_name == nullptr) return false;
    const iconv_t decoder = iconv_open("UTF-32LE", charset.iconv_name);
    const iconv_t encoder = iconv_open(charset.iconv_name, "UTF-32LE");
    open.decoder = decoder;
    open.encoder = encoder;
    if (decoder == no_descriptor || encoder == no_descriptor) return false;
    open.codec = {decode_char, encode_char, &open, false};
    return true;
}

OpenCharset::~OpenCharset() {
    for (void* descriptor : {decoder, encoder}) {
        if (descriptor != nullptr && descriptor != no_descriptor) iconv_close(descriptor);
    }
}

}  // namespace kelpway

#endif
