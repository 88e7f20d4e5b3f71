// A DRW and MMK pair into GPX: the file, its tracks, the counts and the failures.
#include "run/pair_conversion.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <memory>
#include <string>

#include "console_file.h"
#include "run/gpx_writer.h"

namespace kelpway {
namespace {

struct Converted {
    PairOutcome outcome;
    std::string gpx;
    PairCounts counts;
};

Converted convert(std::optional<std::string_view> drw, std::optional<std::string_view> mmk) {
    auto state = std::make_unique<PairState>();
    Converted converted;
    converted.outcome = convert_pair_text(*state, drw, mmk, converted.gpx);
    converted.counts = state->counts;
    return converted;
}

// The GPX the writer gives for these calls.
std::string written(void (*calls)(OutputFile& file)) {
    auto file = std::make_unique<OutputFile>();
    std::string gpx;
    attach_output(*file, memory_sink(gpx));
    calls(*file);
    EXPECT_TRUE(finish_output(*file));
    return gpx;
}

DecimalDegrees degrees(std::string_view text) {
    DecimalDegrees value{};
    std::copy(text.begin(), text.end(), value.text.begin());
    value.size = text.size();
    return value;
}

TEST(PairConversion, WritesMarksThenRunsInFileOrder) {
    const Converted got = convert("S\r\n,3540.874,N,13946.027,E,,5,,,,\r\n,3530.000,S,13930.000,W,,5,,,,\r\n"
                                  "J\r\nE\r\n",
                                  ",3540.874,N,13946.027,E,26,,,,,,\"Tokyo &amp; Bay\"\r\n"
                                  ",000.000,S,000.000,W,26,,,,,,\"\"\r\n");
    EXPECT_EQ(got.outcome, PairOutcome::converted);
    EXPECT_EQ(got.gpx, written([](OutputFile& file) {
                  write_gpx_start(file);
                  write_waypoint(file, degrees("35.681233333"), degrees("139.767116667"), "Tokyo &amp; Bay");
                  write_waypoint(file, degrees("-0.000000001"), degrees("-0.000000001"), "");
                  write_track_start(file, 1, 5);
                  write_track_point(file, degrees("35.681233333"), degrees("139.767116667"));
                  write_track_point(file, degrees("-35.500000000"), degrees("-139.500000000"));
                  write_track_end(file);
                  write_track_start(file, 2, 0);
                  write_track_end(file);
                  write_gpx_end(file);
              }));
    EXPECT_EQ(got.counts.waypoints, 2);
    EXPECT_EQ(got.counts.tracks, 2);
    EXPECT_EQ(got.counts.track_points, 2);
    EXPECT_EQ(got.counts.skipped, 0);
    EXPECT_EQ(got.counts.replaced, 0);
}

// The tracks of a GPX as "colour:points" each, "-" for a track without colour.
std::string tracks_of(const std::string& gpx) {
    std::string tracks;
    std::string color = "-";
    int points = 0;
    for (std::size_t at = 0, end; at < gpx.size(); at = end + 1) {
        end = gpx.find('\n', at);
        const std::string line = gpx.substr(at, end - at);
        if (line.starts_with("      <kelpway:color>")) color = line.substr(21, 1);
        if (line.starts_with("      <trkpt ")) ++points;
        if (line == "  </trk>") {
            tracks += (tracks.empty() ? "" : " ") + color + ":" + std::to_string(points);
            color = "-";
            points = 0;
        }
    }
    return tracks;
}

TEST(PairConversion, MakesATrackOfEveryRunAndColour) {
    const std::string p2 = ",3540.874,N,13946.027,E,,2,,,,\n";
    const std::string p3 = ",3540.874,N,13946.027,E,,3,,,,\n";
    const std::string p9 = ",3540.874,N,13946.027,E,,9,,,,\n";
    const struct {
        const char* what;
        std::string drw;
        const char* tracks;
        std::int64_t skipped = 0;
    } cases[] = {
        {"no points", "S\nE\n", ""},
        {"one run", "S\n" + p2 + p2 + "E\n", "2:2"},
        {"two runs", "S\n" + p2 + "J\n" + p2 + p2 + "E\n", "2:1 2:2"},
        {"an empty run between two separators", "S\n" + p2 + "J\nJ\n" + p2 + "E\n", "2:1 -:0 2:1"},
        {"an empty run before the end", "S\n" + p2 + "J\nE\n", "2:1 -:0"},
        {"an empty run at the input's end", "S\n" + p2 + "J\n", "2:1 -:0"},
        {"nothing before the first separator", "S\nJ\n" + p2 + "E\n", "2:1"},
        {"two separators first", "S\nJ\nJ\n" + p2 + "E\n", "-:0 2:1"},
        {"a colour change", "S\n" + p2 + p3 + p3 + p2 + "E\n", "2:1 3:2 2:1"},
        {"a colour the records do not know", "S\n" + p2 + p9 + p9 + "E\n", "2:1 -:2"},
        {"neither start nor end", p2 + p2, "2:2"},
        {"points after the end", "S\n" + p2 + "E\n" + p2, "2:1 2:1"},
        {"a start record inside", p2 + "S\n" + p2, "2:1 2:1"},
        {"lines passed over inside a run", "S\n" + p2 + "garbage\n\n" + p2 + std::string(5000, 'x') + "\n" + p2 + "E\n",
         "2:3", 3},
        {"a mark in a DRW", "S\n,3540.874,N,13946.027,E,26,,,,,,\"a\"\nE\n", "", 1},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.what);
        const Converted got = convert(row.drw, std::nullopt);
        EXPECT_EQ(got.outcome, PairOutcome::converted);
        EXPECT_EQ(tracks_of(got.gpx), row.tracks);
        EXPECT_EQ(got.counts.skipped, row.skipped);
        EXPECT_EQ(got.counts.waypoints, 0);
    }
}

TEST(PairConversion, CountsWhatItWroteAndPassedOver) {
    const std::string mark = ",3540.874,N,13946.027,E,26,,,,,,";
    const Converted got = convert("S\r\n,3540.874,N,13946.027,E,,2,,,,\r\nJ\r\nJ\r\nE\r\nX\r\n",
                                  mark + "\"a\xFF\xFE\"\r\nS\r\n" + mark + "\"b\x01\"\r\n" + mark + "\"\xC3\"");
    EXPECT_EQ(got.outcome, PairOutcome::converted);
    EXPECT_EQ(got.counts.waypoints, 3);
    EXPECT_EQ(got.counts.tracks, 3);  // the second J and the E each close an empty run
    EXPECT_EQ(got.counts.track_points, 1);
    EXPECT_EQ(got.counts.skipped, 2);
    EXPECT_EQ(got.counts.replaced, 3);
    EXPECT_EQ(got.counts.replaced_characters, 1);
    const ConsoleFile console;
    ASSERT_NE(console.file(), nullptr);
    print_pair_summary(got.counts, console.file());
    EXPECT_EQ(console.printed(),
              "GPX 3 waypoints, 3 tracks, 1 track points\n"
              "Skipped 2 records that are not points or marks\n"
              "Replaced 3 bytes that are not UTF-8 in names\n"
              "Replaced 1 characters that GPX cannot hold in names\n");
}

TEST(PairConversion, TakesEitherFileAlone) {
    const Converted marks = convert(std::nullopt, ",3540.874,N,13946.027,E,26,,,,,,\"a\"\n");
    const Converted lines = convert("S\n,3540.874,N,13946.027,E,,2,,,,\nE\n", std::nullopt);
    const Converted neither = convert(std::nullopt, std::nullopt);
    EXPECT_EQ(marks.counts.waypoints, 1);
    EXPECT_EQ(marks.counts.tracks, 0);
    EXPECT_EQ(lines.counts.waypoints, 0);
    EXPECT_EQ(lines.counts.track_points, 1);
    EXPECT_EQ(neither.gpx, written([](OutputFile& file) {
                  write_gpx_start(file);
                  write_gpx_end(file);
              }));
    const ConsoleFile console;
    ASSERT_NE(console.file(), nullptr);
    print_pair_summary(neither.counts, console.file());
    EXPECT_EQ(console.printed(), "GPX 0 waypoints, 0 tracks, 0 track points\n");
}

// A source whose reads fail after `good` bytes, and a sink whose writes fail.
struct Failing {
    std::string_view text;
    std::size_t good;
    std::size_t at = 0;
};

ByteSource failing_source(Failing& failing) {
    const ReadBytes read = [](void* context, char* bytes, std::size_t size) -> std::ptrdiff_t {
        auto& source = *static_cast<Failing*>(context);
        const std::size_t part = std::min(size, source.good - source.at);
        if (part == 0) {
            errno = EIO;
            return -1;
        }
        std::copy_n(source.text.data() + source.at, part, bytes);
        source.at += part;
        return static_cast<std::ptrdiff_t>(part);
    };
    return {read, &failing};
}

TEST(PairConversion, TellsWhichFileFailed) {
    const std::string drw = "S\n,3540.874,N,13946.027,E,,2,,,,\nE\n";
    const std::string mmk = ",3540.874,N,13946.027,E,26,,,,,,\"a\"\n";
    auto state = std::make_unique<PairState>();
    std::string gpx;
    Failing bad_drw{drw, 10};
    Failing bad_mmk{mmk, 10};
    MemoryText drw_text{drw};
    MemoryText mmk_text{mmk};
    const ByteSource good_drw = memory_source(drw_text);
    const ByteSource good_mmk = memory_source(mmk_text);
    const ByteSource failing_drw = failing_source(bad_drw);
    const ByteSource failing_mmk = failing_source(bad_mmk);
    EXPECT_EQ(convert_pair(*state, &failing_drw, &good_mmk, memory_sink(gpx)), PairOutcome::cant_read_drw);
    EXPECT_EQ(convert_pair(*state, &good_drw, &failing_mmk, memory_sink(gpx)), PairOutcome::cant_read_mmk);
    drw_text.at = mmk_text.at = 0;
    const WriteBytes no_room = [](void*, const char*, std::size_t) -> std::ptrdiff_t {
        errno = ENOSPC;
        return -1;
    };
    const CloseSink close = [](void*) { return true; };
    EXPECT_EQ(convert_pair(*state, &good_drw, &good_mmk, ByteSink{no_room, close, nullptr}),
              PairOutcome::cant_write_gpx);
    // A read error outranks a write error.
    bad_mmk.at = 0;
    EXPECT_EQ(convert_pair(*state, &good_drw, &failing_mmk, ByteSink{no_room, close, nullptr}),
              PairOutcome::cant_read_mmk);
}

}  // namespace
}  // namespace kelpway
