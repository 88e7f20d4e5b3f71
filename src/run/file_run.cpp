// One run on one FILE, in a state of its own.
#include "run/file_run.h"

#include <cinttypes>
#include <memory>

#include "run/conversion.h"
#include "run/pair_files.h"
#include "run/run_charsets.h"

namespace kelpway {

namespace {

void print_summary(const ScanState& state, std::FILE* console) {
    std::fprintf(console, "MMK %" PRId64 " points\n", state.point_count);
    std::fprintf(console, "DRW %" PRId64 " lines(color=%d)\n", state.line_count, state.color);
    if (state.skipped_count > 0) {
        std::fprintf(console, "Skipped %" PRId64 " points without position\n", state.skipped_count);
    }
    if (state.passed_over_count > 0) {
        std::fprintf(console, "Passed over %" PRId64 " route points (--routes converts them)\n",
                     state.passed_over_count);
    }
}

// With --charset, the run's charsets; none without.
std::unique_ptr<RunCharsets> charsets_of(const RunOptions& options) {
    if (options.charset == nullptr) return nullptr;
    auto charsets = std::make_unique<RunCharsets>();
    // The command line has opened it once already, so this does not fail.
    if (!open_run_charsets(*charsets, *options.charset)) return nullptr;
    return charsets;
}

int failed(Outcome outcome, std::FILE* console) {
    print_failure(outcome, console);
    return 1;
}

int run_gpx(std::string_view path, int color, const RunOptions& options, std::FILE* console, FileSystem& files) {
    const auto state = std::make_unique<ConversionState>();
    const std::unique_ptr<RunCharsets> charsets = charsets_of(options);
    state->scan.color = color;
    state->scan.convert_routes = options.convert_routes;
    if (charsets) state->scan.name_charsets = &charsets->names;
    const Outcome outcome = convert_gpx(*state, path, files);
    if (outcome != Outcome::converted) return failed(outcome, console);
    print_summary(state->scan, console);
    if (charsets) {
        const NameCharsets& names = charsets->names;
        print_charset_summary(names, *options.charset, names.file_charset != nullptr ? *names.file_charset
                                                                                       : utf8_charset(),
                              console);
    }
    return 0;
}

int run_pair(std::string_view path, const RunOptions& options, std::FILE* console, FileSystem& files) {
    const auto state = std::make_unique<PairFiles>();
    const std::unique_ptr<RunCharsets> charsets = charsets_of(options);
    if (charsets) state->pair.name_charsets = &charsets->names;
    const Outcome outcome = convert_pair_files(*state, path, files);
    if (outcome != Outcome::converted) return failed(outcome, console);
    print_pair_summary(state->pair.counts, console);
    if (charsets) print_charset_summary(charsets->names, *options.charset, *options.charset, console);
    return 0;
}

}  // namespace

int run_file(std::string_view path, int color, const RunOptions& options, std::FILE* console, FileSystem& files) {
    return options.to_gpx ? run_pair(path, options, console, files) : run_gpx(path, color, options, console, files);
}

}  // namespace kelpway
