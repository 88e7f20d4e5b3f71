// Layer: base. The charsets kelpway converts names between.
#include "base/charsets.h"

#include <cstddef>

#include "base/single_byte_pages.h"

namespace kelpway {

namespace {

// Names that GPX files declare stand beside the code page Windows reads
// them as: Shift_JIS is CP932, GB2312 CP936 and EUC-KR CP949, each a
// superset that the files' writers in fact produce. The ISO-8859 parts that
// Windows lacks (10, 11, 14) or has in an older edition than glibc (7 and 8,
// code pages 28597 and 28598), and ASCII, are converted by tables of their own.
constexpr Charset charsets[] = {
    {{"UTF-8"}, "UTF-8", 65001, nullptr, 4, true},
    {{"US-ASCII", "ASCII"}, nullptr, 0, &ascii_page, 1},
    {{"CP932", "Shift_JIS", "SJIS", "Windows-31J", "MS_Kanji"}, "CP932", 932, nullptr, 2},
    {{"CP936", "GBK", "GB2312", "Windows-936"}, "CP936", 936, nullptr, 2},
    {{"CP949", "UHC", "EUC-KR", "KS_C_5601-1987", "Windows-949"}, "CP949", 949, nullptr, 2},
    {{"CP950", "Big5", "Windows-950"}, "CP950", 950, nullptr, 2},
    {{"CP1250", "Windows-1250"}, "CP1250", 1250, nullptr, 1},
    {{"CP1251", "Windows-1251"}, "CP1251", 1251, nullptr, 1},
    {{"CP1252", "Windows-1252"}, "CP1252", 1252, nullptr, 1},
    {{"CP1253", "Windows-1253"}, "CP1253", 1253, nullptr, 1},
    {{"CP1254", "Windows-1254"}, "CP1254", 1254, nullptr, 1},
    {{"CP1255", "Windows-1255"}, "CP1255", 1255, nullptr, 1},
    {{"CP1256", "Windows-1256"}, "CP1256", 1256, nullptr, 1},
    {{"CP1257", "Windows-1257"}, "CP1257", 1257, nullptr, 1},
    {{"CP1258", "Windows-1258"}, "CP1258", 1258, nullptr, 1},
    {{"ISO-8859-1", "Latin1"}, "ISO-8859-1", 28591, nullptr, 1},
    {{"ISO-8859-2"}, "ISO-8859-2", 28592, nullptr, 1},
    {{"ISO-8859-3"}, "ISO-8859-3", 28593, nullptr, 1},
    {{"ISO-8859-4"}, "ISO-8859-4", 28594, nullptr, 1},
    {{"ISO-8859-5"}, "ISO-8859-5", 28595, nullptr, 1},
    {{"ISO-8859-6"}, "ISO-8859-6", 28596, nullptr, 1},
    {{"ISO-8859-7"}, "ISO-8859-7", 0, &iso_8859_7_page, 1},
    {{"ISO-8859-8"}, "ISO-8859-8", 0, &iso_8859_8_page, 1},
    {{"ISO-8859-9"}, "ISO-8859-9", 28599, nullptr, 1},
    {{"ISO-8859-10"}, "ISO-8859-10", 0, &iso_8859_10_page, 1},
    {{"ISO-8859-11"}, "ISO-8859-11", 0, &iso_8859_11_page, 1},
    {{"ISO-8859-13"}, "ISO-8859-13", 28603, nullptr, 1},
    {{"ISO-8859-14"}, "ISO-8859-14", 0, &iso_8859_14_page, 1},
    {{"ISO-8859-15"}, "ISO-8859-15", 28605, nullptr, 1},
};

constexpr bool is_separator(char c) { return c == '-' || c == '_'; }
constexpr char upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// Equal but for case and separators.
bool same_name(std::string_view given, std::string_view known) {
    std::size_t g = 0;
    std::size_t k = 0;
    for (;;) {
        while (g < given.size() && is_separator(given[g])) ++g;
        while (k < known.size() && is_separator(known[k])) ++k;
        if (g == given.size() || k == known.size()) return g == given.size() && k == known.size();
        if (upper(given[g++]) != upper(known[k++])) return false;
    }
}

}  // namespace

const Charset* find_charset(std::string_view name) {
    for (const Charset& charset : charsets) {
        for (const std::string_view known : charset.names) {
            if (!known.empty() && same_name(name, known)) return &charset;
        }
    }
    return nullptr;
}

const Charset& utf8_charset() { return charsets[0]; }

std::span<const Charset> known_charsets() { return charsets; }

}  // namespace kelpway
