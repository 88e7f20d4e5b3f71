// UTF-8 inside, UTF-16 at the Windows API: arguments and file names.
#if defined(_WIN32)

#include "run/windows_text.h"

#include <atomic>
#include <cstdio>

#include <windows.h>

namespace kelpway {

std::wstring utf16_of(std::string_view utf8) {
    if (utf8.empty()) return {};
    const int size = static_cast<int>(utf8.size());
    const int wide = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
    std::wstring text(static_cast<std::size_t>(wide), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, text.data(), wide);
    return text;
}

std::string utf8_of(std::wstring_view utf16) {
    if (utf16.empty()) return {};
    const int size = static_cast<int>(utf16.size());
    const int narrow = WideCharToMultiByte(CP_UTF8, 0, utf16.data(), size, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(narrow), '\0');
    WideCharToMultiByte(CP_UTF8, 0, utf16.data(), size, text.data(), narrow, nullptr, nullptr);
    return text;
}

namespace {

std::atomic<unsigned> page_before{0};  // the console's own, while kelpway's is UTF-8

}  // namespace

Utf8Console::Utf8Console() {
    const unsigned page = GetConsoleOutputCP();
    if (page != 0 && SetConsoleOutputCP(CP_UTF8)) page_before.store(page);
}

Utf8Console::~Utf8Console() {
    std::fflush(stdout);
    give_back_console_code_page();
}

void give_back_console_code_page() {
    const unsigned page = page_before.exchange(0);
    if (page != 0) SetConsoleOutputCP(page);
}

}  // namespace kelpway

#endif
