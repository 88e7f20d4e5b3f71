// The file system of Windows, through the wide-character API.
#if defined(_WIN32)

#include <cerrno>
#include <string>

#include <windows.h>

#include "run/file_system.h"
#include "run/windows_text.h"

namespace kelpway {

namespace {

// The longest path the wide API takes with the \\?\ prefix.
constexpr std::size_t longest_path = 32767 - 8;

// The one check before every system call: a path that does not fit is
// refused rather than cut into another name. One of the classic length or
// more is made absolute and given the prefix that lifts that limit.
bool system_path(const std::string& path, std::wstring& wide) {
    wide = utf16_of(path);
    if (wide.size() >= longest_path) return false;
    if (wide.size() < MAX_PATH - 12) return true;  // room for a file name below a created directory
    std::wstring full(longest_path, L'\0');
    const DWORD size = GetFullPathNameW(wide.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (size == 0 || size >= full.size()) return false;
    full.resize(size);
    wide = full.starts_with(L"\\\\") ? L"\\\\?\\UNC\\" + full.substr(2) : L"\\\\?\\" + full;
    return wide.size() < longest_path;
}

HANDLE handle_of(FileHandle file) { return reinterpret_cast<HANDLE>(file); }
FileHandle file_of(HANDLE handle) { return reinterpret_cast<FileHandle>(handle); }

bool same_file(HANDLE a, HANDLE b) {
    BY_HANDLE_FILE_INFORMATION first;
    BY_HANDLE_FILE_INFORMATION second;
    return GetFileInformationByHandle(a, &first) && GetFileInformationByHandle(b, &second) &&
           first.dwVolumeSerialNumber == second.dwVolumeSerialNumber &&
           first.nFileIndexHigh == second.nFileIndexHigh && first.nFileIndexLow == second.nFileIndexLow;
}

bool is_plain_file(HANDLE file) {
    BY_HANDLE_FILE_INFORMATION information;
    return GetFileType(file) == FILE_TYPE_DISK && GetFileInformationByHandle(file, &information) &&
           (information.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) == 0;
}

DWORD chunk_of(std::size_t size) { return size < 0x40000000 ? static_cast<DWORD>(size) : 0x40000000; }

struct WindowsFileSystem final : FileSystem {
    bool exists(const std::string& path) override {
        std::wstring wide;
        return system_path(path, wide) && GetFileAttributesW(wide.c_str()) != INVALID_FILE_ATTRIBUTES;
    }

    bool list(const std::string& directory, const std::function<void(std::string_view)>& visit) override {
        const bool separated = !directory.empty() && (directory.back() == '\\' || directory.back() == '/');
        std::wstring pattern;
        if (!system_path(directory + (separated ? "*" : "\\*"), pattern)) return false;
        WIN32_FIND_DATAW entry;
        const HANDLE search = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &entry, FindExSearchNameMatch,
                                               nullptr, FIND_FIRST_EX_LARGE_FETCH);
        if (search == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_NOT_FOUND;
        do {
            visit(utf8_of(entry.cFileName));
        } while (FindNextFileW(search, &entry));
        FindClose(search);
        return true;
    }

    FileHandle open_input(const std::string& path) override {
        std::wstring wide;
        if (!system_path(path, wide)) return no_file;
        const HANDLE file = CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
        if (file == INVALID_HANDLE_VALUE) return no_file;
        if (GetFileType(file) != FILE_TYPE_DISK) {
            CloseHandle(file);
            return no_file;
        }
        return file_of(file);
    }

    Created create_new(const std::string& path, FileHandle& file) override {
        std::wstring wide;
        file = no_file;
        if (!system_path(path, wide)) return Created::failed;
        const HANDLE created = CreateFileW(wide.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                                           FILE_ATTRIBUTE_NORMAL, nullptr);
        if (created != INVALID_HANDLE_VALUE) {
            file = file_of(created);
            return Created::created;
        }
        return GetLastError() == ERROR_FILE_EXISTS ? Created::exists : Created::failed;
    }

    // Opened without following a reparse point, compared with the input,
    // and only then emptied, as on other platforms.
    FileHandle open_mark(const std::string& path, FileHandle input) override {
        std::wstring wide;
        if (!system_path(path, wide)) return no_file;
        const HANDLE file = CreateFileW(wide.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
        if (file == INVALID_HANDLE_VALUE) return no_file;
        LARGE_INTEGER start{};
        if (!is_plain_file(file) || same_file(file, handle_of(input)) ||
            !SetFilePointerEx(file, start, nullptr, FILE_BEGIN) || !SetEndOfFile(file)) {
            CloseHandle(file);
            return no_file;
        }
        return file_of(file);
    }

    std::ptrdiff_t read(FileHandle file, char* bytes, std::size_t size) override {
        DWORD got = 0;
        if (!ReadFile(handle_of(file), bytes, chunk_of(size), &got, nullptr)) {
            if (GetLastError() == ERROR_HANDLE_EOF) return 0;
            errno = EIO;
            return -1;
        }
        return static_cast<std::ptrdiff_t>(got);
    }

    std::ptrdiff_t write(FileHandle file, const char* bytes, std::size_t size) override {
        DWORD written = 0;
        if (!WriteFile(handle_of(file), bytes, chunk_of(size), &written, nullptr)) {
            errno = EIO;
            return -1;
        }
        return static_cast<std::ptrdiff_t>(written);
    }

    bool close(FileHandle file) override { return CloseHandle(handle_of(file)) != 0; }
};

}  // namespace

FileSystem& system_files() {
    static WindowsFileSystem files;
    return files;
}

}  // namespace kelpway

#endif
