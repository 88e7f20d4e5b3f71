// Character and entity references in a name's text, as a GPX reader shows them.
#pragma once

#include <cstddef>

namespace kelpway {

// Replaces, in place, &amp; &lt; &gt; &quot; &apos;, &#N; (decimal) and
// &#xH; (hexadecimal, either case) by the character they stand for, in
// UTF-8; gives the new size, never more than `size`. Any other '&' stays as
// written: one that begins no complete reference, an unknown name, and a
// character below 32, 127, a surrogate or past U+10FFFF, so that a name
// never gains a line end or a NUL.
std::size_t decode_references(char* text, std::size_t size);

}  // namespace kelpway
