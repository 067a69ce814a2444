// The console's standard output: wide text written as UTF-8, with the line state tracked.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace plandor {

/// Writes to one stream (standard output in the program). The host's live
/// output and the console's own lines go through the same writer, so they
/// stay in order and the writer knows whether a line is open.
class ConsoleOutput {
public:
    explicit ConsoleOutput(std::FILE* stream) : m_stream(stream) {}

    /// Writes `text` and flushes, so a person sees it before the next prompt.
    /// After a write fails (a closed pipe, a full disk) nothing more is
    /// written, and the session goes on.
    void write(std::wstring_view text);
    /// Writes `text` and ends the line.
    void writeLine(std::wstring_view text);
    /// Ends the current line if text is pending on it.
    void finishLine();
    /// Tells the writer that something else (the line editor) ended the line.
    void lineEnded() { m_atLineStart = true; }
    bool atLineStart() const { return m_atLineStart; }
    /// True once a write has failed.
    bool failed() const { return m_failed; }
    /// Why the first failed write failed, for the user.
    std::wstring failure() const;

private:
    std::FILE* m_stream;
    bool m_atLineStart = true;
    bool m_failed = false;
    int m_errno = 0;
};

/// Prepares the process's standard streams for UTF-8 (the Windows console
/// needs to be told; elsewhere this does nothing).
void prepareUtf8Console();

/// Makes a write to a pipe whose reader has gone fail instead of ending the
/// process, so that the session can finish and keep its drawing.
void ignoreBrokenPipes();

}  // namespace plandor
