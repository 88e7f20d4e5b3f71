// Names from one charset into another: what passes, what becomes '?' or
// U+FFFD, and what is counted, with a charset made up for the purpose.
#include "base/text_conversion.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace kelpway {
namespace {

// A made-up double-byte charset that behaves as platforms do: it has a
// user-defined area and undefined bytes mapped to private use and C1
// controls, and offers look-alikes when asked for what it lacks.
struct FakeChar {
    std::string_view bytes;
    char32_t code_point;
};
constexpr FakeChar fake_chars[] = {
    {"\xA1", 0x00E9},      // é
    {"\xEA", 0x00EA},      // ê
    {"\xEC", 0x0301},      // combining acute
    {"\xC0", 0x00C0},      // À
    {"\xB0", 0x0080},      // an undefined byte, as Windows maps it
    {"\xB1", 0xF8F0},      // the same, into private use
    {"\x81\x40", 0x3042},  // あ
    {"\x81\x41", 0xE000},  // user-defined
};

DecodedChar fake_decode(const void* /*context*/, std::string_view bytes) {
    for (const FakeChar& known : fake_chars) {
        if (bytes.starts_with(known.bytes)) return {known.code_point, known.bytes.size()};
    }
    return {};
}

std::size_t fake_encode(const void* /*context*/, char32_t code_point, std::span<char, longest_char> out) {
    std::string_view bytes;
    for (const FakeChar& known : fake_chars) {
        if (known.code_point == code_point) bytes = known.bytes;
    }
    if (code_point == 0x00A5) bytes = "\\";   // ¥ as a backslash
    if (code_point == 0x00FF) bytes = "\xC0";  // ÿ as À
    std::copy(bytes.begin(), bytes.end(), out.begin());
    return bytes.size();
}

constexpr CharsetCodec fake{fake_decode, fake_encode, nullptr, false};

struct Case {
    std::string_view text;
    std::string_view converted;
    int not_in_target = 0;
    int not_in_source = 0;
};

void expect_conversions(const CharsetCodec& from, const CharsetCodec& to, const std::vector<Case>& cases) {
    std::array<char, 64> out{};
    for (const Case& row : cases) {
        SCOPED_TRACE(testing::PrintToString(std::string(row.text)));
        const ConvertedText converted = recode_text(from, to, row.text, out);
        EXPECT_EQ(converted.text, row.converted);
        EXPECT_EQ(converted.not_in_target, row.not_in_target);
        EXPECT_EQ(converted.not_in_source, row.not_in_source);
        EXPECT_FALSE(converted.cut);
    }
}

TEST(TextConversion, ReadsACodePageIntoUtf8) {
    expect_conversions(fake, utf8_codec(), {
        {"Harbour \t\r\n\"?\"", "Harbour \t\r\n\"?\""},
        {"", ""},
        {"Caf\xA1", "Café"},
        {"\x81\x40!", "あ!"},
        {"e\xEC", "e\xCC\x81"},  // a combining mark stays one
    });
}

TEST(TextConversion, ReplacesEachByteThatStartsNoCharacterOfTheSource) {
    expect_conversions(fake, utf8_codec(), {
        {"\xFF", "\xEF\xBF\xBD", 0, 1},
        {"A\x81", "A\xEF\xBF\xBD", 0, 1},            // cut short at the end
        {"\x81 B", "\xEF\xBF\xBD B", 0, 1},          // the byte after is read afresh
        {"\xFF\xFE\xFD", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD", 0, 3},
        {"\xB0", "\xEF\xBF\xBD", 0, 1},              // a C1 control is no text
        {"\xB1", "\xEF\xBF\xBD", 0, 1},              // nor is private use
        {"\x81\x41", "\xEF\xBF\xBD" "A", 0, 1},      // user-defined: its second byte is read afresh
    });
}

TEST(TextConversion, WritesUtf8IntoACodePage) {
    expect_conversions(utf8_codec(), fake, {
        {"Harbour \t\r\n", "Harbour \t\r\n"},
        {"Café あ", "Caf\xA1 \x81\x40"},
        {"\xE1\xBA\xBF", "\xEA\xEC"},               // ế as ê and a combining acute
        {"e\xCC\x81", "e\xEC"},
    });
}

TEST(TextConversion, WritesWhatTheCodePageLacksAsQuestionMarks) {
    expect_conversions(utf8_codec(), fake, {
        {"Москва", "??????", 6},
        {"¥", "?", 1},                                // no look-alike backslash
        {"ÿ", "?", 1},                                // nor À
        {"\xC2\x80", "?", 1},                         // no C1 control, though the code page reads one
        {"\xEE\x80\x80", "?", 1},                     // no private use
        {"\xF0\x9F\x98\x80", "?", 1},                 // one '?' for a character beyond the BMP
        {"\xE1\xBA\xB7", "?", 1},                     // ặ: no decomposition it holds
    });
}

TEST(TextConversion, ReplacesBytesThatAreNoUtf8AlsoIntoACodePage) {
    expect_conversions(utf8_codec(), fake, {
        {"Caf\xE9", "Caf?", 0, 1},
        {"\xE7\x81", "??", 0, 2},
    });
}

TEST(TextConversion, ChecksUtf8EvenIntoUtf8) {
    expect_conversions(utf8_codec(), utf8_codec(), {
        {"灯台 Café", "灯台 Café"},
        {"\xC2\x80\xEE\x80\x80", "\xC2\x80\xEE\x80\x80"},  // C1 and private use are UTF-8's to keep
        {"Caf\xE9!", "Caf\xEF\xBF\xBD!", 0, 1},
        {"\xC0\xAF", "\xEF\xBF\xBD\xEF\xBF\xBD", 0, 2},
        {"\xED\xA0\x80", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD", 0, 3},
    });
}

TEST(TextConversion, StopsAfterTheLastWholeCharacterThatFits) {
    const struct {
        std::string_view text;
        std::size_t room;
        std::string_view converted;
        bool cut;
        int not_in_source;
    } cases[] = {
        {"ab\x81\x40", 4, "ab", true, 0},  // あ takes three bytes
        {"ab\x81\x40", 5, "abあ", false, 0},
        {"a\xFF\xFF", 5, "a\xEF\xBF\xBD", true, 1},  // counts only what was written
        {"abc", 2, "ab", true, 0},
        {"", 0, "", false, 0},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(testing::PrintToString(std::string(row.text)) + " in " + std::to_string(row.room));
        std::vector<char> out(row.room);
        const ConvertedText converted = recode_text(fake, utf8_codec(), row.text, out);
        EXPECT_EQ(converted.text, row.converted);
        EXPECT_EQ(converted.cut, row.cut);
        EXPECT_EQ(converted.not_in_source, row.not_in_source);
    }
}

// The worst cases of growth still fit the buffer converted_size_limit gives.
TEST(TextConversion, NeedsNoMoreRoomThanItsLimit) {
    const struct {
        std::string text;
        const CharsetCodec from;
        const CharsetCodec to;
    } cases[] = {
        {std::string(1023, '\xFF'), fake, utf8_codec()},        // U+FFFD for every byte
        {std::string(1023, '\xA1'), fake, utf8_codec()},        // two bytes for one
        {std::string(1023, '\xFF'), utf8_codec(), utf8_codec()},
    };
    for (const auto& row : cases) {
        std::vector<char> out(converted_size_limit(row.text.size()));
        const ConvertedText converted = recode_text(row.from, row.to, row.text, out);
        EXPECT_FALSE(converted.cut);
    }
    std::string vietnamese;
    for (int i = 0; i < 341; ++i) vietnamese += "\xE1\xBA\xBF";  // ế: three bytes into two
    std::vector<char> out(converted_size_limit(vietnamese.size()));
    EXPECT_EQ(recode_text(utf8_codec(), fake, vietnamese, out).text.size(), 682u);
}

}  // namespace
}  // namespace kelpway
