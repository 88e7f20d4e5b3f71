// A console for run_program to print to, read back by the test.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>

namespace kelpway {

// A file of its own name: std::tmpfile on Windows takes names that tests
// running side by side share, and then gives no file at all. A name that
// exists already is passed over.
class ConsoleFile {
public:
    ConsoleFile() {
        std::random_device random;
        const auto clock = std::chrono::steady_clock::now().time_since_epoch().count();
        for (int attempt = 0; attempt < 100 && file_ == nullptr; ++attempt) {
            path_ = std::filesystem::temp_directory_path() /
                    ("kelpway-console-" + std::to_string(random()) + "-" + std::to_string(clock + attempt));
            if (!std::filesystem::exists(path_)) file_ = std::fopen(path_.string().c_str(), "w+b");
        }
        EXPECT_NE(file_, nullptr) << "cannot create a console file in " << path_.parent_path().string();
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
    std::FILE* file_ = nullptr;
};

}  // namespace kelpway
