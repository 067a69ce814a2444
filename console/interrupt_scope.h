// Ctrl-C during long work: while an InterruptScope lives, an interrupt asks the work in hand to
// stop instead of ending plandor or reaching the prompt's own handling.
#pragma once

#include <atomic>

namespace plandor {

class InterruptScope {
public:
    InterruptScope();
    ~InterruptScope();
    InterruptScope(const InterruptScope&) = delete;
    InterruptScope& operator=(const InterruptScope&) = delete;

    /// Set once Ctrl-C (SIGINT, or the console's Ctrl-C on Windows) came while the scope lives.
    const std::atomic<bool>& interrupted() const;
};

/// True when standard error is an interactive terminal.
bool stderrIsTerminal();

}  // namespace plandor
