// The hidden names under which outputs are written until they are placed.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kelpway {

// ".BV10-xxxxxx.kelpway-tmp" in `directory`, six letters and digits drawn from
// `seed`, the clock and a count of the names made: no listing of outputs takes
// it for a BV10nnnn.DRW, and a user who finds one after a crash can tell it.
std::string temporary_path(std::string_view directory, std::uint64_t seed);

}  // namespace kelpway
