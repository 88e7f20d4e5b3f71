// The scan over the input's lines: each reader line is handed to its reader.
#pragma once

#include <string>
#include <string_view>

#include "gpx/scan_state.h"

namespace kelpway {

// The start record, the scan, and the end record unless the input failed.
// Stops early once the DRW is lost.
void scan_input(ScanState& state);

// The same conversion of a GPX text held in memory into the DRW and MMK
// texts, with `state` fresh but for its options: true when both are whole.
bool convert_text(ScanState& state, std::string_view gpx, std::string& drw, std::string& mmk);

}  // namespace kelpway
