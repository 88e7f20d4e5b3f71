// Deterministic synthetic GPX text laid out like device recordings.
#include "gpx_synth.h"

#include <array>
#include <stdexcept>

namespace kelpway::bench {

namespace {

constexpr std::string_view header =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\" ?>\n"
    "<gpx xmlns=\"http://www.topografix.com/GPX/1/1\" "
    "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" version=\"1.1\" "
    "creator=\"kelpway bench\" xsi:schemaLocation=\"http://www.topografix.com/GPX/1/1 "
    "http://www.topografix.com/GPX/1/1/gpx.xsd\">\n"
    "  <metadata>\n"
    "    <name>Synthetic recordings</name>\n"
    "    <time>2019-05-01T06:00:00Z</time>\n"
    "  </metadata>\n";
constexpr std::string_view gpx_close = "</gpx>\n";
constexpr std::string_view track_close = "    </trkseg>\n  </trk>\n";
constexpr std::uint64_t track_tail = track_close.size() + gpx_close.size();
constexpr std::int64_t unit = 10'000'000'000;  // coordinates are held in 1e-10 degrees
constexpr std::int64_t start_time = 1556692271;  // 2019-05-01T06:31:11Z
constexpr std::uint64_t estimated_point_size = 131;  // bytes; sizes the waypoint count up front
constexpr std::uint64_t points_per_waypoint = 2000;

// splitmix64: the same stream on every platform, unlike the std engines' distributions.
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9e3779b97f4a7c15);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9;
        z = (z ^ (z >> 27)) * 0x94d049bb133111eb;
        return z ^ (z >> 31);
    }
    std::int64_t between(std::int64_t low, std::int64_t high) {
        return low + static_cast<std::int64_t>(next() % static_cast<std::uint64_t>(high - low + 1));
    }

private:
    std::uint64_t state_;
};

void append_number(std::string& out, std::uint64_t value, int min_digits = 1) {
    std::array<char, 24> digits{};
    int count = 0;
    do {
        digits[static_cast<std::size_t>(count++)] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value > 0 || count < min_digits);
    while (count > 0) out += digits[static_cast<std::size_t>(--count)];
}

// Fixed-point formatting keeps the text free of any printf rounding differences.
// `value` counts units of 10^-places; digits past `decimals` are cut, not rounded.
void append_fixed(std::string& out, std::int64_t value, int places, int decimals) {
    if (value < 0) out += '-';
    const std::uint64_t magnitude = static_cast<std::uint64_t>(value < 0 ? -value : value);
    std::uint64_t whole = 1, cut = 1;
    for (int i = 0; i < places; ++i) whole *= 10;
    for (int i = decimals; i < places; ++i) cut *= 10;
    append_number(out, magnitude / whole);
    out += '.';
    append_number(out, magnitude % whole / cut, decimals);
}

void append_time(std::string& out, std::int64_t seconds) {
    // Days to civil date (proleptic Gregorian), valid for any era.
    std::int64_t days = seconds / 86400, rest = seconds % 86400;
    days += 719468;
    const std::int64_t era = days / 146097;
    const std::int64_t doe = days - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    const std::int64_t day = doy - (153 * mp + 2) / 5 + 1;
    const std::int64_t month = mp < 10 ? mp + 3 : mp - 9;
    const std::int64_t year = yoe + era * 400 + (month <= 2 ? 1 : 0);
    const auto put = [&out](std::int64_t v, int width) {
        append_number(out, static_cast<std::uint64_t>(v), width);
    };
    put(year, 4), out += '-', put(month, 2), out += '-', put(day, 2), out += 'T';
    put(rest / 3600, 2), out += ':', put(rest / 60 % 60, 2), out += ':', put(rest % 60, 2);
    out += 'Z';
}

struct Walker {
    std::int64_t lat, lon, dlat, dlon, ele, time;
    int decimals;
};

