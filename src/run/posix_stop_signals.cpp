// Stop signals on POSIX: SIGINT, SIGTERM, SIGHUP.
#include <array>
#include <atomic>
#include <climits>
#include <csignal>
#include <cstring>

#include <signal.h>
#include <unistd.h>

#include "run/stop_signals.h"

namespace kelpway {

namespace {

constexpr std::array stop_signals{SIGINT, SIGTERM, SIGHUP};

// What the handler reads: lock-free atomics and fixed buffers, nothing it
// could find half-changed.
static_assert(std::atomic<bool>::is_always_lock_free && std::atomic<int>::is_always_lock_free);
std::atomic<bool> finishing{false};
std::atomic<int> waiting_stop{0};  // a stop that came while finishing

struct NotedName {
    std::atomic<bool> noted{false};
    std::array<char, PATH_MAX> path{};
};
std::array<NotedName, 4> noted_names;

sigset_t stop_set() {
    sigset_t set;
    sigemptyset(&set);
    for (const int signal : stop_signals) sigaddset(&set, signal);
    return set;
}

sigset_t mask_before_held;

// Only async-signal-safe calls. The signal is raised again with its default
// action, so that the parent sees a death by that signal: a shell loop or
// xargs then stops too, as it would not after a plain exit status of 128 + n.
void on_stop(int signal) {
    if (finishing.load()) {
        waiting_stop.store(signal);
        return;
    }
    for (NotedName& name : noted_names) {
        if (name.noted.load()) ::unlink(name.path.data());
    }
    struct sigaction default_action {};
    default_action.sa_handler = SIG_DFL;
    ::sigaction(signal, &default_action, nullptr);
    sigset_t own;
    sigemptyset(&own);
    sigaddset(&own, signal);
    ::sigprocmask(SIG_UNBLOCK, &own, nullptr);
    ::raise(signal);
    ::_exit(128 + signal);
}

}  // namespace

void catch_stop_signals() {
    finishing.store(false);
    struct sigaction action {};
    action.sa_handler = on_stop;
    action.sa_mask = stop_set();
    action.sa_flags = SA_RESTART;
    for (const int signal : stop_signals) {
        struct sigaction previous {};
        if (::sigaction(signal, nullptr, &previous) == 0 && previous.sa_handler != SIG_IGN) {
            ::sigaction(signal, &action, nullptr);
        }
    }
}

StopsHeld::StopsHeld() {
    const sigset_t set = stop_set();
    ::sigprocmask(SIG_BLOCK, &set, &mask_before_held);
}

StopsHeld::~StopsHeld() { ::sigprocmask(SIG_SETMASK, &mask_before_held, nullptr); }

void ignore_stops_from_now() { finishing.store(true); }

void end_if_stopped() {
    const int signal = waiting_stop.exchange(0);
    if (signal == 0) return;
    finishing.store(false);
    on_stop(signal);
}

bool remove_when_stopped(const std::string& path) {
    if (path.size() >= PATH_MAX) return false;
    for (NotedName& name : noted_names) {
        if (name.noted.load()) continue;
        std::memcpy(name.path.data(), path.c_str(), path.size() + 1);
        name.noted.store(true);
        return true;
    }
    return false;
}

void forget_when_stopped(const std::string& path) {
    for (NotedName& name : noted_names) {
        if (name.noted.load() && path == name.path.data()) name.noted.store(false);
    }
}

}  // namespace kelpway
