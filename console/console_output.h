// The console's standard output: wide text written as UTF-8, with the line state tracked.
#pragma once

#include <cstdio>
#include <string_view>

namespace plandor {

/// Writes to one stream (standard output in the program). The host's live
/// output and the console's own lines go through the same writer, so they
/// stay in order and the writer knows whether a line is open.
class ConsoleOutput {
public:
    explicit ConsoleOutput(std::FILE* stream) : m_stream(stream) {}

    /// Writes `text` and flushes, so a person sees it before the next prompt.
    void write(std::wstring_view text);
    /// Writes `text` and ends the line.
    void writeLine(std::wstring_view text);
    /// Ends the current line if text is pending on it.
    void finishLine();
    /// Tells the writer that something else (the line editor) ended the line.
    void lineEnded() { m_atLineStart = true; }
    bool atLineStart() const { return m_atLineStart; }

private:
    std::FILE* m_stream;
    bool m_atLineStart = true;
};

/// Prepares the process's standard streams for UTF-8 (the Windows console
/// needs to be told; elsewhere this does nothing).
void prepareUtf8Console();

}  // namespace plandor
