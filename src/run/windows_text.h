// UTF-8 inside, UTF-16 at the Windows API: arguments and file names.
#pragma once

#if defined(_WIN32)

#include <string>
#include <string_view>

namespace kelpway {

std::wstring utf16_of(std::string_view utf8);
std::string utf8_of(std::wstring_view utf16);

}  // namespace kelpway

#endif
