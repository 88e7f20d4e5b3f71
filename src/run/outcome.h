// How a run ended; each failure has its one message.
#pragma once

namespace kelpway {

enum class Outcome {
    converted,
    cant_open_gpx,
    cant_open_drw,
    cant_open_mmk,
    cant_read_gpx,
    cant_write_drw,
    cant_write_mmk,
};

}  // namespace kelpway
