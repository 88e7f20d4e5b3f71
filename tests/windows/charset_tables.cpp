// Prints how kelpway reads and writes every character of every charset it
// knows, so that charset_differential.sh can set the Linux build beside
// the Windows one: for each charset, what every byte and every pair of
// bytes reads as, and what every code point up to U+2FFFF is written as.
#include <array>
#include <cstdio>
#include <string_view>

#include "base/text_conversion.h"
#include "run/system_charsets.h"

namespace kelpway {
namespace {

std::array<char, 64> converted{};

void print_hex(std::string_view bytes) {
    for (const char byte : bytes) std::printf("%02X", static_cast<unsigned char>(byte));
}

// The bytes, then 'A', which shows whether the bytes after a replaced one are read afresh.
void print_read(const char* name, const CharsetCodec& codec, std::string_view bytes) {
    std::array<char, 3> text{};
    std::copy(bytes.begin(), bytes.end(), text.begin());
    text[bytes.size()] = 'A';
    const ConvertedText read = recode_text(codec, utf8_codec(), {text.data(), bytes.size() + 1}, converted);
    std::printf("%s D ", name);
    print_hex(bytes);
    std::printf(" ");
    print_hex(read.text);
    std::printf(" %d\n", read.not_in_source);
}

void print_charset(const Charset& charset) {
    OpenCharset open;
    const char* name = charset.names[0].data();
    if (!open_charset(charset, open)) {
        std::printf("%s cannot be opened\n", name);
        return;
    }
    for (unsigned lead = 0x80; lead < 0x100; ++lead) {
        std::array<char, 2> bytes{static_cast<char>(lead), 0};
        print_read(name, open.codec, {bytes.data(), 1});
        for (unsigned trail = 0x20; charset.longest_char == 2 && trail < 0x100; ++trail) {
            bytes[1] = static_cast<char>(trail);
            print_read(name, open.codec, {bytes.data(), 2});
        }
    }
    for (char32_t code_point = 0x80; code_point < 0x30000; ++code_point) {
        if (code_point == 0xD800) code_point = 0xE000;
        std::array<char, longest_char> utf8{};
        const ConvertedText written =
            recode_text(utf8_codec(), open.codec, {utf8.data(), encode_utf8_char(code_point, utf8)}, converted);
        if (written.not_in_target != 0) continue;
        std::printf("%s E %04X ", name, static_cast<unsigned>(code_point));
        print_hex(written.text);
        std::printf("\n");
    }
}

}  // namespace
}  // namespace kelpway

int main() {
    for (const kelpway::Charset& charset : kelpway::known_charsets()) kelpway::print_charset(charset);
    return std::fflush(stdout) == 0 ? 0 : 1;
}
