// Layer: base. Single-byte charsets kelpway converts by tables of its own:
// those Windows has no code page for, and ASCII.
#pragma once

#include <array>

#include "base/charset_codec.h"

namespace kelpway {

struct SingleBytePage {
    bool c1_controls;                // 0x80 to 0x9F stand for U+0080 to U+009F
    std::array<char16_t, 96> upper;  // what 0xA0 to 0xFF stand for; 0: nothing
};

extern const SingleBytePage ascii_page;
extern const SingleBytePage iso_8859_7_page;
extern const SingleBytePage iso_8859_8_page;
extern const SingleBytePage iso_8859_10_page;
extern const SingleBytePage iso_8859_11_page;
extern const SingleBytePage iso_8859_14_page;

CharsetCodec single_byte_codec(const SingleBytePage& page);

}  // namespace kelpway
