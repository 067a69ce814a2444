// Ctrl-C during long work: the process's interrupt handling taken over for the time of a scope.
#include "console/interrupt_scope.h"

#include <csignal>
#include <cstdio>

#if defined(_WIN32)
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace plandor {
namespace {

// Lock-free, so that the handler may set it.
std::atomic<bool> g_interrupted{false};
static_assert(std::atomic<bool>::is_always_lock_free);

#if defined(_WIN32)
BOOL WINAPI onControl(DWORD type) {
    if (type != CTRL_C_EVENT) return FALSE;
    g_interrupted = true;
    return TRUE;
}
#else
extern "C" void onInterruptedWork(int) { g_interrupted = true; }
struct sigaction g_previous;
#endif

}  // namespace

InterruptScope::InterruptScope() {
    g_interrupted = false;
#if defined(_WIN32)
    SetConsoleCtrlHandler(onControl, TRUE);
#else
    struct sigaction action {};
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    action.sa_handler = onInterruptedWork;
    sigaction(SIGINT, &action, &g_previous);
#endif
}

InterruptScope::~InterruptScope() {
#if defined(_WIN32)
    SetConsoleCtrlHandler(onControl, FALSE);
#else
    sigaction(SIGINT, &g_previous, nullptr);
#endif
}

const std::atomic<bool>& InterruptScope::interrupted() const { return g_interrupted; }

bool stderrIsTerminal() {
#if defined(_WIN32)
    return _isatty(_fileno(stderr)) != 0;
#else
    return isatty(STDERR_FILENO) != 0;
#endif
}

}  // namespace plandor
