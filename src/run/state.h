// The one record of a conversion run: the scan's state and the file set's.
#pragma once

#include <string>

#include "gpx/scan_state.h"
#include "run/file_link.h"
#include "run/file_system.h"
#include "run/path_parts.h"

namespace kelpway {

struct ConversionState {
    ScanState scan;
    PathParts path_parts;     // the argument's, with the extension GPX
    std::string input_path;
    FileLink input_file;
    FileLink line_link;       // DRW
    FileLink mark_link;       // MMK
    int number = 0;           // the pair's: the first free one as listed when the run began
};

}  // namespace kelpway
