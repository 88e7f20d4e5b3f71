// UTF-8 inside, UTF-16 at the Windows API: arguments and file names.
#pragma once

#if defined(_WIN32)

#include <string>
#include <string_view>

namespace kelpway {

std::wstring utf16_of(std::string_view utf8);
std::string utf8_of(std::wstring_view utf16);

// The console shows the UTF-8 kelpway prints (file names in any script) while
// it runs; its code page is given back afterwards.
class Utf8Console {
public:
    Utf8Console();
    ~Utf8Console();
    Utf8Console(const Utf8Console&) = delete;
    Utf8Console& operator=(const Utf8Console&) = delete;
};

// The console's code page given back now, for a stop that ends the process
// without running destructors; safe on any thread.
void give_back_console_code_page();

}  // namespace kelpway

#endif
