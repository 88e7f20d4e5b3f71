// The command line's options, in one table from which both the parser and
// the help are made.
#pragma once

#include <cstddef>
#include <cstdio>
#include <span>
#include <string_view>

#include "base/charsets.h"

namespace kelpway {

// What the options ask for; the refusals name the argument or its value.
enum class Request { convert, help, version, unknown, invalid_color, unknown_charset };

struct RunOptions {
    Request request = Request::convert;
    bool convert_routes = false;
    bool to_gpx = false;                 // the other direction: a pair into GPX
    bool batch = false;                  // every operand a file, each a run of its own
    int color = 0;                       // --color=N; 0 when not given
    const Charset* charset = nullptr;    // --charset=NAME: the MMK's names are in it
    std::size_t operands = 0;            // index of the first argument after the options
    std::string_view refused;            // the option, or the value, not understood
};

// Leading arguments that begin with "--" are options, up to the first that
// does not or up to "--", which is dropped. An option that takes a value is
// written "--name=VALUE". The first help, version or refused option decides
// at once, as it is met.
RunOptions read_options(std::span<const char* const> arguments);

// "  LABEL  text", the text's lines under one another in the column of the
// options' help, as --help shows arguments and options.
void print_help_line(std::FILE* console, std::string_view label, std::string_view text);

// Every option's help line, in the table's order.
void print_options_help(std::FILE* console);

}  // namespace kelpway
