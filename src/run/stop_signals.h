// A run stopped from outside: Ctrl-C, kill, the terminal or console closed.
//
// Until a run starts placing its outputs, a stop removes its temporaries and
// ends the program as that stop ends any program: killed by the signal (128 + n
// in a shell) on POSIX, STATUS_CONTROL_C_EXIT on Windows, with no summary and
// no new BV10 name. Placing starts inside a held stretch, so no stop falls
// between its first and last step; from then on a stop is ignored and the run
// ends as it would have, summary and status included. So the status always
// tells which happened: a whole pair and 0 (or a message and 1), or nothing
// new and the stop's status.
#pragma once

#include <string>

namespace kelpway {

// Takes SIGINT, SIGTERM and SIGHUP, or on Windows Ctrl-C, Ctrl-Break and the
// console window closed, for a run that starts now. A signal the program was
// started ignoring (nohup) stays ignored.
void catch_stop_signals();

// A stretch that no stop may split: one that comes meanwhile takes effect at
// its end. Not nested.
class StopsHeld {
public:
    StopsHeld();
    ~StopsHeld();
    StopsHeld(const StopsHeld&) = delete;
    StopsHeld& operator=(const StopsHeld&) = delete;
};

// From here on a stop is ignored: the run is placing its outputs. Called in a
// held stretch.
void ignore_stops_from_now();

// Between the runs of a batch: a stop that came while a run placed its
// outputs, and so waited for it, now ends the program as it would have.
void end_if_stopped();

#if !defined(_WIN32)
// A hidden temporary that a stop removes; created and noted in one held
// stretch. False when it cannot be noted (too long a path, too many).
bool remove_when_stopped(const std::string& path);
// A noted temporary that was removed or placed.
void forget_when_stopped(const std::string& path);
#endif

}  // namespace kelpway
