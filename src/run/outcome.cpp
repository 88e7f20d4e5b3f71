// How a run ended; each failure has its one message.
#include "run/outcome.h"

namespace kelpway {

void print_failure(Outcome outcome, std::FILE* console) {
    const char* message = "";
    switch (outcome) {
        case Outcome::converted: return;
        case Outcome::cant_open_gpx: message = "Can't open .GPX file!\n"; break;
        case Outcome::cant_open_drw: message = "Can't open .DRW file!\n"; break;
        case Outcome::cant_open_mmk: message = "Can't open .MMK file!\n"; break;
        case Outcome::cant_read_gpx: message = "Can't read .GPX file!\n"; break;
        case Outcome::cant_read_drw: message = "Can't read .DRW file!\n"; break;
        case Outcome::cant_read_mmk: message = "Can't read .MMK file!\n"; break;
        case Outcome::cant_write_drw: message = "Can't write .DRW file!\n"; break;
        case Outcome::cant_write_mmk: message = "Can't write .MMK file!\n"; break;
        case Outcome::cant_write_gpx: message = "Can't write .GPX file!\n"; break;
        case Outcome::wont_overwrite_gpx: message = "Won't overwrite .GPX file!\n"; break;
    }
    std::fputs(message, console);
}

}  // namespace kelpway
