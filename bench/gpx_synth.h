// Deterministic synthetic GPX text laid out like device recordings.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace kelpway::bench {

struct GpxTotals {
    std::uint64_t bytes = 0;
    std::uint64_t waypoints = 0;
    std::uint64_t tracks = 0;
    std::uint64_t segments = 0;
    std::uint64_t points = 0;
};

using GpxSink = std::function<void(std::string_view)>;

// The smallest size write_gpx accepts: declaration, root, metadata, close.
std::uint64_t smallest_gpx_size();

// Hands exactly `size` bytes (at least smallest_gpx_size()) to `sink` in
// pieces. The same size always gives the same bytes.
GpxTotals write_gpx(std::uint64_t size, const GpxSink& sink);

std::string make_gpx(std::uint64_t size);

}  // namespace kelpway::bench
