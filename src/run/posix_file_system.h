// The file system of POSIX platforms, in both of its ways of writing outputs.
#pragma once

#include "run/file_system.h"

namespace kelpway {

// system_files() writes an output into a file without a name where the
// system offers one (Linux), and links it into place. This one always uses a
// hidden name, as system_files() does on other systems and on file systems
// that cannot create a file without a name.
FileSystem& files_with_named_temporaries();

}  // namespace kelpway
