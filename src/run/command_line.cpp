// The program's arguments, the run they ask for, and what it prints.
#include "run/command_line.h"

#include <cinttypes>

#include "run/conversion.h"
#include "run/outcome.h"

namespace kelpway {

namespace {

constexpr const char* usage_line = "Usage: KELPWAY ***.GPX \n";

// Kept in step with the manual page, which a test compares it with.
constexpr const char* help_text =
    "\n"
    "kelpway [OPTION]... FILE[.GPX] [COLOR]\n"
    "\n"
    "Converts the GPX file FILE into BV10nnnn.DRW (tracks) and BV10nnnn.MMK\n"
    "(waypoints) in its directory, under the first number nnnn for which no\n"
    "BV10nnnn.DRW exists, and prints how many records it wrote.\n"
    "\n"
    "  FILE       the GPX file; whatever extension it has is replaced by GPX\n"
    "  COLOR      colour of every DRW point, 1 to 7 (otherwise 2)\n"
    "\n"
    "  --routes   convert routes (rte) too, as tracks; otherwise their points\n"
    "             are only counted\n"
    "  --help     print this help and exit\n"
    "  --version  print the version and exit\n"
    "  --         end of the options, for a FILE that begins with --\n";

void print_banner(std::FILE* console) {
    std::fprintf(console, "Sondrix GPX data --> Bravik DRW,MMK data conversion  Ver%s\n",
                 KELPWAY_VERSION);
    std::fputs(usage_line, console);
}

void print_summary(const ScanState& state, std::FILE* console) {
    std::fprintf(console, "MMK %" PRId64 " points\n", state.point_count);
    std::fprintf(console, "DRW %" PRId64 " lines(color=%d)\n", state.line_count, state.color);
    if (state.skipped_count > 0) {
        std::fprintf(console, "Skipped %" PRId64 " points without position\n",
                     state.skipped_count);
    }
    if (state.passed_over_count > 0) {
        std::fprintf(console, "Passed over %" PRId64 " route points (--routes converts them)\n",
                     state.passed_over_count);
    }
}

// Every run ends here: the summary, or the one message of its failure.
int report(Outcome outcome, const ScanState& state, std::FILE* console) {
    switch (outcome) {
        case Outcome::converted: print_summary(state, console); return 0;
        case Outcome::too_many_options: std::fputs("Too many option!\n", console); break;
        case Outcome::cant_open_gpx: std::fputs("Can't open .GPX file!\n", console); break;
        case Outcome::cant_open_drw: std::fputs("Can't open .DRW file!\n", console); break;
        case Outcome::cant_open_mmk: std::fputs("Can't open .MMK file!\n", console); break;
        case Outcome::cant_read_gpx: std::fputs("Can't read .GPX file!\n", console); break;
        case Outcome::cant_write_drw: std::fputs("Can't write .DRW file!\n", console); break;
        case Outcome::cant_write_mmk: std::fputs("Can't write .MMK file!\n", console); break;
    }
    return 1;
}

bool is_space(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

enum class Request { convert, help, version, unknown };

struct Options {
    Request request = Request::convert;
    std::size_t operands = 0;  // index of the first argument after the options
    std::string_view unknown;
};

// Leading arguments that begin with "--" are options, up to the first that
// does not or up to "--", which is dropped. The first help, version or
// unknown option decides at once, as it is met.
Options read_options(std::span<const char* const> arguments, ScanState& state) {
    Options options;
    for (; options.operands < arguments.size(); ++options.operands) {
        const std::string_view argument = arguments[options.operands];
        if (!argument.starts_with("--")) break;
        if (argument == "--") {
            ++options.operands;
            break;
        }
        if (argument == "--routes") {
            state.convert_routes = true;
            continue;
        }
        options.request = argument == "--help"      ? Request::help
                          : argument == "--version" ? Request::version
                                                    : Request::unknown;
        options.unknown = argument;
        break;
    }
    return options;
}

}  // namespace

int parse_color(std::string_view argument) {
    std::size_t at = 0;
    while (at < argument.size() && is_space(argument[at])) ++at;
    bool negative = at < argument.size() && argument[at] == '-';
    if (at < argument.size() && (argument[at] == '+' || argument[at] == '-')) ++at;
    long long value = 0;
    for (; at < argument.size() && argument[at] >= '0' && argument[at] <= '9'; ++at) {
        value = value * 10 + (argument[at] - '0');
        if (value > 7) return default_color;  // also keeps long digit runs from overflowing
    }
    if (negative || value < 1) return default_color;
    return static_cast<int>(value);
}

int run_program(std::span<const char* const> arguments, ConversionState& state,
                std::FILE* console, FileSystem& files) {
    state.scan.convert_routes = false;
    const Options options = read_options(arguments, state.scan);
    switch (options.request) {
        case Request::help:
            print_banner(console);
            std::fputs(help_text, console);
            return 0;
        case Request::version: std::fprintf(console, "kelpway %s\n", KELPWAY_VERSION); return 0;
        case Request::unknown:
            std::fprintf(console, "Unknown option %.*s\n", static_cast<int>(options.unknown.size()),
                         options.unknown.data());
            std::fputs(usage_line, console);
            return 1;
        case Request::convert: break;
    }
    const std::span<const char* const> operands = arguments.subspan(options.operands);
    if (operands.empty()) {
        print_banner(console);
        return 0;
    }
    if (operands.size() > 2) return report(Outcome::too_many_options, state.scan, console);
    state.scan.color = operands.size() == 2 ? parse_color(operands[1]) : default_color;
    return report(convert_gpx(state, operands[0], files), state.scan, console);
}

}  // namespace kelpway
