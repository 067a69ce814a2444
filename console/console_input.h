// What the command loop reads from: command lines and, through the host, replies to prompts.
#pragma once

#include <string>

#include "hostsim/driver.h"

namespace plandor {

/// An input of the console: it answers the "Command: " prompt for the command
/// loop and, as the host's input source, the prompts of the commands.
class ConsoleInput : public plsim::InputSource {
public:
    enum class Read {
        Line,    ///< a line was read
        Cancel,  ///< the user cancelled the prompt
        End,     ///< no more input
    };

    /// Reads a command line at `prompt`.
    virtual Read readCommand(const std::wstring& prompt, std::wstring& line) = 0;
    /// True when replaying a script (the host is told a script is running).
    virtual bool isScript() const { return false; }
    /// True when a person types at a terminal: only then are they asked what a script or
    /// piped replies could not have foreseen (whether to save unsaved changes).
    virtual bool isTerminal() const { return false; }
};

}  // namespace plandor
