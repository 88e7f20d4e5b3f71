// A faster form of degrees_minutes_text for the usual coordinate text:
// rounded in exact decimal, where the binary route would take a double.
#pragma once

#include <string_view>

#include "output/degrees.h"

namespace kelpway {

// degrees_minutes_text(value_text), into `result` in place: the records
// copy the text soon after, and a copy of bytes just stored in other
// widths makes the processor wait.
void degrees_minutes_text_decimal(std::string_view value_text, DegreesMinutes& result);

}  // namespace kelpway
