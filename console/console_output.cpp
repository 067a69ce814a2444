// The console's standard output: wide text written as UTF-8, with the line state tracked.
#include "console/console_output.h"

#include <string>

#include "console/utf8.h"

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
    const std::string bytes = toUtf8(text);
    std::fwrite(bytes.data(), 1, bytes.size(), m_stream);
    std::fflush(m_stream);
    m_atLineStart = text.back() == L'\n';
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

}  // namespace plandor
