// The file system of Windows, through the wide-character API.
#if defined(_WIN32)

#include <cerrno>
#include <cstring>
#include <string>

#include <windows.h>

#include "run/file_system.h"
#include "run/stop_signals.h"
#include "run/temporary_name.h"
#include "run/windows_text.h"

namespace kelpway {

namespace {

// The longest path the wide API takes with the \\?\ prefix.
constexpr std::size_t longest_path = 32767 - 8;

// The one check before every system call: a path that does not fit is
// refused rather than cut into another name. One whose full form reaches the
// classic length (a short relative path in a deep folder too) is made
// absolute and given the prefix that lifts that limit; one typed with such a
// prefix already is passed on as it stands.
bool system_path(const std::string& path, std::wstring& wide) {
    wide = utf16_of(path);
    if (wide.size() >= longest_path) return false;
    if (wide.starts_with(L"\\\\?\\") || wide.starts_with(L"\\\\.\\")) return true;
    constexpr std::size_t classic = MAX_PATH - 12;  // room for a file name below a created directory
    const DWORD needed = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);  // with its NUL
    if (needed == 0) return wide.size() < classic;
    if (needed < classic && wide.size() < classic) return true;
    std::wstring full(needed, L'\0');
    const DWORD size = GetFullPathNameW(wide.c_str(), needed, full.data(), nullptr);
    if (size == 0 || size >= needed) return false;
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

bool is_read_only(HANDLE file) {
    BY_HANDLE_FILE_INFORMATION information;
    return GetFileInformationByHandle(file, &information) && (information.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0;
}

bool is_plain_file(HANDLE file) {
    BY_HANDLE_FILE_INFORMATION information;
    return GetFileType(file) == FILE_TYPE_DISK && GetFileInformationByHandle(file, &information) &&
           (information.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) == 0;
}

DWORD chunk_of(std::size_t size) { return size < 0x40000000 ? static_cast<DWORD>(size) : 0x40000000; }

// A temporary is deleted when its last handle closes, however the process
// ends, until placing it clears that.
bool set_deleted_on_close(HANDLE file, bool deleted) {
    FILE_DISPOSITION_INFO disposition{};
    disposition.DeleteFile = deleted ? TRUE : FALSE;
    return SetFileInformationByHandle(file, FileDispositionInfo, &disposition, sizeof disposition) != 0;
}

bool rename_file(HANDLE file, const std::wstring& path, bool replace) {
    const std::size_t name_bytes = path.size() * sizeof(wchar_t);
    std::string buffer(sizeof(FILE_RENAME_INFO) + name_bytes, '\0');
    auto* rename = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
    rename->ReplaceIfExists = replace ? TRUE : FALSE;
    rename->RootDirectory = nullptr;
    rename->FileNameLength = static_cast<DWORD>(name_bytes);
    std::memcpy(rename->FileName, path.c_str(), name_bytes + sizeof(wchar_t));
    return SetFileInformationByHandle(file, FileRenameInfo, rename, static_cast<DWORD>(buffer.size())) != 0;
}

// Placing clears the deletion first: a file about to be deleted cannot be
// renamed. A failure sets it again.
bool place(HANDLE file, const std::string& path, bool replace) {
    std::wstring wide;
    if (!system_path(path, wide) || !set_deleted_on_close(file, false)) return false;
    if (rename_file(file, wide, replace)) return true;
    const DWORD error = GetLastError();
    set_deleted_on_close(file, true);
    SetLastError(error);
    return false;
}

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

    FileHandle create_temporary(const std::string& directory) override {
        for (int attempt = 0; attempt < 100; ++attempt) {
            std::wstring wide;
            if (!system_path(temporary_path(directory, GetCurrentProcessId()), wide)) return no_file;
            // Held, so that no Ctrl-C ends the process between creating and marking it.
            const StopsHeld held;
            // Shared for deleting: a DRW placed before its MMK failed is deleted by name while still open.
            const HANDLE file = CreateFileW(wide.c_str(), GENERIC_WRITE | DELETE, FILE_SHARE_READ | FILE_SHARE_DELETE,
                                            nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
            if (file == INVALID_HANDLE_VALUE) {
                if (GetLastError() == ERROR_FILE_EXISTS) continue;
                return no_file;
            }
            if (set_deleted_on_close(file, true)) return file_of(file);
            CloseHandle(file);
            DeleteFileW(wide.c_str());
            return no_file;
        }
        return no_file;
    }

    Placed place_new(FileHandle file, const std::string& path) override {
        if (place(handle_of(file), path, false)) return Placed::placed;
        const DWORD error = GetLastError();
        return error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS ? Placed::exists : Placed::failed;
    }

    bool place_over(FileHandle file, const std::string& path) override { return place(handle_of(file), path, true); }

    // Opened without following a reparse point, and compared with the input;
    // a read-only file is not replaced, as a rename would.
    bool replaceable(const std::string& path, FileHandle input) override {
        std::wstring wide;
        if (!system_path(path, wide)) return false;
        const HANDLE file = CreateFileW(wide.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING,
                                        FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (file == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_NOT_FOUND;
        const bool usable = is_plain_file(file) && !is_read_only(file) && !same_file(file, handle_of(input));
        CloseHandle(file);
        return usable;
    }

    void discard(FileHandle file) override {
        set_deleted_on_close(handle_of(file), true);
        CloseHandle(handle_of(file));
    }

    void remove(const std::string& path) override {
        std::wstring wide;
        if (system_path(path, wide)) DeleteFileW(wide.c_str());
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
