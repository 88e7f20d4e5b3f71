// Layer: base. Takes XML comments out of the input's bytes before they
// become lines, so that nothing a comment holds is read as data.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace kelpway {

// Where the bytes filtered so far left off. A comment runs from "<!--" to
// the next "-->" after it; a CDATA section from "<![CDATA[" to the next
// "]]>", and inside it "<!--" begins no comment (nor "<![CDATA[" inside a
// comment). Either one without its end runs to the end of the input.
struct CommentFilter {
    enum class Within : std::uint8_t { text, comment, cdata };
    Within within = Within::text;
    std::uint8_t closed = 0;  // bytes of "-->" or "]]>" met so far
    // Text that may begin "<!--" or "<![CDATA[" but does not yet tell which:
    // whether it stays depends on bytes still to come.
    std::array<char, 8> opening{};
    std::uint8_t opening_size = 0;
};

// Filters `bytes` in place and gives how many stay at their front. Unless `at_end`,
// an opening the bytes end with is held back in the filter; the caller puts
// it back in front of the bytes that follow (put_back_opening) before it
// filters them.
std::size_t take_out_comments(CommentFilter& filter, std::span<char> bytes, bool at_end);

// Copies the held-back opening to `into` and forgets it: filtered again
// with what follows, it ends as it would have in one piece.
std::size_t put_back_opening(CommentFilter& filter, char* into);

}  // namespace kelpway
