// A mark's name as the name element of a GPX waypoint.
#pragma once

#include <cstdint>
#include <string_view>

#include "output/output_file.h"

namespace kelpway {

// Writes `indent`, the element and its line end; gives the number of bytes
// replaced by U+FFFD, those that are not part of a UTF-8 character XML can
// hold (control bytes other than tab included).
//
// An MMK name converted from GPX holds the element's text as it stood there,
// references included, so the text is written back so that kelpway's GPX
// line reading gives the same bytes again wherever XML allows it:
// - as it stands when it is XML text already (no '<', every '&' the start
//   of a reference, no "]]>");
// - else in a CDATA section, which that reading unwraps;
// - else (a "]]>", or a '>' and '<' where that reading ends a line) with
//   '&', '<' and '>' as &amp; &lt; &gt;.
// A text too long for one line piece of that reading after the tag starts
// on a line of its own.
std::int64_t put_name_element(OutputFile& file, std::string_view indent, std::string_view name);

}  // namespace kelpway
