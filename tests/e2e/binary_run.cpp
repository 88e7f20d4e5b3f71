// Running the real kelpway binary in a temporary directory.
#include "binary_run.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include <fcntl.h>
#include <unistd.h>
#include <sys/wait.h>

namespace kelpway::e2e {

namespace {

std::string shell_quoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) {
        if (c == '\'') {
            quoted += "'\\''";
        } else {
            quoted += c;
        }
    }
    quoted += '\'';
    return quoted;
}

// Descriptors the test runner holds must not reach the binary: tests count
// the descriptors it may open.
void keep_descriptors_from_children() {
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
        int fd = std::atoi(entry.path().filename().c_str());
        if (fd > 2) fcntl(fd, F_SETFD, FD_CLOEXEC);
    }
}

}  // namespace

TempDir::TempDir() {
    std::string name = (std::filesystem::temp_directory_path() / "kelpway-e2e-XXXXXX").string();
    if (!mkdtemp(name.data())) throw std::runtime_error("mkdtemp failed");
    path = name;
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::permissions(path, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path, ignored);
}

// Output goes to a pipe, so limits set for the run leave the capture alone;
// the redirection comes first for the same reason.
BinaryRun run_kelpway(const std::filesystem::path& directory,
                      const std::vector<std::string>& arguments, const std::string& setup,
                      const std::string& runner) {
    std::string command = "exec 2>&1; cd ";
    command += shell_quoted(directory.string());
    command += " && ";
    command += setup;
    command += " exec ";
    command += runner;
    command += ' ';
    command += shell_quoted(KELPWAY_BINARY);
    for (const std::string& argument : arguments) {
        command += ' ';
        command += shell_quoted(argument);
    }
    keep_descriptors_from_children();
    std::FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) throw std::runtime_error("popen failed");
    std::string printed;
    char chunk[4096];
    while (std::size_t got = std::fread(chunk, 1, sizeof chunk, pipe)) printed.append(chunk, got);
    int status = pclose(pipe);
    int exit_status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return {exit_status, printed};
}

BinaryRun run_kelpway_unprivileged(const std::filesystem::path& directory,
                                   const std::vector<std::string>& arguments) {
    if (geteuid() != 0) return run_kelpway(directory, arguments);
    constexpr uid_t nobody = 65534;
    if (chown(directory.c_str(), nobody, nobody) != 0) throw std::runtime_error("chown failed");
    for (const auto& entry : std::filesystem::directory_iterator(directory)) {
        if (chown(entry.path().c_str(), nobody, nobody) != 0) throw std::runtime_error("chown failed");
    }
    return run_kelpway(directory, arguments, "", "setpriv --reuid=65534 --regid=65534 --clear-groups --");
}

std::string read_file(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary | std::ios::ate);
    std::string bytes(in ? static_cast<std::size_t>(in.tellg()) : 0, '\0');
    in.seekg(0);
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return bytes;
}

void write_file(const std::filesystem::path& file, const std::string& bytes) {
    std::ofstream out(file, std::ios::binary);
    out << bytes;
}

std::vector<std::string> entries(const std::filesystem::path& directory) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(directory)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::filesystem::path test_data(const std::string& name) {
    return std::filesystem::path(KELPWAY_TEST_DATA) / name;
}

}  // namespace kelpway::e2e
