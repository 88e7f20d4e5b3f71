// Command line tool: writes a synthetic GPX file of an exact size in bytes.
#include <cerrno>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "gpx_synth.h"

namespace {

bool parse_size(std::string_view text, std::uint64_t& size) {
    const char* end = text.data() + text.size();
    auto [stop, error] = std::from_chars(text.data(), end, size);
    return error == std::errc{} && stop == end;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace kelpway::bench;
    std::uint64_t size = 0;
    if (argc != 3 || !parse_size(argv[2], size)) {
        std::fprintf(stderr, "usage: %s OUT_FILE SIZE_BYTES\n", argv[0]);
        return 2;
    }
    if (size < smallest_gpx_size()) {
        std::fprintf(stderr, "size must be at least %llu bytes\n",
                     static_cast<unsigned long long>(smallest_gpx_size()));
        return 2;
    }
    std::FILE* file = std::fopen(argv[1], "wb");
    if (!file) {
        std::fprintf(stderr, "%s: %s\n", argv[1], std::strerror(errno));
        return 1;
    }
    bool written = true;
    const GpxTotals totals = write_gpx(size, [&](std::string_view piece) {
        written = written && std::fwrite(piece.data(), 1, piece.size(), file) == piece.size();
    });
    if (std::fclose(file) != 0 || !written) {
        std::fprintf(stderr, "%s: write failed\n", argv[1]);
        return 1;
    }
    const auto count = [](std::uint64_t n) { return static_cast<unsigned long long>(n); };
    std::printf("%llu bytes: %llu waypoints, %llu tracks, %llu segments, %llu track points\n",
                count(totals.bytes), count(totals.waypoints), count(totals.tracks),
                count(totals.segments), count(totals.points));
    return 0;
}
