// A mark's name as the name element of a GPX waypoint.
#pragma once

#include <cstdint>
#include <string_view>

#include "output/output_file.h"

namespace kelpway {

// Writes `indent`, the element and its line end; gives the number of bytes
// replaced by U+FFFD, those that are not part of a UTF-8 character XML can
// hold (control bytes other than tab included). '&', '<' and '>' are written
// as references, which kelpway's GPX reading decodes again; a text too long
// for one line piece of that reading after the tag starts on a line of its
// own.
std::int64_t put_name_element(OutputFile& file, std::string_view indent, std::string_view name);

}  // namespace kelpway
