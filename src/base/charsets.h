// Layer: base. The charsets names may be converted from and to, under the
// names users and GPX files give them, with what each platform calls them.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace kelpway {

struct SingleBytePage;

struct Charset {
    std::array<std::string_view, 5> names;  // the first is how messages show it
    const char* iconv_name;                 // glibc's; nullptr: the built-in page
    unsigned code_page;                     // Windows'; 0: the built-in page
    const SingleBytePage* built_in;         // where the platform has no such charset
    std::uint8_t longest_char;              // in bytes
    bool is_utf8 = false;
};

// The charset of that name: letters of either case, '-' and '_' anywhere or
// nowhere (ISO-8859-1, iso8859-1 and ISO_8859_1 are one). nullptr when
// kelpway knows no such charset.
const Charset* find_charset(std::string_view name);

// What names are read as when a GPX file declares no encoding.
const Charset& utf8_charset();

// Every charset kelpway knows, UTF-8 first.
std::span<const Charset> known_charsets();

}  // namespace kelpway
