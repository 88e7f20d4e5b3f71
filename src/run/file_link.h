// A file of a run, open behind a byte source or sink.
#pragma once

#include "base/byte_io.h"
#include "run/file_system.h"

namespace kelpway {

struct FileLink {
    FileSystem* files = nullptr;
    FileHandle handle = no_file;
};

// The file's bytes, read through its file system.
ByteSource file_source(FileLink& link);

// Writes to an output written as a temporary, which stays open when its
// writing ends: it is placed, or discarded, by handle.
ByteSink temporary_sink(FileLink& link);

}  // namespace kelpway
