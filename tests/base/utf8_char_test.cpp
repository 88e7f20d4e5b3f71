// One UTF-8 character read with every check, and written.
#include "base/utf8_char.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace kelpway {
namespace {

TEST(Utf8Char, ReadsEveryFormAtItsBounds) {
    const struct {
        std::string_view bytes;
        char32_t code_point;
        std::size_t size;
    } cases[] = {
        {"A", U'A', 1},
        {"\xC2\x80", 0x80, 2},
        {"\xDF\xBF", 0x7FF, 2},
        {"\xE0\xA0\x80", 0x800, 3},
        {"\xED\x9F\xBF", 0xD7FF, 3},
        {"\xEE\x80\x80", 0xE000, 3},
        {"\xEF\xBF\xBD", 0xFFFD, 3},
        {"\xF0\x90\x80\x80", 0x10000, 4},
        {"\xF4\x8F\xBF\xBF", 0x10FFFF, 4},
        {"\xE7\x81\xAF\xE5\x8F\xB0", 0x706F, 3},  // the first of two characters
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(std::string(row.bytes));
        const DecodedChar read = decode_utf8_char(row.bytes);
        EXPECT_EQ(read.code_point, row.code_point);
        EXPECT_EQ(read.size, row.size);
    }
}

TEST(Utf8Char, StartsNoCharacterWhereTheEncodingForbidsOne) {
    const std::string_view cases[] = {
        "\x80",              // continuation byte
        "\xBF",
        "\xC0\xAF",          // overlong '/'
        "\xC1\xBF",
        "\xE0\x9F\xBF",      // overlong U+07FF
        "\xF0\x8F\xBF\xBF",  // overlong U+FFFF
        "\xED\xA0\x80",      // surrogates
        "\xED\xBF\xBF",
        "\xF4\x90\x80\x80",  // beyond U+10FFFF
        "\xF5\x80\x80\x80",
        "\xFF",
        "\xC3",              // cut short
        "\xE7\x81",
        "\xF0\x90\x80",
        "\xC3(",             // continuation missing
        "\xE7\x81(",
        "\xF0\x90\x80(",
    };
    for (const std::string_view bytes : cases) {
        SCOPED_TRACE(testing::PrintToString(std::string(bytes)));
        EXPECT_EQ(decode_utf8_char(bytes).size, 0u);
    }
}

TEST(Utf8Char, EveryScalarValueReadsBackAsWritten) {
    std::array<char, longest_char> bytes{};
    for (char32_t code_point = 0; code_point <= 0x10FFFF; ++code_point) {
        if (code_point == 0xD800) code_point = 0xE000;
        const std::size_t size = encode_utf8_char(code_point, bytes);
        const DecodedChar read = decode_utf8_char({bytes.data(), size});
        if (read.code_point != code_point || read.size != size) {
            ADD_FAILURE() << "U+" << std::hex << static_cast<std::uint32_t>(code_point);
            break;
        }
    }
}

}  // namespace
}  // namespace kelpway
