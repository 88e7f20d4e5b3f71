// Layer: base. Characters that some code pages hold only as a letter
// followed by combining marks: Vietnamese in CP1258, pointed Hebrew in CP1255.
#pragma once

#include <span>

namespace kelpway {

// `code_point` as the same text (canonically equivalent) of a letter and one
// or two combining marks that CP1258 or CP1255 hold; empty when there is none.
std::span<const char32_t> decomposition_of(char32_t code_point);

}  // namespace kelpway
