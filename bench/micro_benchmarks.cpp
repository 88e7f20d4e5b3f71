// Micro-benchmarks of the line reader, the coordinate text, the records and a whole conversion.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "base/line_reader.h"
#include "gpx_synth.h"
#include "output/degrees.h"
#include "output/degrees_decimal.h"
#include "output/output_file.h"
#include "output/records.h"
#include "gpx/scan.h"

namespace kelpway {
namespace {

constexpr std::uint64_t text_size = 8'000'000;

// Built once: generating 8 MB per benchmark would dwarf the short ones.
const std::string& sample_gpx() {
    static const std::string text = bench::make_gpx(text_size);
    return text;
}

// Coordinate texts as the trkpt lines hold them: both signs, 6 to 10 decimals.
std::vector<std::string> coordinate_texts() {
    std::vector<std::string> texts;
    const std::string& gpx = sample_gpx();
    for (std::size_t at = gpx.find("lat=\""); at != std::string::npos && texts.size() < 4096;
         at = gpx.find("lat=\"", at + 1)) {
        const std::size_t lat = at + 5;
        const std::size_t lon = gpx.find("lon=\"", lat) + 5;
        texts.push_back(gpx.substr(lat, gpx.find('"', lat) - lat));
        texts.push_back(gpx.substr(lon, gpx.find('"', lon) - lon));
    }
    return texts;
}

void BM_NextLine(benchmark::State& bm) {
    const std::string& gpx = sample_gpx();
    auto input = std::make_unique<LineReader>();
    std::int64_t lines = 0;
    for (auto _ : bm) {
        MemoryText text{gpx};
        attach_input(*input, memory_source(text));
        while (next_line(*input)) {
            benchmark::DoNotOptimize(input->line.data());
            ++lines;
        }
    }
    bm.SetBytesProcessed(bm.iterations() * static_cast<std::int64_t>(gpx.size()));
    bm.counters["lines/s"] =
        benchmark::Counter(static_cast<double>(lines), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_NextLine)->Unit(benchmark::kMillisecond);

void BM_DegreesMinutesText(benchmark::State& bm) {
    const std::vector<std::string> texts = coordinate_texts();
    std::size_t next = 0;
    for (auto _ : bm) {
        benchmark::DoNotOptimize(degrees_minutes_text(texts[next]));
        if (++next == texts.size()) next = 0;
    }
    bm.SetItemsProcessed(bm.iterations());
}
BENCHMARK(BM_DegreesMinutesText);

void BM_DegreesMinutesTextDecimal(benchmark::State& bm) {
    const std::vector<std::string> texts = coordinate_texts();
    std::size_t next = 0;
    for (auto _ : bm) {
        DegreesMinutes result;
        degrees_minutes_text_decimal(texts[next], result);
        benchmark::DoNotOptimize(result);
        if (++next == texts.size()) next = 0;
    }
    bm.SetItemsProcessed(bm.iterations());
}
BENCHMARK(BM_DegreesMinutesTextDecimal);

void BM_WritePointRecord(benchmark::State& bm) {
    const std::vector<std::string> texts = coordinate_texts();
    std::vector<DegreesMinutes> values;
    for (const std::string& text : texts) degrees_minutes_text_decimal(text, values.emplace_back());
    auto line_file = std::make_unique<OutputFile>();
    std::string sink;
    sink.reserve(std::size_t{1} << 21);
    attach_output(*line_file, memory_sink(sink));
    std::size_t next = 0;
    for (auto _ : bm) {
        write_point_record(*line_file, 2, values[next], values[next + 1]);
        next += 2;
        if (next >= values.size()) next = 0;
        if (sink.size() >= (std::size_t{1} << 20)) sink.clear();  // keeps the capacity
    }
    flush_output(*line_file);
    bm.SetItemsProcessed(bm.iterations());
}
BENCHMARK(BM_WritePointRecord);

void BM_ConvertText(benchmark::State& bm) {
    const std::string& gpx = sample_gpx();
    auto state = std::make_unique<ScanState>();
    std::string drw, mmk;
    for (auto _ : bm) {
        drw.clear();
        mmk.clear();
        benchmark::DoNotOptimize(convert_text(*state, gpx, drw, mmk));
    }
    bm.SetBytesProcessed(bm.iterations() * static_cast<std::int64_t>(gpx.size()));
    bm.counters["points/s"] = benchmark::Counter(
        static_cast<double>(state->line_count + state->point_count) *
            static_cast<double>(bm.iterations()),
        benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ConvertText)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kelpway