Walker place(Random& random, std::int64_t time) {
    return {random.between(-60 * unit, 70 * unit), random.between(-179 * unit, 179 * unit),
            random.between(-2'000'000, 2'000'000), random.between(-2'000'000, 2'000'000),
            random.between(-50, 25'000), time, static_cast<int>(random.between(6, 10))};
}

void step(Random& random, Walker& w) {
    const auto turn = [&random](std::int64_t& d) {
        d += random.between(-150'000, 150'000);
        if (d > 3'000'000 || d < -3'000'000) d /= 2;
    };
    turn(w.dlat), turn(w.dlon);
    if (w.lat + w.dlat > 85 * unit || w.lat + w.dlat < -85 * unit) w.dlat = -w.dlat;
    w.lat += w.dlat;
    w.lon += w.dlon;
    if (w.lon > 180 * unit) w.lon -= 360 * unit;
    if (w.lon < -180 * unit) w.lon += 360 * unit;
    w.ele += random.between(-4, 4);
    w.time += random.between(1, 5);
}

// `indent` + `<tag lat=".." lon="..">` + ele and time children, one per line.
void append_point(std::string& out, std::string_view indent, std::string_view tag,
                  const Walker& w) {
    const std::string child(indent.size() + 2, ' ');
    out += indent, out += '<', out += tag, out += " lat=\"";
    append_fixed(out, w.lat, 10, w.decimals);
    out += "\" lon=\"";
    append_fixed(out, w.lon, 10, w.decimals);
    out += "\">\n", out += child, out += "<ele>";
    append_fixed(out, w.ele, 1, 1);
    out += "</ele>\n", out += child, out += "<time>";
    append_time(out, w.time);
    out += "</time>\n";
}

constexpr std::array<std::string_view, 8> mark_names = {
    "Harbour entrance", "Buoy", "Fuel dock", "Anchorage", "Reef edge", "Lighthouse", "Slipway",
    "Mooring"};

class Writer {
public:
    Writer(std::uint64_t size, const GpxSink& sink) : size_(size), sink_(sink) {}
    bool fits(std::uint64_t piece, std::uint64_t tail) const {
        return used_ + piece + tail <= size_;
    }
    std::uint64_t left() const { return size_ - used_; }
    void put(std::string_view text) {
        used_ += text.size();
        buffer_ += text;
        if (buffer_.size() >= (1u << 20)) flush();
    }
    void flush() {
        if (!buffer_.empty()) sink_(buffer_);
        buffer_.clear();
    }

private:
    std::uint64_t size_, used_ = 0;
    const GpxSink& sink_;
    std::string buffer_;
};

}  // namespace

std::uint64_t smallest_gpx_size() { return header.size() + gpx_close.size(); }

GpxTotals write_gpx(std::uint64_t size, const GpxSink& sink) {
    if (size < smallest_gpx_size()) throw std::invalid_argument("size below the smallest GPX");
    Random random(0x6b656c7077617921);
    Writer out(size, sink);
    GpxTotals totals{size, 0, 0, 0, 0};
    out.put(header);
    std::string piece;
    const std::uint64_t marks = size / estimated_point_size / points_per_waypoint + 1;
    for (std::uint64_t i = 0; i < marks; ++i) {
        Walker w = place(random, start_time + static_cast<std::int64_t>(i) * 3600);
        piece.clear();
        append_point(piece, "  ", "wpt", w);
        piece += "    <name>", piece += mark_names[i % mark_names.size()], piece += ' ';
        append_number(piece, i + 1);
        piece += "</name>\n  </wpt>\n";
        if (!out.fits(piece.size(), gpx_close.size())) break;
        out.put(piece);
        ++totals.waypoints;
    }
    std::int64_t clock = start_time;
    for (bool room = true; room;) {
        Walker w = place(random, clock);
        const std::int64_t count = random.between(1500, 12000);
        const std::int64_t split = random.between(0, 2) == 0 ? count / 2 : -1;
        piece = "  <trk>\n    <name>Track ";
        append_number(piece, totals.tracks + 1, 3);
        piece += "</name>\n    <trkseg>\n";
        bool open = false;  // the track's start is out and needs its close
        for (std::int64_t i = 0; i < count && room; ++i) {
            if (i == split) piece += "    </trkseg>\n    <trkseg>\n";
            append_point(piece, "      ", "trkpt", w);
            piece += "      </trkpt>\n";
            room = out.fits(piece.size(), track_tail);
            if (!room) break;
            if (!open) ++totals.tracks, ++totals.segments;
            if (i == split) ++totals.segments;
            ++totals.points;
            out.put(piece);
            piece.clear();
            open = true;
            step(random, w);
        }
        if (open) out.put(track_close);
        clock = w.time + 3 * 3600;
    }
    const std::uint64_t pad = out.left() - gpx_close.size();
    if (pad > 0) out.put(std::string(pad - 1, ' ') + "\n");  // blank filler before the close
    out.put(gpx_close);
    out.flush();
    return totals;
}

std::string make_gpx(std::uint64_t size) {
    std::string text;
    text.reserve(size);
    write_gpx(size, [&text](std::string_view piece) { text += piece; });
    return text;
}

}  // namespace kelpway::bench
