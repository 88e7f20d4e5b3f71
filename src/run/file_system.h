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

enum class Placed { placed, exists, failed };

// The outputs are written as temporaries and get their names only when both
// are complete, so no name of the pair ever stands for a half-written file.
struct FileSystem {
    virtual ~FileSystem() = default;
    // An entry of that name exists, whatever it is.
    virtual bool exists(const std::string& path) = 0;
    // Calls `visit` with the name of every entry; false when it cannot list them.
    virtual bool list(const std::string& directory, const std::function<void(std::string_view)>& visit) = 0;
    // A regular file, opened for reading; no_file for anything else.
    virtual FileHandle open_input(const std::string& path) = 0;
    // A new file for writing in `directory`, without a name or under a hidden
    // one that no listing of outputs takes for one; it vanishes when the run
    // ends without placing it, and at worst a crash leaves the hidden name.
    virtual FileHandle create_temporary(const std::string& directory) = 0;
    // Gives a temporary the name `path`, unless an entry of that name exists:
    // an existing entry is never replaced.
    virtual Placed place_new(FileHandle file, const std::string& path) = 0;
    // Gives a temporary the name `path` in place of the file that holds it.
    virtual bool place_over(FileHandle file, const std::string& path) = 0;
    // Nothing is named `path`, or a regular file that is not `input` (never
    // a symbolic link): place_over may put a temporary there.
    virtual bool replaceable(const std::string& path, FileHandle input) = 0;
    // Removes a temporary that was not placed, and closes it.
    virtual void discard(FileHandle file) = 0;
    // Removes a name a failed run placed.
    virtual void remove(const std::string& path) = 0;
    // Read and write as ByteSource and ByteSink do: -1 with errno on an error.
    virtual std::ptrdiff_t read(FileHandle file, char* bytes, std::size_t size) = 0;
    virtual std::ptrdiff_t write(FileHandle file, const char* bytes, std::size_t size) = 0;
    // False when the file's content may be lost.
    virtual bool close(FileHandle file) = 0;
};

// The platform's own file system.
FileSystem& system_files();

}  // namespace kelpway
