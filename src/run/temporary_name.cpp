// The hidden names under which outputs are written until they are placed.
#include "run/temporary_name.h"

#include <chrono>

#include "run/path_parts.h"

namespace kelpway {

namespace {

constexpr std::string_view prefix = ".BV10-";
constexpr std::string_view suffix = ".kelpway-tmp";
constexpr std::string_view letters = "0123456789abcdefghijklmnopqrstuvwxyz";
constexpr std::size_t random_letters = 6;

// splitmix64: neighbouring seeds give unrelated names.
std::uint64_t mixed(std::uint64_t value) {
    value += 0x9e3779b97f4a7c15U;
    value = (value ^ (value >> 30U)) * 0xbf58476d1ce4e5b9U;
    value = (value ^ (value >> 27U)) * 0x94d049bb133111ebU;
    return value ^ (value >> 31U);
}

}  // namespace

std::string temporary_path(std::string_view directory, std::uint64_t seed) {
    static std::uint64_t made = 0;
    const auto now = static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    std::uint64_t value = mixed(seed ^ mixed(now ^ mixed(++made)));
    std::string path{directory};
    if (!path.empty() && path.back() != '/' && path.back() != native_separator) path += native_separator;
    path += prefix;
    for (std::size_t i = 0; i < random_letters; ++i, value /= letters.size()) path += letters[value % letters.size()];
    path += suffix;
    return path;
}

}  // namespace kelpway
