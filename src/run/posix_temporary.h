// Outputs written as temporaries on POSIX: created without a name where the
// system offers that (Linux), else under a hidden one, and put in place by a
// link or a rename.
#pragma once

#include <string>

#include "run/file_system.h"

namespace kelpway {

// The one check before every system call: a path that does not fit is
// refused rather than cut into another name.
const char* system_path(const std::string& path);

// An output being written: its directory, and its hidden name unless it has none.
struct Temporary {
    int fd = -1;
    std::string directory;
    std::string name;
};

// A temporary in `directory`, without a name when `unnamed` and the system
// allows; false with errno on a failure.
bool create_temporary_file(Temporary& temporary, const std::string& directory, bool unnamed);

// The name `path`, unless an entry of that name exists (EEXIST).
bool place_temporary_new(Temporary& temporary, const std::string& path);

// The name `path`, in place of the file that holds it.
bool place_temporary_over(Temporary& temporary, const std::string& path);

// Removes the temporary's hidden name, if it still has one.
void remove_temporary_name(Temporary& temporary);

}  // namespace kelpway
