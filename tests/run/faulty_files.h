// A file system whose k-th call fails, for the fault tables.
#pragma once

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <functional>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "run/file_system.h"

namespace kelpway {

// stop: the call goes through, after the process has raised `stop_signal` at itself.
enum class Fault { io_error, short_write, failed_close, interrupted, stop };
enum class Call { exists, list, open_input, create_temporary, place_new, place_over, replaceable, read, write, close };
enum class Role { none, input, drw, mmk };

// `real`, with the call numbered `failing` (from 1) failing as `fault` says, and a second one
// too when `also_failing` is set. Notes what the failing call was, and which call checked an
// MMK name last.
struct FaultyFiles final : FileSystem {
    FaultyFiles(FileSystem& files, int failing_call, Fault kind, int second = 0)
        : real(files), failing(failing_call), also_failing(second), fault(kind) {}
    FileSystem& real;
    int failing;
    int also_failing;
    Fault fault;
    int stop_signal = SIGINT;
    int calls = 0;
    int last_check = 0;
    Call failed_call = Call::exists;
    Role failed_role = Role::none;
    std::vector<std::pair<FileHandle, Role>> roles;
    // The paths inputs were opened by, and the one the failing call was about, if an input's.
    std::vector<std::pair<FileHandle, std::string>> input_paths;
    std::string failed_path;
    int lists = 0;  // listings asked for so far
    // What another run does while this one converts: called before the DRW is first placed,
    // and before the MMK is placed.
    std::function<void()> meanwhile;
    std::function<void()> before_mark;

    Role role_of(FileHandle file) const {
        for (const auto& [handle, role] : roles) {
            if (handle == file) return role;
        }
        return Role::none;
    }
    FileHandle note(FileHandle file, Role role) {
        if (file != no_file) roles.emplace_back(file, role);
        return file;
    }
    // The first temporary of a run is its DRW, the second its MMK.
    Role next_output() const {
        const auto outputs = std::count_if(roles.begin(), roles.end(), [](const auto& noted) {
            return noted.second == Role::drw || noted.second == Role::mmk;
        });
        return outputs % 2 == 0 ? Role::drw : Role::mmk;
    }
    // Counts the call; true when it is to fail in one of the `kinds` of fault.
    bool fails(Call call, Role role, std::initializer_list<Fault> kinds) {
        ++calls;
        if (calls != failing && calls != also_failing) return false;
        if (fault == Fault::stop) {
            std::raise(stop_signal);
            return false;
        }
        if (std::find(kinds.begin(), kinds.end(), fault) == kinds.end()) return false;
        failed_call = call;
        failed_role = role;
        return true;
    }

    bool exists(const std::string& path) override {
        return !fails(Call::exists, Role::none, {Fault::io_error}) && real.exists(path);
    }
    bool list(const std::string& directory, const std::function<void(std::string_view)>& visit) override {
        ++lists;
        return !fails(Call::list, Role::none, {Fault::io_error}) && real.list(directory, visit);
    }
    FileHandle open_input(const std::string& path) override {
        if (fails(Call::open_input, Role::input, {Fault::io_error})) {
            failed_path = path;
            return no_file;
        }
        const FileHandle file = note(real.open_input(path), Role::input);
        if (file != no_file) input_paths.emplace_back(file, path);
        return file;
    }
    FileHandle create_temporary(const std::string& directory) override {
        const Role role = next_output();
        if (fails(Call::create_temporary, role, {Fault::io_error})) return no_file;
        return note(real.create_temporary(directory), role);
    }
    Placed place_new(FileHandle file, const std::string& path) override {
        if (meanwhile) std::exchange(meanwhile, nullptr)();
        if (fails(Call::place_new, role_of(file), {Fault::io_error})) return Placed::failed;
        return real.place_new(file, path);
    }
    bool place_over(FileHandle file, const std::string& path) override {
        if (before_mark) std::exchange(before_mark, nullptr)();
        return !fails(Call::place_over, role_of(file), {Fault::io_error}) && real.place_over(file, path);
    }
    bool replaceable(const std::string& path, FileHandle input) override {
        const bool failed = fails(Call::replaceable, Role::mmk, {Fault::io_error});
        last_check = calls;
        return !failed && real.replaceable(path, input);
    }
    // Only runs that already failed call these.
    void discard(FileHandle file) override { real.discard(file); }
    void remove(const std::string& path) override { real.remove(path); }
    std::ptrdiff_t read(FileHandle file, char* bytes, std::size_t size) override {
        if (fails(Call::read, role_of(file), {Fault::io_error, Fault::interrupted})) {
            for (const auto& [handle, path] : input_paths) {
                if (handle == file) failed_path = path;
            }
            return failure();
        }
        return real.read(file, bytes, size);
    }
    std::ptrdiff_t write(FileHandle file, const char* bytes, std::size_t size) override {
        if (fails(Call::write, role_of(file), {Fault::io_error, Fault::interrupted, Fault::short_write})) {
            if (fault != Fault::short_write) return failure();
            size = size > 1 ? size / 2 : size;
        }
        return real.write(file, bytes, size);
    }
    bool close(FileHandle file) override {
        const bool failed = fails(Call::close, role_of(file), {Fault::io_error, Fault::failed_close});
        return real.close(file) && !failed;
    }
    std::ptrdiff_t failure() const {
        errno = fault == Fault::interrupted ? EINTR : EIO;
        return -1;
    }
};

}  // namespace kelpway
