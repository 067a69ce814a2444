// Fuzz target: the module's commands, loaded once as the host loads them, replayed from any
// input as a script would be. No input may crash the module or the host, trip a sanitizer,
// leave an object open or a drawing locked, let a command add more than one light or take
// one away, or leave a light that breaks what the session checks demand.
//
// An input is one byte of settings, then lines ('\n' ends a line; nothing else is taken off):
// at "Command: " a line names the command to run (lines that name none are passed over), and
// the lines after it answer the command's prompts and dialogs one by one, "^C" being a
// cancel. When the lines run out, every prompt still asked is cancelled. The settings byte:
//   bits 0-1  LIGHTINGUNITS 0, 1 or 2 (3 counts as 2)
//   bit 2     DEFAULTLIGHTING 1 (else 0)
//   bit 3     the replies are typed: dialogs are shown and answered by a line (else a script)
//   bits 4-5  INSUNITS 4 millimetres (0 and 3), 1 inches, 6 metres
//   bit 6     a user coordinate system whose origin is 10,20,30 and whose Z axis is world X
//   bit 7     CVPORT 1, the viewport where no light may go
// So the digits '0' to '9' are a millimetre drawing in world coordinates, and '2' is a
// script in American units with default lighting off. With PL_FUZZ_TRANSCRIPT set in the
// environment the transcript of each input goes to standard error, to see what one did.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "host/pldocs.h"
#include "hostsim/driver.h"
#include "hostsim/internal.h"
#include "hostsim/sceneoe/scene_driver.h"
#include "hostsim/sceneoe/web_files.h"
#include "support/session_check.h"

namespace {

[[noreturn]] void fail(const std::wstring& what) {
    std::fprintf(stderr, "module fuzz: %s\n", plsim::detail::toUtf8(what).c_str());
    std::abort();
}

/// Replies from the lines of the input, in order; none when they run out.
class LineSource : public plsim::InputSource {
public:
    explicit LineSource(const std::vector<std::wstring>& lines) : m_lines(lines) {}
    bool next(const std::wstring& /*prompt*/, plsim::Reply& reply) override {
        if (m_next >= m_lines.size()) return false;
        const std::wstring& line = m_lines[m_next++];
        reply.kind = line == L"^C" ? plsim::Reply::Cancel : plsim::Reply::Text;
        reply.text = reply.kind == plsim::Reply::Text ? line : std::wstring();
        return true;
    }
    /// The next line, taken as a command name; false when none is left.
    bool nextCommand(std::wstring& name) {
        if (m_next >= m_lines.size()) return false;
        name = m_lines[m_next++];
        return true;
    }

private:
    const std::vector<std::wstring>& m_lines;
    std::size_t m_next = 0;
};

void loadModuleOnce() {
    static const bool loaded = [] {
        plsim::setAbortHandler([](const std::wstring& message) { fail(L"the host was aborted: " + message); });
        plsim::resetSession();
        std::wstring error;
        int initResult = -1;
        if (!plsim::loadApplication(L"PlZuredUD.vmx", &error, &initResult) || initResult != 0)
            fail(L"the module does not load: " + error);
        plsim::scene::setWebSearchPath({PL_FUZZ_WEB_FOLDER});
        return true;
    }();
    static_cast<void>(loaded);
}

void applySettings(std::uint8_t settings) {
    const int units = settings & 3;
    const int insunits[] = {4, 1, 6, 4};
    const std::pair<const wchar_t*, std::wstring> vars[] = {
        {L"LIGHTINGUNITS", std::to_wstring(units == 3 ? 2 : units)},
        {L"DEFAULTLIGHTING", (settings & 4) ? L"1" : L"0"},
        {L"INSUNITS", std::to_wstring(insunits[(settings >> 4) & 3])},
        {L"CVPORT", (settings & 0x80) ? L"1" : L"2"},
    };
    for (const auto& [name, value] : vars) {
        std::wstring error;
        if (!plsim::setVar(name, value, &error)) fail(L"cannot set " + std::wstring(name) + L": " + error);
    }
    plsim::setScriptActive((settings & 8) == 0);
    if ((settings & 0x40) && !plsim::setUcs(10, 20, 30, 0, 1, 0, 0, 0, 1)) fail(L"cannot set the UCS");
}

std::vector<std::wstring> linesOf(const std::uint8_t* data, std::size_t size) {
    std::vector<std::wstring> lines;
    std::string line;
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] != '\n') {
            line += static_cast<char>(data[i]);
            continue;
        }
        lines.push_back(plsim::detail::fromUtf8(line));
        line.clear();
    }
    if (!line.empty()) lines.push_back(plsim::detail::fromUtf8(line));
    return lines;
}

void check(const std::wstring& after) {
    const std::vector<std::wstring> problems = pltest::sessionProblems();
    if (problems.empty()) return;
    std::wstring all = L"after " + after + L":";
    for (const std::wstring& problem : problems) all += L"\n  " + problem;
    fail(all);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    loadModuleOnce();
    plsim::setColorBookLocation(PL_FUZZ_COLORBOOK_FOLDER);
    PlApDocument* drawing = plsim::openDrawing(L"Drawing1");
    applySettings(data[0]);

    const std::vector<std::wstring> lines = linesOf(data + 1, size - 1);
    LineSource source(lines);
    plsim::setInputSource(&source);
    std::wstring command;
    while (source.nextCommand(command)) {
        const std::size_t before = plsim::scene::lightCount(drawing->database());
        if (!plsim::runCommand(command)) continue;
        const std::size_t after = plsim::scene::lightCount(drawing->database());
        if (after < before || after > before + 1)
            fail(command + L" took the drawing from " + std::to_wstring(before) + L" lights to " +
                 std::to_wstring(after));
        check(command);
    }
    plsim::setInputSource(nullptr);
    if (std::getenv("PL_FUZZ_TRANSCRIPT")) {
        const std::string shown = plsim::detail::toUtf8(plsim::transcript()) + "\n";
        std::fwrite(shown.data(), 1, shown.size(), stderr);
    }
    plsim::closeDrawing(drawing);
    check(L"the drawing was closed");
    // What the input made is freed with it, so libFuzzer's count of allocations and frees
    // per input only sees real leaks.
    plsim::resetSession();
    return 0;
}
