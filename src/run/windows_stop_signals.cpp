// Stop events on Windows: Ctrl-C, Ctrl-Break, the console window closed.
#if defined(_WIN32)

#include <atomic>

#include <windows.h>

#include "run/stop_signals.h"
#include "run/windows_text.h"

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
void end_stopped() {
    give_back_console_code_page();
    TerminateProcess(GetCurrentProcess(), STATUS_CONTROL_C_EXIT);
}

BOOL WINAPI on_stop(DWORD) {
    AcquireSRWLockExclusive(&stretch);
    if (!finishing.load()) end_stopped();
    waiting_stop.store(true);
    ReleaseSRWLockExclusive(&stretch);
    return TRUE;
}

}  // namespace

void catch_stop_signals() {
    static const bool added = SetConsoleCtrlHandler(on_stop, TRUE) != 0;  // once for all runs of a batch
    static_cast<void>(added);
    finishing.store(false);
}

StopsHeld::StopsHeld() { AcquireSRWLockExclusive(&stretch); }

StopsHeld::~StopsHeld() { ReleaseSRWLockExclusive(&stretch); }

void ignore_stops_from_now() { finishing.store(true); }

void end_if_stopped() {
    if (waiting_stop.exchange(false)) end_stopped();
}

}  // namespace kelpway

#endif
