// Replies and command lines typed at an interactive terminal, with line editing where available.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "console/console_input.h"
#include "console/console_output.h"

namespace plandor {

/// Reads lines typed at a terminal. On Linux with GNU readline (line editing,
/// history, command-name completion at the command prompt); on Windows from
/// the console without editing. The source shows each prompt itself.
///
/// Ctrl-C cancels the prompt in front of it (at the command prompt that just
/// gives a fresh prompt). End of input (Ctrl-D; Ctrl-Z and Enter on Windows)
/// ends the session at the command prompt and cancels the command inside one.
/// Only one terminal source may exist at a time: it owns the process's
/// interrupt handling while it lives.
class TerminalSource : public ConsoleInput {
public:
    /// `commandWords` lists the names to complete at the command prompt.
    TerminalSource(ConsoleOutput& out, std::function<std::vector<std::wstring>()> commandWords);
    ~TerminalSource() override;
    TerminalSource(const TerminalSource&) = delete;
    TerminalSource& operator=(const TerminalSource&) = delete;

    bool next(const std::wstring& prompt, plsim::Reply& reply) override;
    bool showsPrompts() const override { return true; }
    bool isTerminal() const override { return true; }
    Read readCommand(const std::wstring& prompt, std::wstring& line) override;

private:
    Read readLine(const std::wstring& prompt, std::wstring& line, bool atCommandPrompt);
    /// readLine until the line holds no control character (each refused with a message).
    Read readAcceptedLine(const std::wstring& prompt, std::wstring& line, bool atCommandPrompt);

    ConsoleOutput& m_out;
    std::function<std::vector<std::wstring>()> m_commandWords;
};

/// True when standard input is an interactive terminal.
bool stdinIsTerminal();

}  // namespace plandor
