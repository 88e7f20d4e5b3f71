// Stop events on Windows: Ctrl-C, Ctrl-Break, the console window closed.
#if defined(_WIN32)

#include <atomic>

#include <windows.h>

#include "run/stop_signals.h"

namespace kelpway {

namespace {

// The handler runs on a thread of its own: the lock makes it wait for the
// end of a held stretch.
SRWLOCK stretch = SRWLOCK_INIT;
std::atomic<bool> finishing{false};
std::atomic<bool> waiting_stop{false};  // a stop that came while finishing

// Ending the process closes its handles, and the system deletes the
// temporaries with them. TerminateProcess rather than ExitProcess: nothing of
// the C library runs on the handler's thread while the main thread may hold
// its locks. A closed console ends the process once this returns, so a run
// that is placing its outputs is first waited for.
BOOL WINAPI on_stop(DWORD) {
    AcquireSRWLockExclusive(&stretch);
    if (!finishing.load()) TerminateProcess(GetCurrentProcess(), STATUS_CONTROL_C_EXIT);
    waiting_stop.store(true);
    ReleaseSRWLockExclusive(&stretch);
    return TRUE;
}

}  // namespace

void catch_stop_signals() {
    finishing.store(false);
    SetConsoleCtrlHandler(on_stop, TRUE);
}

StopsHeld::StopsHeld() { AcquireSRWLockExclusive(&stretch); }

StopsHeld::~StopsHeld() { ReleaseSRWLockExclusive(&stretch); }

void ignore_stops_from_now() { finishing.store(true); }

void end_if_stopped() {
    if (waiting_stop.exchange(false)) TerminateProcess(GetCurrentProcess(), STATUS_CONTROL_C_EXIT);
}

}  // namespace kelpway

#endif
