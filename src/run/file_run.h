// One run on one FILE, in a state of its own: the conversion its options ask
// for, then its summary or its one message.
#pragma once

#include <cstdio>
#include <string_view>

#include "run/file_system.h"
#include "run/options.h"

namespace kelpway {

// The GPX file FILE into a new pair in `color`, or with --to-gpx the pair
// FILE into FILE.GPX. The exit status: 0, or 1 after a message.
int run_file(std::string_view path, int color, const RunOptions& options, std::FILE* console, FileSystem& files);

}  // namespace kelpway
