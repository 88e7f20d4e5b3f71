// Directory listings behind the choice of input and output names.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "run/file_system.h"

namespace kelpway {

inline constexpr int last_number = 9999;
using TakenNumbers = std::array<bool, last_number + 1>;

// Marks every number whose entry exists beside `candidate`, a formed path
// that ends in four digits and a four-byte extension (".DRW"). Names match
// without regard to ASCII case, whatever the entry is.
void find_taken_numbers(FileSystem& files, const std::string& candidate, TakenNumbers& taken);

// Replaces the last component of `path` by the directory entry that
// matches it without regard to ASCII case: the one spelled `preferred`
// if there is one, else the first in byte order. `unlisted` when the
// directory cannot be listed, so that whether one is there is not known.
enum class Found { entry, none, unlisted };
Found find_entry_ignoring_case(FileSystem& files, std::string& path, std::string_view preferred);

}  // namespace kelpway
