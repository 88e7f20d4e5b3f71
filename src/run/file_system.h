// The file system as a run uses it, behind one small interface, so that
// tests can make any of its calls fail.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace kelpway {

using FileHandle = std::intptr_t;  // a descriptor, or a Windows handle
inline constexpr FileHandle no_file = -1;

enum class Created { created, exists, failed };

struct FileSystem {
    virtual ~FileSystem() = default;
    // An entry of that name exists, whatever it is.
    virtual bool exists(const std::string& path) = 0;
    // Calls `visit` with the name of every entry; false when it cannot list them.
    virtual bool list(const std::string& directory, const std::function<void(std::string_view)>& visit) = 0;
    // A regular file, opened for reading; no_file for anything else.
    virtual FileHandle open_input(const std::string& path) = 0;
    // A file that does not exist yet, created for writing.
    virtual Created create_new(const std::string& path, FileHandle& file) = 0;
    // A regular file opened for writing and emptied, or created: never
    // through a symbolic link, and never `input` itself.
    virtual FileHandle open_mark(const std::string& path, FileHandle input) = 0;
    // Read and write as ByteSource and ByteSink do: -1 with errno on an error.
    virtual std::ptrdiff_t read(FileHandle file, char* bytes, std::size_t size) = 0;
    virtual std::ptrdiff_t write(FileHandle file, const char* bytes, std::size_t size) = 0;
    // False when the file's content may be lost.
    virtual bool close(FileHandle file) = 0;
};

// The platform's own file system.
FileSystem& system_files();

}  // namespace kelpway
