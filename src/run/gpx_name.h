// A mark's name as the name element of a GPX waypoint.
#pragma once

#include <cstdint>
#include <string_view>

#include "output/output_file.h"

namespace kelpway {

// What a name lost on its way into GPX, each written as U+FFFD.
struct NameReplacements {
    std::int64_t bytes = 0;       // that are not UTF-8
    std::int64_t characters = 0;  // UTF-8 that XML cannot hold: control characters but tab, U+FFFE, U+FFFF
};

// Writes `indent`, the element and its line end. '&', '<' and '>' are written
// as references, which kelpway's GPX reading decodes again; a name that its
// references would make too long for that reading's line piece goes into a
// CDATA section, and one too long for the tag's line starts a line of its own.
NameReplacements put_name_element(OutputFile& file, std::string_view indent, std::string_view name);

}  // namespace kelpway
