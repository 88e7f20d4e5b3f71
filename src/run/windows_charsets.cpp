// The charsets of Windows, through its code pages: one character at a
// time, refusing best-fit look-alikes and bytes a code page leaves undefined.
#if defined(_WIN32)

#include <array>
#include <cstddef>
#include <cstdint>

#include <windows.h>

#include "run/system_charsets.h"

namespace kelpway {

namespace {

UINT code_page_of(const void* context) { return static_cast<const OpenCharset*>(context)->charset->code_page; }

bool is_high_surrogate(wchar_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool is_low_surrogate(wchar_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

char32_t joined(wchar_t high, wchar_t low) {
    const std::uint32_t high_bits = static_cast<std::uint32_t>(high) & 0x3FFU;
    const std::uint32_t low_bits = static_cast<std::uint32_t>(low) & 0x3FFU;
    return static_cast<char32_t>(0x10000U + (high_bits << 10U) + low_bits);
}

DecodedChar decode_char(const void* context, std::string_view bytes) {
    const UINT code_page = code_page_of(context);
    const std::size_t size = IsDBCSLeadByteEx(code_page, static_cast<BYTE>(bytes[0])) ? 2 : 1;
    if (bytes.size() < size) return {};
    std::array<wchar_t, 2> wide{};
    const int units = MultiByteToWideChar(code_page, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(size),
                                          wide.data(), static_cast<int>(wide.size()));
    if (units == 1 && !is_high_surrogate(wide[0]) && !is_low_surrogate(wide[0])) return {wide[0], size};
    if (units == 2 && is_high_surrogate(wide[0]) && is_low_surrogate(wide[1])) {
        return {joined(wide[0], wide[1]), size};
    }
    return {};
}

// The default character marks what the code page lacks; best fit is off, so
// a character never turns into another that looks like it.
std::size_t encode_char(const void* context, char32_t code_point, std::span<char, longest_char> bytes) {
    std::array<wchar_t, 2> wide{static_cast<wchar_t>(code_point)};
    int units = 1;
    if (code_point >= 0x10000) {
        const std::uint32_t bits = static_cast<std::uint32_t>(code_point) - 0x10000U;
        wide = {static_cast<wchar_t>(0xD800U | (bits >> 10U)), static_cast<wchar_t>(0xDC00U | (bits & 0x3FFU))};
        units = 2;
    }
    BOOL used_default = FALSE;
    const int size = WideCharToMultiByte(code_page_of(context), WC_NO_BEST_FIT_CHARS, wide.data(), units, bytes.data(),
                                         static_cast<int>(bytes.size()), nullptr, &used_default);
    return size > 0 && !used_default ? static_cast<std::size_t>(size) : 0;
}

}  // namespace

bool open_system_charset(const Charset& charset, OpenCharset& open) {
    if (charset.code_page == 0 || !IsValidCodePage(charset.code_page)) return false;
    open.codec = {decode_char, encode_char, &open, false};
    return true;
}

OpenCharset::~OpenCharset() = default;

}  // namespace kelpway

#endif
