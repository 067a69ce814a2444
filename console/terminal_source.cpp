// Replies and command lines typed at an interactive terminal, with line editing where available.
#include "console/terminal_source.h"

#include <csignal>
#include <cstdio>
#include <iostream>
#include <utility>

#include "console/blanks.h"
#include "console/control_characters.h"
#include "drawing/utf8.h"

#if defined(_WIN32)
#  include <io.h>
#  include <windows.h>
#else
#  include <cerrno>
#  include <cstdlib>
#  include <cstring>
#  include <sys/select.h>
#  include <unistd.h>
#  include <readline/history.h>
#  include <readline/readline.h>
#endif

namespace plandor {

namespace {

/// Set by the interrupt handler; read after the wait for input wakes up.
volatile std::sig_atomic_t g_interrupted = 0;

#if !defined(_WIN32)

volatile std::sig_atomic_t g_resized = 0;

extern "C" void onInterrupt(int) { g_interrupted = 1; }
extern "C" void onResize(int) { g_resized = 1; }

// What readline's callbacks (plain functions) need to see.
struct LineState {
    bool done = false;
    char* line = nullptr;  ///< null at end of input; freed by the reader
    std::vector<std::string> words;  ///< completion words of the prompt being read
    std::vector<std::string> matches;
    std::size_t nextMatch = 0;
};
LineState g_state;

extern "C" void onLine(char* line) {
    g_state.line = line;
    g_state.done = true;
    rl_callback_handler_remove();
}

bool startsWithIgnoringCase(const std::string& word, const char* prefix) {
    const std::wstring wideWord = fromUtf8(word);
    const std::wstring widePrefix = fromUtf8(prefix);
    return wideWord.size() >= widePrefix.size() &&
           plsim::detail::iequals(wideWord.substr(0, widePrefix.size()), widePrefix);
}

char* copyForReadline(const std::string& text) {
    auto* copy = static_cast<char*>(std::malloc(text.size() + 1));
    if (copy != nullptr) {
        std::memcpy(copy, text.c_str(), text.size() + 1);
    }
    return copy;
}

extern "C" char* nextCompletion(const char* text, int state) {
    if (state == 0) {
        g_state.matches.clear();
        g_state.nextMatch = 0;
        for (const std::string& word : g_state.words) {
            if (startsWithIgnoringCase(word, text)) {
                g_state.matches.push_back(word);
            }
        }
    }
    if (g_state.nextMatch < g_state.matches.size()) {
        return copyForReadline(g_state.matches[g_state.nextMatch++]);
    }
    return nullptr;
}

/// Completes the first word of a command line; nothing else (in particular
/// no file names).
extern "C" char** completeCommand(const char* text, int start, int /*end*/) {
    rl_attempted_completion_over = 1;
    if (start != 0 || g_state.words.empty()) {
        return nullptr;
    }
    return rl_completion_matches(text, nextCompletion);
}

struct sigaction g_previousInterrupt;
struct sigaction g_previousResize;

#else  // _WIN32

BOOL WINAPI onConsoleControl(DWORD type) {
    if (type == CTRL_C_EVENT) {
        g_interrupted = 1;
        return TRUE;
    }
    return FALSE;
}

#endif

}  // namespace

bool stdinIsTerminal() {
#if defined(_WIN32)
    return _isatty(_fileno(stdin)) != 0;
#else
    return isatty(STDIN_FILENO) != 0;
#endif
}

TerminalSource::TerminalSource(ConsoleOutput& out, std::function<std::vector<std::wstring>()> commandWords)
    : m_out(out), m_commandWords(std::move(commandWords)) {
#if defined(_WIN32)
    SetConsoleCtrlHandler(onConsoleControl, TRUE);
#else
    // Line editing of multi-byte text needs the UTF-8 character type that
    // plandor sets for every input (useSessionCharacterType).
    rl_readline_name = "plandor";
    rl_catch_signals = 0;
    rl_catch_sigwinch = 0;
    rl_attempted_completion_function = completeCommand;
    using_history();

    // The wait for input is never restarted after a signal, whatever the
    // flags; restarting keeps the signals from breaking calls elsewhere.
    struct sigaction action {};
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    action.sa_handler = onInterrupt;
    sigaction(SIGINT, &action, &g_previousInterrupt);
    action.sa_handler = onResize;
    sigaction(SIGWINCH, &action, &g_previousResize);
#endif
}

TerminalSource::~TerminalSource() {
#if defined(_WIN32)
    SetConsoleCtrlHandler(onConsoleControl, FALSE);
#else
    sigaction(SIGINT, &g_previousInterrupt, nullptr);
    sigaction(SIGWINCH, &g_previousResize, nullptr);
    rl_attempted_completion_function = nullptr;
    clear_history();
#endif
}

ConsoleInput::Read TerminalSource::readAcceptedLine(const std::wstring& prompt, std::wstring& line,
                                                    bool atCommandPrompt) {
    for (;;) {
        const Read read = readLine(prompt, line, atCommandPrompt);
        const std::wstring control = read == Read::Line ? firstControlCharacter(trimBlanks(line)) : L"";
        if (control.empty()) {
            return read;
        }
        m_out.writeLine(L"The control character " + control + L" is not taken in a reply. Type it again without it.");
    }
}

bool TerminalSource::next(const std::wstring& prompt, plsim::Reply& reply) {
    std::wstring line;
    switch (readAcceptedLine(prompt, line, false)) {
        case Read::Line:
            reply.kind = plsim::Reply::Text;
            reply.text = std::move(line);
            return true;
        case Read::Cancel:
        case Read::End:
            // End of input inside a command cancels the command; the session
            // ends only at the command prompt.
            m_out.writeLine(L"*Cancel*");
            reply.kind = plsim::Reply::Cancel;
            reply.text.clear();
            return true;
    }
    return false;
}

ConsoleInput::Read TerminalSource::readCommand(const std::wstring& prompt, std::wstring& line) {
    return readAcceptedLine(prompt, line, true);
}

#if !defined(_WIN32)

ConsoleInput::Read TerminalSource::readLine(const std::wstring& prompt, std::wstring& line,
                                            bool atCommandPrompt) {
    m_out.finishLine();
    g_state = LineState{};
    if (atCommandPrompt && m_commandWords) {
        for (const std::wstring& word : m_commandWords()) {
            g_state.words.push_back(toUtf8(word));
        }
    }

    // SIGINT stays blocked except while waiting for input, so an interrupt
    // cannot slip in between the check of the flag and the wait.
    sigset_t interrupt;
    sigemptyset(&interrupt);
    sigaddset(&interrupt, SIGINT);
    sigset_t previous;
    sigprocmask(SIG_BLOCK, &interrupt, &previous);
    sigset_t waitMask = previous;
    sigdelset(&waitMask, SIGINT);
    g_interrupted = 0;

    const std::string promptBytes = toUtf8(prompt);
#if RL_READLINE_VERSION >= 0x0802
    // Once set, readline ends every later line with an extra line end.
    rl_eof_found = 0;
#endif
    rl_callback_handler_install(promptBytes.c_str(), onLine);
    bool cancelled = false;
    while (!g_state.done) {
        const int fd = fileno(rl_instream != nullptr ? rl_instream : stdin);
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(fd, &readable);
        const int ready = pselect(fd + 1, &readable, nullptr, nullptr, nullptr, &waitMask);
        if (ready < 0) {
            if (errno != EINTR) {
                // The terminal is gone: no more input.
                rl_callback_handler_remove();
                break;
            }
            if (g_interrupted != 0) {
                cancelled = true;
                break;
            }
            if (g_resized != 0) {
                g_resized = 0;
                rl_resize_terminal();
            }
            continue;
        }
        rl_callback_read_char();
    }
    if (cancelled) {
        // Leave the line as typed with "^C" after it, as a shell does, then
        // drop it.
        FILE* screen = rl_outstream != nullptr ? rl_outstream : stdout;
        rl_point = rl_end;
        rl_redisplay();
        std::fputs("^C", screen);
        rl_crlf();
        std::fflush(screen);
        rl_free_line_state();
        rl_callback_sigcleanup();
        rl_callback_handler_remove();
    }
    sigprocmask(SIG_SETMASK, &previous, nullptr);
    std::fflush(stdout);
    m_out.lineEnded();

    if (cancelled) {
        return Read::Cancel;
    }
    if (g_state.line == nullptr) {
        // End of input (Ctrl-D). Readline from 8.2 on ends the line itself.
#if RL_READLINE_VERSION < 0x0802
        m_out.write(L"\n");
#endif
        return Read::End;
    }
    const std::string typed = g_state.line;
    std::free(g_state.line);
    g_state.line = nullptr;
    if (!typed.empty()) {
        const HIST_ENTRY* last = history_get(history_base + history_length - 1);
        if (last == nullptr || typed != last->line) {
            add_history(typed.c_str());
        }
    }
    line = fromUtf8(typed);
    return Read::Line;
}

#else  // _WIN32

ConsoleInput::Read TerminalSource::readLine(const std::wstring& prompt, std::wstring& line,
                                            bool /*atCommandPrompt*/) {
    m_out.finishLine();
    m_out.write(prompt);
    HANDLE in = GetStdHandle(STD_INPUT_HANDLE);
    DWORD mode = 0;
    std::wstring text;
    if (GetConsoleMode(in, &mode)) {
        g_interrupted = 0;
        wchar_t buffer[512];
        for (;;) {
            DWORD count = 0;
            SetLastError(ERROR_SUCCESS);
            const BOOL ok = ReadConsoleW(in, buffer, 512, &count, nullptr);
            if (ok && count == 0) {
                // Ctrl-C ends the read with nothing in it (its handler runs
                // on a thread of its own).
                m_out.write(L"^C\n");
                return Read::Cancel;
            }
            if (!ok) {
                if (g_interrupted != 0 || GetLastError() == ERROR_OPERATION_ABORTED) {
                    m_out.write(L"^C\n");
                    return Read::Cancel;
                }
                m_out.write(L"\n");
                return Read::End;
            }
            text.append(buffer, count);
            if (!text.empty() && text.back() == L'\n') {
                break;
            }
        }
        while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r')) {
            text.pop_back();
        }
        if (!text.empty() && text.front() == L'\x1A') {
            return Read::End;
        }
    } else {
        std::string raw;
        if (!std::getline(std::cin, raw)) {
            m_out.write(L"\n");
            return Read::End;
        }
        if (!raw.empty() && raw.back() == '\r') {
            raw.pop_back();
        }
        text = fromUtf8(raw);
    }
    m_out.lineEnded();
    line = std::move(text);
    return Read::Line;
}

#endif

}  // namespace plandor
