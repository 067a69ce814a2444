// The "Command: " prompt: reads command lines and runs them until QUIT or the end of input.
#pragma once

#include <string>
#include <vector>

#include "console/console_input.h"
#include "console/console_output.h"

namespace plandor {

/// The words the console understands at its prompt besides the registered
/// commands (for HELP and completion).
std::vector<std::wstring> consoleCommandNames();

class CommandLoop {
public:
    CommandLoop(ConsoleInput& input, ConsoleOutput& out) : m_input(input), m_out(out) {}

    /// Reads and runs command lines until QUIT (or EXIT) or the end of input.
    void run();

    /// Runs one command line; false when it asks to leave.
    bool execute(const std::wstring& line);

private:
    void help();
    /// HELP NAME: the help of the one command of that name.
    void helpOn(const std::wstring& name);
    void setVariable(const std::wstring& arguments);
    void listLights();

    ConsoleInput& m_input;
    ConsoleOutput& m_out;
};

}  // namespace plandor
