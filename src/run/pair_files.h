// The files of the other direction: the pair FILE names, read, and its GPX
// beside it, which appears whole or not at all and never replaces an entry.
#pragma once

#include <string_view>

#include "run/file_system.h"
#include "run/outcome.h"
#include "run/pair_conversion.h"
#include "run/file_link.h"

namespace kelpway {

struct PairFiles {
    PairState pair;
    FileLink drw;
    FileLink mmk;
    FileLink gpx;  // the temporary until it is placed
};

// Reads FILE's extension replaced by DRW and by MMK, each found without
// regard to case (one may be missing, not both), into FILE with the
// extension GPX. Every file it opened is closed when it returns.
Outcome convert_pair_files(PairFiles& state, std::string_view path, FileSystem& files);

}  // namespace kelpway
