// A waypoint's name: the text of its first <name> element, which may run
// over several lines.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "gpx/name_charsets.h"
#include "gpx/scan_state.h"

namespace kelpway {

struct WaypointName {
    enum class Stage : std::uint8_t { searching, before_text, in_text, in_cdata, done };
    Stage stage = Stage::searching;
    bool literal = false;  // a CDATA section's text: no references in it
    std::size_t size = 0;
    std::array<char, line_size - 1> bytes;  // at most one line piece is kept
    std::string_view view() const { return {bytes.data(), size}; }
};

// The parts of a line that lie outside the name's text, where the
// element's end tag may stand.
struct OutsideName {
    std::string_view before;
    std::string_view after;
};

// Takes what `line`, a line of the element, holds of the name. Lines that
// end (LF, CR LF, CR) inside the text go on with the next line: the pieces
// are joined with one blank, each continuation without its leading blanks
// and tabs, empty pieces dropped. A line without a line end ends the name.
OutsideName take_name(std::string_view line, WaypointName& name);

// The name as a reader shows it, once its element has ended: references
// decoded in text that was not a CDATA section; with `charsets`, first
// turned into UTF-8 and then into the MMK's charset. Called once.
std::string_view finish_name(WaypointName& name, NameCharsets* charsets);

}  // namespace kelpway
