// How a run ended; each failure has its one message.
#pragma once

#include <cstdio>

namespace kelpway {

enum class Outcome {
    converted,
    cant_open_gpx,
    cant_open_drw,
    cant_open_mmk,
    cant_read_gpx,
    cant_read_drw,
    cant_read_mmk,
    cant_write_drw,
    cant_write_mmk,
    cant_write_gpx,
    wont_overwrite_gpx,
};

// The failure's one line, "Can't open .GPX file!" and the like.
void print_failure(Outcome outcome, std::FILE* console);

}  // namespace kelpway
