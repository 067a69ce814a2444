// Replies and command lines read from a script file or piped standard input.
#pragma once

#include <istream>
#include <string>

#include "console/console_input.h"
#include "console/console_output.h"

namespace plandor {

/// Reads one reply a line:
/// - leading and trailing blanks (spaces, tabs) and a "\r" before the line end
///   are dropped, and so is a UTF-8 byte-order mark at the start;
/// - a blank line is Enter;
/// - "^C" alone is a cancel;
/// - a line whose first non-blank character is "#" is a comment and skipped.
/// Text that is not valid UTF-8 is read with U+FFFD in place of the bad bytes,
/// and a warning naming the line goes to `warnings`. A line that holds a
/// control character (a tab or escape inside it, say) is skipped with a
/// warning naming the line and the character.
class ScriptSource : public ConsoleInput {
public:
    /// `name` names the input in warnings (the file name, or "standard input").
    /// `isScript` false reads the same syntax as input typed by a person.
    ScriptSource(std::istream& in, std::wstring name, ConsoleOutput& warnings, bool isScript);

    bool next(const std::wstring& prompt, plsim::Reply& reply) override;
    Read readCommand(const std::wstring& prompt, std::wstring& line) override;
    bool isScript() const override { return m_isScript; }

    /// The number of the line read last (1-based; 0 before the first).
    int lineNumber() const { return m_lineNumber; }

private:
    /// The next line that is not a comment, trimmed.
    Read readLine(std::wstring& line);

    std::istream& m_in;
    std::wstring m_name;
    ConsoleOutput& m_warnings;
    bool m_isScript;
    int m_lineNumber = 0;
};

}  // namespace plandor
