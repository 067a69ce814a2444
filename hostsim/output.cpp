// Host output: the transcript of the session and the live sink that shows it as it is made.
#include "hostsim/internal.h"

#include <utility>

namespace plsim {

namespace {

/// The transcript and the live output each know whether their last line is
/// finished: the transcript can be cleared mid-line and a sink set mid-line,
/// and each then starts on a line of its own.
struct Output {
    std::wstring transcript;
    bool transcriptAtLineStart = true;
    std::function<void(const std::wstring&)> sink;
    bool liveAtLineStart = true;
};

/// Never destroyed: modules may print from their own static destructors.
Output& output() {
    static Output* const state = new Output;
    return *state;
}

bool endsLine(const std::wstring& text) { return !text.empty() && text.back() == L'\n'; }

void toTranscript(const std::wstring& text) {
    Output& out = output();
    out.transcript += text;
    out.transcriptAtLineStart = endsLine(text);
}

void toLive(const std::wstring& text) {
    Output& out = output();
    if (!out.sink) return;
    out.liveAtLineStart = endsLine(text);
    // A copy, so that a sink that replaces itself is not destroyed while it runs.
    const auto sink = out.sink;
    sink(text);
}

}  // namespace

std::wstring transcript() { return output().transcript; }

void clearTranscript() {
    output().transcript.clear();
    output().transcriptAtLineStart = true;
}

void setOutputSink(std::function<void(const std::wstring&)> sink) {
    output().sink = std::move(sink);
    output().liveAtLineStart = true;
}

void finishOutputLine() {
    Output& out = output();
    if (!out.transcriptAtLineStart) toTranscript(L"\n");
    if (!out.liveAtLineStart) toLive(L"\n");
}

namespace detail {

void emit(const std::wstring& text) {
    if (text.empty()) return;
    toTranscript(text);
    toLive(text);
}

void emitExchange(std::wstring_view prompt, std::wstring_view replyShown, bool showLive) {
    Output& out = output();
    // Into the transcript piece by piece: most exchanges have no live sink to
    // show them, and then no line needs to be made.
    if (!out.transcriptAtLineStart) out.transcript += L'\n';
    out.transcript.append(prompt).append(replyShown) += L'\n';
    out.transcriptAtLineStart = true;
    if (showLive) {
        if (!out.sink) return;
        std::wstring line(out.liveAtLineStart ? L"" : L"\n");
        line.append(prompt).append(replyShown) += L'\n';
        toLive(line);
    } else {
        // The input source shows the exchange itself; it starts on a line of
        // its own, and the user's Enter ends it.
        if (!out.liveAtLineStart) toLive(L"\n");
        out.liveAtLineStart = true;
    }
}

void resetOutput() {
    Output& out = output();
    out.transcript.clear();
    out.transcriptAtLineStart = true;
    // The live output keeps its state: what it showed is still on the screen.
}

}  // namespace detail

}  // namespace plsim
