// Layer: base. One character of UTF-8, read and written.
#include "base/utf8_char.h"

#include <cstdint>

namespace kelpway {

namespace {

constexpr bool is_continuation(unsigned char byte) { return (byte & 0xC0U) == 0x80U; }

// The first continuation byte narrows what may follow a lead byte: that
// keeps out overlong forms (E0, F0), surrogates (ED) and U+110000 on (F4).
struct LeadByte {
    std::size_t size;
    unsigned char bits;  // of the code point the lead byte holds
    unsigned char second_low;
    unsigned char second_high;
};

constexpr LeadByte lead_byte_of(unsigned char lead) {
    if (lead >= 0xC2 && lead <= 0xDF) return {2, 0x1F, 0x80, 0xBF};
    if (lead == 0xE0) return {3, 0x0F, 0xA0, 0xBF};
    if (lead == 0xED) return {3, 0x0F, 0x80, 0x9F};
    if (lead >= 0xE1 && lead <= 0xEF) return {3, 0x0F, 0x80, 0xBF};
    if (lead == 0xF0) return {4, 0x07, 0x90, 0xBF};
    if (lead >= 0xF1 && lead <= 0xF3) return {4, 0x07, 0x80, 0xBF};
    if (lead == 0xF4) return {4, 0x07, 0x80, 0x8F};
    return {0, 0, 0, 0};  // C0, C1, F5 to FF, continuation bytes
}

}  // namespace

DecodedChar decode_utf8_char(std::string_view bytes) {
    const auto lead = static_cast<unsigned char>(bytes[0]);
    if (lead < 0x80) return {lead, 1};
    const LeadByte form = lead_byte_of(lead);
    if (form.size == 0 || bytes.size() < form.size) return {};
    const auto second = static_cast<unsigned char>(bytes[1]);
    if (second < form.second_low || second > form.second_high) return {};
    char32_t code_point = static_cast<char32_t>(lead & form.bits);
    for (std::size_t i = 1; i < form.size; ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (!is_continuation(byte)) return {};
        code_point = (code_point << 6U) | (byte & 0x3FU);
    }
    return {code_point, form.size};
}

std::size_t encode_utf8_char(char32_t code_point, std::span<char, longest_char> out) {
    const auto byte = [](std::uint32_t value) { return static_cast<char>(static_cast<unsigned char>(value)); };
    const std::uint32_t value = code_point;
    if (value < 0x80) {
        out[0] = byte(value);
        return 1;
    }
    if (value < 0x800) {
        out[0] = byte(0xC0U | (value >> 6U));
        out[1] = byte(0x80U | (value & 0x3FU));
        return 2;
    }
    if (value < 0x10000) {
        out[0] = byte(0xE0U | (value >> 12U));
        out[1] = byte(0x80U | ((value >> 6U) & 0x3FU));
        out[2] = byte(0x80U | (value & 0x3FU));
        return 3;
    }
    out[0] = byte(0xF0U | (value >> 18U));
    out[1] = byte(0x80U | ((value >> 12U) & 0x3FU));
    out[2] = byte(0x80U | ((value >> 6U) & 0x3FU));
    out[3] = byte(0x80U | (value & 0x3FU));
    return 4;
}

}  // namespace kelpway
