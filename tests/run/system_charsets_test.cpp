// Names through the platform's charsets (iconv, or the code pages of
// Windows): every expectation here holds on both, byte for byte.
#include "run/system_charsets.h"

#include <gtest/gtest.h>

#include <string>

#include "charset_conversion.h"

namespace kelpway {
namespace {

TEST(SystemCharsets, OpenEveryCharsetKelpwayKnows) {
    const char* names[] = {
        "UTF-8",      "US-ASCII",   "CP932",      "CP936",      "CP949",       "CP950",       "CP1250",
        "CP1251",     "CP1252",     "CP1253",     "CP1254",     "CP1255",      "CP1256",      "CP1257",
        "CP1258",     "ISO-8859-1", "ISO-8859-2", "ISO-8859-3", "ISO-8859-4",  "ISO-8859-5",  "ISO-8859-6",
        "ISO-8859-7", "ISO-8859-8", "ISO-8859-9", "ISO-8859-10", "ISO-8859-11", "ISO-8859-13", "ISO-8859-14",
        "ISO-8859-15",
    };
    for (const char* name : names) {
        SCOPED_TRACE(name);
        const Charset* charset = find_charset(name);
        ASSERT_NE(charset, nullptr);
        OpenCharset open;
        EXPECT_TRUE(open_charset(*charset, open));
        EXPECT_EQ(open.charset, charset);
    }
    EXPECT_EQ(known_charsets().size(), std::size(names));
}

TEST(SystemCharsets, CarryNamesEachCodePageHoldsThereAndBack) {
    const struct {
        const char* charset;
        std::string_view utf8;
        std::string_view bytes;
    } cases[] = {
        {"CP932", "灯台", "\x93\x94\x91\xE4"},
        {"CP932", "ｶﾀｶﾅ①", "\xB6\xC0\xB6\xC5\x87@"},
        {"CP936", "灯塔 €", "\xB5\xC6\xCB\xFE \x80"},
        {"CP949", "등대 똠", "\xB5\xEE\xB4\xEB \x8C" "c"},
        {"CP950", "燈塔 €", "\xBFO\xB6\xF0 \xA3\xE1"},
        {"CP1250", "Łódź", "\xA3\xF3" "d\x9F"},
        {"CP1251", "Москва", "\xCC\xEE\xF1\xEA\xE2\xE0"},
        {"CP1252", "Café €", "Caf\xE9 \x80"},
        {"CP1253", "Ελλάδα", "\xC5\xEB\xEB\xDC\xE4\xE1"},
        {"CP1254", "Türkçe İstanbul", "T\xFCrk\xE7" "e \xDDstanbul"},
        {"CP1255", "עברית", "\xF2\xE1\xF8\xE9\xFA"},
        {"CP1256", "العربية", "\xC7\xE1\xDA\xD1\xC8\xED\xC9"},
        {"CP1257", "Rīga Klaipėda", "R\xEEga Klaip\xEB" "da"},
        {"CP1258", "Cà Mau", "C\xE0 Mau"},
        {"ISO-8859-1", "Café", "Caf\xE9"},
        {"ISO-8859-2", "Łódź", "\xA3\xF3" "d\xBC"},
        {"ISO-8859-3", "Għawdex", "G\xB1" "awdex"},
        {"ISO-8859-4", "Rīga Klaipėda", "R\xEFga Klaip\xEC" "da"},
        {"ISO-8859-5", "Москва", "\xBC\xDE\xE1\xDA\xD2\xD0"},
        {"ISO-8859-6", "العربية", "\xC7\xE4\xD9\xD1\xC8\xEA\xC9"},
        {"ISO-8859-7", "Ελλάδα €", "\xC5\xEB\xEB\xDC\xE4\xE1 \xA4"},
        {"ISO-8859-8", "עברית", "\xF2\xE1\xF8\xE9\xFA"},
        {"ISO-8859-9", "Türkçe İstanbul", "T\xFCrk\xE7" "e \xDDstanbul"},
        {"ISO-8859-10", "Þórshöfn", "\xDE\xF3rsh\xF6" "fn"},
        {"ISO-8859-11", "ประภาคาร", "\xBB\xC3\xD0\xC0\xD2\xA4\xD2\xC3"},
        {"ISO-8859-13", "Łódź Rīga", "\xD9\xF3" "d\xEA R\xEEga"},
        {"ISO-8859-14", "Llŷn Ŵyl", "Ll\xFEn \xD0yl"},
        {"ISO-8859-15", "Œuvre €", "\xBCuvre \xA4"},
        {"UTF-8", "灯台 Café", "\xE7\x81\xAF\xE5\x8F\xB0 Caf\xC3\xA9"},
        {"US-ASCII", "Harbour \"7\", 2\t&\n", "Harbour \"7\", 2\t&\n"},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(std::string(row.charset) + " " + std::string(row.utf8));
        const Converted there = convert("UTF-8", row.charset, row.utf8);
        EXPECT_EQ(there.text, row.bytes);
        EXPECT_EQ(there.not_in_target + there.not_in_source, 0);
        const Converted back = convert(row.charset, "UTF-8", row.bytes);
        EXPECT_EQ(back.text, row.utf8);
        EXPECT_EQ(back.not_in_target + back.not_in_source, 0);
    }
}

// CP1258 holds most Vietnamese letters as a letter and a combining tone
// mark: they are written so, and read back so.
TEST(SystemCharsets, WriteVietnameseIntoCp1258AsLettersAndToneMarks) {
    const struct {
        std::string_view utf8;
        std::string_view bytes;
        std::string_view read_back;
    } cases[] = {
        {"Tiếng Việt", "Ti\xEA\xEC" "ng Vi\xEA\xF2t", "Tiê\xCC\x81ng Viê\xCC\xA3t"},
        {"Hạ Long", "H" "a\xF2 Long", "Ha\xCC\xA3 Long"},
        {"Đà Nẵng", "\xD0\xE0 N\xE3\xDEng", "Đà Nă\xCC\x83ng"},
        {"Hồ Chí Minh", "H\xF4\xCC Ch\xED Minh", "Hô\xCC\x80 Chí Minh"},
        {"Quảng Ngãi", "Qu" "a\xD2ng Nga\xDEi", "Qua\xCC\x89ng Nga\xCC\x83i"},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(std::string(row.utf8));
        const Converted there = convert("UTF-8", "CP1258", row.utf8);
        EXPECT_EQ(there.text, row.bytes);
        EXPECT_EQ(there.not_in_target, 0);
        const Converted back = convert("CP1258", "UTF-8", row.bytes);
        EXPECT_EQ(back.text, row.read_back);
        EXPECT_EQ(convert("UTF-8", "CP1258", back.text).text, row.bytes);
    }
}

TEST(SystemCharsets, WriteWhatACodePageLacksAsOneQuestionMarkEach) {
    const struct {
        const char* charset;
        std::string_view utf8;
        std::string_view bytes;
        int not_in_target;
    } cases[] = {
        {"CP1252", "Москва", "??????", 6},
        {"CP932", "Café", "Caf?", 1},
        {"CP932", "¥100", "?100", 1},              // glibc would write a backslash
        {"CP1252", "Ā", "?", 1},                   // Windows' best fit would write A
        {"CP1252", "∞", "?", 1},                   // and 8
        {"CP936", "\xF0\x9F\x98\x80!", "?!", 1},   // a character beyond the BMP
        {"ISO-8859-1", "€5", "?5", 1},
        {"US-ASCII", "Café", "Caf?", 1},
        {"CP1252", "\xC2\x81", "?", 1},            // C1 control: Windows would write 0x81
        {"CP932", "\xEE\x80\x80", "?", 1},         // private use: both would write F0 40
        {"CP1250", "Tiếng", "Ti?ng", 1},
        {"ISO-8859-7", "ʼ", "?", 1},               // Windows' code page 28597 has it at A2
        {"CP949", "עברית", "?????", 5},
        {"CP1252", "\xEF\xBF\xBD", "?", 1},        // U+FFFD itself
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(std::string(row.charset) + " " + std::string(row.utf8));
        const Converted there = convert("UTF-8", row.charset, row.utf8);
        EXPECT_EQ(there.text, row.bytes);
        EXPECT_EQ(there.not_in_target, row.not_in_target);
        EXPECT_EQ(there.not_in_source, 0);
    }
}

// Bytes a code page leaves undefined, its user-defined areas and sequences
// cut short: glibc refuses some, Windows maps others to C1 controls or to
// private use. Each ends as one U+FFFD for its first byte, and what follows
// it is read afresh.
TEST(SystemCharsets, ReplaceBytesThatAreNoCharacterOfTheCodePage) {
    const struct {
        const char* charset;
        std::string_view bytes;
        std::string_view utf8;
        int not_in_source;
    } cases[] = {
        {"CP932", "\x81 x", "\xEF\xBF\xBD x", 1},           // a lead byte without its trail byte
        {"CP932", "A\x82", "A\xEF\xBF\xBD", 1},              // cut short
        {"CP932", "\x85\x40", "\xEF\xBF\xBD@", 1},           // undefined pair
        {"CP932", "\xA0", "\xEF\xBF\xBD", 1},                // Windows: U+F8F0
        {"CP932", "\x80", "\xEF\xBF\xBD", 1},                // Windows: U+0080
        {"CP932", "\xF0\x40", "\xEF\xBF\xBD@", 1},           // user-defined
        {"CP936", "\xA1\x40", "\xEF\xBF\xBD@", 1},           // user-defined
        {"CP936", "\xFF", "\xEF\xBF\xBD", 1},
        {"CP949", "\xC9\xA1", "\xEF\xBF\xBD\xEF\xBF\xBD", 2},  // user-defined
        {"CP950", "\x81\x40", "\xEF\xBF\xBD@", 1},           // user-defined
        {"CP1252", "\x81\x8D", "\xEF\xBF\xBD\xEF\xBF\xBD", 2},
        {"CP1253", "\xAA", "\xEF\xBF\xBD", 1},               // Windows: U+F8F9
        {"CP1255", "\xFF", "\xEF\xBF\xBD", 1},
        {"ISO-8859-1", "\x85", "\xEF\xBF\xBD", 1},           // C1 controls are no text
        {"ISO-8859-11", "\xDB", "\xEF\xBF\xBD", 1},
        {"US-ASCII", "Caf\xE9", "Caf\xEF\xBF\xBD", 1},
        {"UTF-8", "Caf\xE9", "Caf\xEF\xBF\xBD", 1},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(std::string(row.charset) + " " + testing::PrintToString(std::string(row.bytes)));
        const Converted back = convert(row.charset, "UTF-8", row.bytes);
        EXPECT_EQ(back.text, row.utf8);
        EXPECT_EQ(back.not_in_source, row.not_in_source);
        EXPECT_EQ(back.not_in_target, 0);
    }
}

// Where the tables of glibc and Windows themselves differ.
TEST(SystemCharsets, DifferOnlyWhereThePlatformsTablesDo) {
#if defined(_WIN32)
    const bool windows = true;
#else
    const bool windows = false;
#endif
    // Windows reads CP1255's 0xCA as the point holam haser for vav; glibc knows no such byte.
    EXPECT_EQ(convert("CP1255", "UTF-8", "\xCA").text, windows ? "\xD6\xBA" : "\xEF\xBF\xBD");
    EXPECT_EQ(convert("UTF-8", "CP1255", "\xD6\xBA").text, windows ? "\xCA" : "?");
    // CP950 has four box-drawing characters twice: both forms read as one
    // character everywhere, and each platform writes its own form.
    const struct {
        std::string_view utf8;
        std::string_view glibc;
        std::string_view windows;
    } box_drawings[] = {
        {"═", "\xA2\xA4", "\xF9\xF9"},
        {"╞", "\xA2\xA5", "\xF9\xE9"},
        {"╡", "\xA2\xA7", "\xF9\xEB"},
        {"╪", "\xA2\xA6", "\xF9\xEA"},
    };
    for (const auto& row : box_drawings) {
        SCOPED_TRACE(std::string(row.utf8));
        EXPECT_EQ(convert("CP950", "UTF-8", row.glibc).text, row.utf8);
        EXPECT_EQ(convert("CP950", "UTF-8", row.windows).text, row.utf8);
        EXPECT_EQ(convert("UTF-8", "CP950", row.utf8).text, windows ? row.windows : row.glibc);
    }
}

}  // namespace
}  // namespace kelpway
