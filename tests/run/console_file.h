// A console for run_program to print to, read back by the test.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>

namespace kelpway {

// A file of its own name: std::tmpfile on Windows takes names that tests
// running side by side share, and then gives no file at all.
class ConsoleFile {
public:
    ConsoleFile()
        : path_(std::filesystem::temp_directory_path() /
                ("kelpway-console-" + std::to_string(std::random_device{}()))),
          file_(std::fopen(path_.string().c_str(), "w+b")) {
        EXPECT_NE(file_, nullptr) << "cannot create " << path_.string();
    }
    ConsoleFile(const ConsoleFile&) = delete;
    ConsoleFile& operator=(const ConsoleFile&) = delete;
    ~ConsoleFile() {
        if (file_ != nullptr) std::fclose(file_);
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
    }

    std::FILE* file() const { return file_; }

    // Everything printed so far (up to 4 KiB).
    std::string printed() const {
        if (file_ == nullptr) return {};
        std::string text(4096, '\0');
        std::rewind(file_);
        text.resize(std::fread(text.data(), 1, text.size(), file_));
        return text;
    }

private:
    std::filesystem::path path_;
    std::FILE* file_;
};

}  // namespace kelpway
