// Replies and command lines read from a script file or piped standard input.
#include "console/script_source.h"

#include <utility>

#include "console/blanks.h"
#include "console/control_characters.h"
#include "drawing/utf8.h"

namespace plandor {

namespace {

constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";

}  // namespace

ScriptSource::ScriptSource(std::istream& in, std::wstring name, ConsoleOutput& warnings, bool isScript)
    : m_in(in), m_name(std::move(name)), m_warnings(warnings), m_isScript(isScript) {}

ConsoleInput::Read ScriptSource::readLine(std::wstring& line) {
    std::string raw;
    while (std::getline(m_in, raw)) {
        ++m_lineNumber;
        if (m_lineNumber == 1 && raw.rfind(kByteOrderMark, 0) == 0) {
            raw.erase(0, sizeof kByteOrderMark - 1);
        }
        const std::string text = trimBlanks(raw);
        if (!text.empty() && text.front() == '#') {
            continue;
        }
        if (!isValidUtf8(text)) {
            m_warnings.finishLine();
            m_warnings.writeLine(m_name + L", line " + std::to_wstring(m_lineNumber) +
                                 L": not valid UTF-8; the bad bytes are read as \uFFFD.");
        }
        if (text == "^C") {
            return Read::Cancel;
        }
        line = fromUtf8(text);
        if (const std::wstring control = firstControlCharacter(line); !control.empty()) {
            m_warnings.finishLine();
            m_warnings.writeLine(m_name + L", line " + std::to_wstring(m_lineNumber) + L": the control character " +
                                 control + L" is not taken in a reply; the line is skipped.");
            continue;
        }
        return Read::Line;
    }
    return Read::End;
}

bool ScriptSource::next(const std::wstring& /*prompt*/, plsim::Reply& reply) {
    std::wstring line;
    switch (readLine(line)) {
        case Read::Line:
            reply.kind = plsim::Reply::Text;
            reply.text = std::move(line);
            return true;
        case Read::Cancel:
            reply.kind = plsim::Reply::Cancel;
            reply.text.clear();
            return true;
        case Read::End:
            return false;
    }
    return false;
}

ConsoleInput::Read ScriptSource::readCommand(const std::wstring& /*prompt*/, std::wstring& line) {
    return readLine(line);
}

}  // namespace plandor
