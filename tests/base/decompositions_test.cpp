// Letters that CP1258 and CP1255 hold only decomposed, written as glibc
// writes them, so that every platform writes them alike.
#include "base/decompositions.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "../run/charset_conversion.h"

#if !defined(_WIN32)
#include <iconv.h>
#endif

namespace kelpway {
namespace {

TEST(Decompositions, SplitALetterIntoTheFormCp1258Holds) {
    const struct {
        char32_t composed;
        std::u32string parts;
    } cases[] = {
        {0x1EBF, U"\u00EA\u0301"},         // ế: ê and acute
        {0x1EB7, U"\u0103\u0323"},         // ặ: ă and dot below, not ạ and breve
        {0x00E3, U"a\u0303"},               // ã
        {0x1E4C, U"O\u0303\u0301"},        // Ṍ: the tilde first
        {0xFB2C, U"\u05E9\u05BC\u05C1"},  // shin with dagesh and shin dot, in CP1255
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(static_cast<unsigned>(row.composed));
        const std::span<const char32_t> parts = decomposition_of(row.composed);
        EXPECT_EQ(std::u32string(parts.begin(), parts.end()), row.parts);
    }
    for (const char32_t kept : {U'e', U'\u00E9', U'\u00EA', U'\u0301', U'\u706F', U'\U0001F600'}) {
        EXPECT_TRUE(decomposition_of(kept).empty()) << static_cast<unsigned>(kept);
    }
}

#if !defined(_WIN32)
std::string glibc_bytes(const char* charset, char32_t code_point) {
    const iconv_t glibc = iconv_open(charset, "UTF-32LE");
    std::array<char, 4> in{};
    for (std::size_t i = 0; i < in.size(); ++i) in[i] = static_cast<char>((code_point >> (8U * i)) & 0xFFU);
    std::array<char, 16> out{};
    char* in_at = in.data();
    char* out_at = out.data();
    std::size_t in_left = in.size();
    std::size_t out_left = out.size();
    const bool converted = iconv(glibc, &in_at, &in_left, &out_at, &out_left) == 0;
    iconv_close(glibc);
    return converted ? std::string(out.data(), out.size() - out_left) : "(none)";
}

// glibc writes every letter CP1258 and CP1255 hold only decomposed as
// kelpway does on every platform, but for four where it writes a letter that
// is not the same text (Ó and a tilde for Ṍ, whose tilde comes first).
TEST(Decompositions, SplitLettersAsGlibcDoes) {
    const std::u32string glibc_mistakes = U"\u1E4C\u1E4D\u1E78\u1E79";
    int decompositions = 0;
    int written = 0;
    for (char32_t code_point = 0xA0; code_point < 0x10000; ++code_point) {
        if (decomposition_of(code_point).empty()) continue;
        ++decompositions;
        std::array<char, longest_char> utf8{};
        const std::string_view text{utf8.data(), encode_utf8_char(code_point, utf8)};
        for (const char* charset : {"CP1258", "CP1255"}) {
            const Converted kelpway = convert("UTF-8", charset, text);
            if (kelpway.not_in_target != 0) continue;
            ++written;
            SCOPED_TRACE(std::string(charset) + " " + std::string(text));
            const bool mistaken = glibc_mistakes.find(code_point) != std::u32string::npos;
            EXPECT_EQ(kelpway.text == glibc_bytes(charset, code_point), !mistaken);
        }
    }
    EXPECT_EQ(written, decompositions);
}
#endif

}  // namespace
}  // namespace kelpway
