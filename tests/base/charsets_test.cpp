// The charsets kelpway knows, found by the names users and GPX files give.
#include "base/charsets.h"

#include <gtest/gtest.h>

#include <string>

namespace kelpway {
namespace {

std::string found(std::string_view name) {
    const Charset* charset = find_charset(name);
    return charset != nullptr ? std::string(charset->names[0]) : "(none)";
}

TEST(Charsets, FindEveryNameUnderItsCharset) {
    const struct {
        std::string_view name;
        std::string_view charset;
    } cases[] = {
        {"UTF-8", "UTF-8"},          {"UTF8", "UTF-8"},
        {"US-ASCII", "US-ASCII"},    {"ASCII", "US-ASCII"},
        {"CP932", "CP932"},          {"Shift_JIS", "CP932"},        {"SJIS", "CP932"},
        {"Windows-31J", "CP932"},    {"MS_Kanji", "CP932"},
        {"CP936", "CP936"},          {"GBK", "CP936"},              {"GB2312", "CP936"},
        {"windows-936", "CP936"},
        {"CP949", "CP949"},          {"UHC", "CP949"},              {"EUC-KR", "CP949"},
        {"KS_C_5601-1987", "CP949"}, {"windows-949", "CP949"},
        {"CP950", "CP950"},          {"Big5", "CP950"},             {"windows-950", "CP950"},
        {"CP1250", "CP1250"},        {"windows-1250", "CP1250"},    {"CP1251", "CP1251"},
        {"windows-1251", "CP1251"},  {"CP1252", "CP1252"},          {"windows-1252", "CP1252"},
        {"CP1253", "CP1253"},        {"windows-1253", "CP1253"},    {"CP1254", "CP1254"},
        {"windows-1254", "CP1254"},  {"CP1255", "CP1255"},          {"windows-1255", "CP1255"},
        {"CP1256", "CP1256"},        {"windows-1256", "CP1256"},    {"CP1257", "CP1257"},
        {"windows-1257", "CP1257"},  {"CP1258", "CP1258"},          {"windows-1258", "CP1258"},
        {"ISO-8859-1", "ISO-8859-1"},   {"Latin1", "ISO-8859-1"},   {"ISO-8859-2", "ISO-8859-2"},
        {"ISO-8859-3", "ISO-8859-3"},   {"ISO-8859-4", "ISO-8859-4"},   {"ISO-8859-5", "ISO-8859-5"},
        {"ISO-8859-6", "ISO-8859-6"},   {"ISO-8859-7", "ISO-8859-7"},   {"ISO-8859-8", "ISO-8859-8"},
        {"ISO-8859-9", "ISO-8859-9"},   {"ISO-8859-10", "ISO-8859-10"}, {"ISO-8859-11", "ISO-8859-11"},
        {"ISO-8859-13", "ISO-8859-13"}, {"ISO-8859-14", "ISO-8859-14"}, {"ISO-8859-15", "ISO-8859-15"},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(std::string(row.name));
        EXPECT_EQ(found(row.name), row.charset);
    }
}

TEST(Charsets, IgnoreCaseAndSeparators) {
    const struct {
        std::string_view name;
        std::string_view charset;
    } cases[] = {
        {"cp932", "CP932"},         {"Cp932", "CP932"},          {"shift_jis", "CP932"},
        {"SHIFT-JIS", "CP932"},     {"ShiftJIS", "CP932"},       {"sjis", "CP932"},
        {"utf-8", "UTF-8"},         {"Utf8", "UTF-8"},           {"UTF_8", "UTF-8"},
        {"iso-8859-1", "ISO-8859-1"}, {"ISO8859-1", "ISO-8859-1"}, {"ISO_8859-1", "ISO-8859-1"},
        {"iso88591", "ISO-8859-1"}, {"ISO_8859_15", "ISO-8859-15"}, {"iso885911", "ISO-8859-11"},
        {"WINDOWS1252", "CP1252"},  {"euc-kr", "CP949"},         {"big5", "CP950"},
        {"us-ascii", "US-ASCII"},   {"LATIN1", "ISO-8859-1"},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(std::string(row.name));
        EXPECT_EQ(found(row.name), row.charset);
    }
}

TEST(Charsets, KnowNoOtherName) {
    const std::string_view cases[] = {
        "",          "-",           "CP",       "CP12",       "CP1259",   "CP125",     "CP9320",
        "ISO-8859",  "ISO-8859-0",  "ISO-8859-12", "ISO-8859-16", "ISO-8859-1x", "EUC-JP", "GB18030",
        "UTF-16",    "UTF-7",       "KOI8-R",   "Latin2",     "UTF-8 ",   " UTF-8",    "UTF-8\n",
        "Shift JIS", "CP932/",
    };
    for (const std::string_view name : cases) {
        SCOPED_TRACE(testing::PrintToString(std::string(name)));
        EXPECT_EQ(find_charset(name), nullptr);
    }
}

// What each platform converts them with: glibc's names, Windows' code
// pages, and kelpway's own pages where a platform has none it can use.
TEST(Charsets, NameTheirConverterOnEachPlatform) {
    const struct {
        std::string_view name;
        std::string_view iconv_name;  // empty: the built-in page
        unsigned code_page;           // 0: the built-in page
        std::uint8_t longest_char;
    } cases[] = {
        {"CP932", "CP932", 932, 2},           {"CP936", "CP936", 936, 2},
        {"CP949", "CP949", 949, 2},           {"CP950", "CP950", 950, 2},
        {"CP1250", "CP1250", 1250, 1},        {"CP1258", "CP1258", 1258, 1},
        {"ISO-8859-1", "ISO-8859-1", 28591, 1}, {"ISO-8859-6", "ISO-8859-6", 28596, 1},
        {"ISO-8859-7", "ISO-8859-7", 0, 1},   {"ISO-8859-8", "ISO-8859-8", 0, 1},
        {"ISO-8859-9", "ISO-8859-9", 28599, 1}, {"ISO-8859-10", "ISO-8859-10", 0, 1},
        {"ISO-8859-11", "ISO-8859-11", 0, 1}, {"ISO-8859-13", "ISO-8859-13", 28603, 1},
        {"ISO-8859-14", "ISO-8859-14", 0, 1}, {"ISO-8859-15", "ISO-8859-15", 28605, 1},
        {"US-ASCII", "", 0, 1},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(std::string(row.name));
        const Charset* charset = find_charset(row.name);
        ASSERT_NE(charset, nullptr);
        EXPECT_EQ(charset->iconv_name != nullptr ? charset->iconv_name : "", row.iconv_name);
        EXPECT_EQ(charset->code_page, row.code_page);
        EXPECT_EQ(charset->built_in != nullptr, row.iconv_name.empty() || row.code_page == 0);
        EXPECT_EQ(charset->longest_char, row.longest_char);
        EXPECT_FALSE(charset->is_utf8);
    }
    EXPECT_TRUE(utf8_charset().is_utf8);
    EXPECT_EQ(&utf8_charset(), find_charset("utf8"));
}

}  // namespace
}  // namespace kelpway
