// The console's standard output: wide text written as UTF-8, with the line state tracked.
#include "console/console_output.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <string>

#include "console/control_characters.h"
#include "drawing/utf8.h"

#if defined(_WIN32)
#  include <fcntl.h>
#  include <io.h>
#  include <windows.h>
#endif

namespace plandor {

void ConsoleOutput::write(std::wstring_view text) {
    if (text.empty()) {
        return;
    }
    m_atLineStart = text.back() == L'\n';
    if (m_failed) {
        return;
    }
    const std::string bytes = toUtf8(withVisibleControls(text));
    errno = 0;
    if (std::fwrite(bytes.data(), 1, bytes.size(), m_stream) != bytes.size() || std::fflush(m_stream) != 0) {
        m_failed = true;
        m_errno = errno;
    }
}

std::wstring ConsoleOutput::failure() const {
    return m_errno != 0 ? fromUtf8(std::strerror(m_errno)) : std::wstring(L"write error");
}

void ConsoleOutput::writeLine(std::wstring_view text) {
    std::wstring line(text);
    line += L'\n';
    write(line);
}

void ConsoleOutput::finishLine() {
    if (!m_atLineStart) {
        write(L"\n");
    }
}

void prepareUtf8Console() {
#if defined(_WIN32)
    SetConsoleOutputCP(CP_UTF8);
    // Text written is already UTF-8 with "\n" line ends; keep the C library
    // from translating it again.
    _setmode(_fileno(stdout), _O_BINARY);
#endif
}

void ignoreBrokenPipes() {
#if !defined(_WIN32)
    std::signal(SIGPIPE, SIG_IGN);
#endif
}

}  // namespace plandor
