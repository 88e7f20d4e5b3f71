// Running the real kelpway binary in a temporary directory.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace kelpway::e2e {

// A fresh directory, removed with everything in it at the end of a test.
struct TempDir {
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    std::filesystem::path path;
};

struct BinaryRun {
    int status;
    std::string printed;
};

// Runs `kelpway ARGUMENTS` with `directory` as the working directory.
// `setup` is shell text run before it in the same shell (limits, traps);
// `runner` a command that runs it (setpriv ...).
BinaryRun run_kelpway(const std::filesystem::path& directory,
                      const std::vector<std::string>& arguments, const std::string& setup = "",
                      const std::string& runner = "");

// The same as a user without privileges when the tests run as root (as CI runs them), so that
// permissions hold: the user nobody, through setpriv, owning `directory` and what it holds.
BinaryRun run_kelpway_unprivileged(const std::filesystem::path& directory,
                                   const std::vector<std::string>& arguments);

std::string read_file(const std::filesystem::path& file);
void write_file(const std::filesystem::path& file, const std::string& bytes);

// The names in `directory`, sorted.
std::vector<std::string> entries(const std::filesystem::path& directory);

// A file under tests/e2e/data.
std::filesystem::path test_data(const std::string& name);

}  // namespace kelpway::e2e
