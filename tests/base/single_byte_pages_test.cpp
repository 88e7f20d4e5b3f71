// kelpway's own single-byte pages: the letters they are for, and on glibc
// every byte read as glibc reads it.
#include "base/single_byte_pages.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

#if !defined(_WIN32)
#include <iconv.h>
#endif

namespace kelpway {
namespace {

DecodedChar read_byte(const SingleBytePage& page, unsigned char byte) {
    const CharsetCodec codec = single_byte_codec(page);
    const char text = static_cast<char>(byte);
    return codec.decode(codec.context, {&text, 1});
}

TEST(SingleBytePages, HoldTheLettersTheyAreFor) {
    const struct {
        const SingleBytePage& page;
        unsigned char byte;
        char32_t code_point;
    } cases[] = {
        {iso_8859_7_page, 0xA4, 0x20AC},  {iso_8859_7_page, 0xA1, 0x2018},  {iso_8859_7_page, 0xC1, 0x0391},
        {iso_8859_8_page, 0xE0, 0x05D0},  {iso_8859_8_page, 0xFE, 0x200F},  {iso_8859_8_page, 0xAF, 0x00AF},
        {iso_8859_10_page, 0xDE, 0x00DE}, {iso_8859_10_page, 0xBF, 0x014B}, {iso_8859_10_page, 0xFF, 0x0138},
        {iso_8859_11_page, 0xA1, 0x0E01}, {iso_8859_11_page, 0xFB, 0x0E5B}, {iso_8859_11_page, 0xA0, 0x00A0},
        {iso_8859_14_page, 0xFE, 0x0177}, {iso_8859_14_page, 0xD0, 0x0174}, {iso_8859_14_page, 0xA1, 0x1E02},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.byte);
        const DecodedChar read = read_byte(row.page, row.byte);
        EXPECT_EQ(read.code_point, row.code_point);
        EXPECT_EQ(read.size, 1u);
        const CharsetCodec codec = single_byte_codec(row.page);
        std::array<char, longest_char> written{};
        ASSERT_EQ(codec.encode(codec.context, row.code_point, written), 1u);
        EXPECT_EQ(static_cast<unsigned char>(written[0]), row.byte);
    }
}

TEST(SingleBytePages, LeaveTheirGapsEmpty) {
    const struct {
        const SingleBytePage& page;
        unsigned char byte;
    } cases[] = {
        {iso_8859_7_page, 0xAE}, {iso_8859_7_page, 0xD2}, {iso_8859_7_page, 0xFF}, {iso_8859_8_page, 0xA1},
        {iso_8859_8_page, 0xC0}, {iso_8859_8_page, 0xFF}, {iso_8859_11_page, 0xDB}, {iso_8859_11_page, 0xFC},
        {ascii_page, 0x80},      {ascii_page, 0xA0},      {ascii_page, 0xFF},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.byte);
        EXPECT_EQ(read_byte(row.page, row.byte).size, 0u);
    }
    const CharsetCodec ascii = single_byte_codec(ascii_page);
    std::array<char, longest_char> written{};
    for (const char32_t code_point : {char32_t{0x80}, char32_t{0xE9}, char32_t{0x20AC}}) {
        EXPECT_EQ(ascii.encode(ascii.context, code_point, written), 0u);
    }
}

#if !defined(_WIN32)
// glibc reads these parts of ISO-8859 as the pages do, byte for byte: on
// Windows the pages stand in for it.
TEST(SingleBytePages, ReadEveryByteAsGlibcDoes) {
    const struct {
        const char* name;
        const SingleBytePage& page;
    } pages[] = {
        {"ISO-8859-7", iso_8859_7_page},   {"ISO-8859-8", iso_8859_8_page},   {"ISO-8859-10", iso_8859_10_page},
        {"ISO-8859-11", iso_8859_11_page}, {"ISO-8859-14", iso_8859_14_page}, {"ASCII", ascii_page},
    };
    for (const auto& named : pages) {
        SCOPED_TRACE(named.name);
        const iconv_t glibc = iconv_open("UTF-32LE", named.name);
        ASSERT_NE(glibc, reinterpret_cast<iconv_t>(-1));  // NOLINT(performance-no-int-to-ptr)
        for (unsigned byte = 0x80; byte < 0x100; ++byte) {
            std::array<char, 1> in{static_cast<char>(byte)};
            std::array<unsigned char, 4> out{};
            char* in_at = in.data();
            char* out_at = reinterpret_cast<char*>(out.data());
            std::size_t in_left = 1;
            std::size_t out_left = 4;
            const bool defined = iconv(glibc, &in_at, &in_left, &out_at, &out_left) == 0;
            const char32_t code_point = out[0] | (out[1] << 8U) | (out[2] << 16U);
            const DecodedChar read = read_byte(named.page, static_cast<unsigned char>(byte));
            EXPECT_EQ(read.size, defined ? 1u : 0u) << byte;
            if (defined) {
                EXPECT_EQ(read.code_point, code_point) << byte;
            }
        }
        iconv_close(glibc);
    }
}
#endif

}  // namespace
}  // namespace kelpway
