// The "Command: " prompt: reads command lines and runs them until QUIT or the end of input.
#include "console/command_loop.h"

#include <algorithm>
#include <cstddef>
#include <utility>

#include "console/blanks.h"
#include "console/drawing_commands.h"
#include "console/file_commands.h"
#include "console/light_table.h"
#include "console/reserved_command.h"
#include "console/ucs_command.h"
#include "console/webinfo_command.h"
#include "host/pldocs.h"
#include "host/pledcmd.h"
#include "hostsim/driver.h"
#include "hostsim/sceneoe/scene_driver.h"

namespace plandor {

namespace {

constexpr wchar_t kPrompt[] = L"Command: ";

/// Splits off the first word; `rest` is what follows it, trimmed.
std::wstring firstWord(const std::wstring& line, std::wstring& rest) {
    std::size_t end = 0;
    while (end < line.size() && !isBlank(line[end])) {
        ++end;
    }
    rest = trimBlanks(line.substr(end));
    return line.substr(0, end);
}

wchar_t upperAscii(wchar_t c) { return (c >= L'a' && c <= L'z') ? static_cast<wchar_t>(c - L'a' + L'A') : c; }

bool sameIgnoringAsciiCase(const std::wstring& a, const std::wstring& b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](wchar_t x, wchar_t y) { return upperAscii(x) == upperAscii(y); });
}

/// The console's own commands and what HELP says of them.
struct ConsoleCommand {
    const wchar_t* name;
    const wchar_t* syntax;
    const wchar_t* description;
};
constexpr ConsoleCommand kConsoleCommands[] = {
    {L"HELP", L"HELP [NAME]", L"list the commands, or show the help of one"},
    {L"SETVAR", L"SETVAR [NAME [VALUE]]", L"list, show or set system variables (\"\" is an empty text)"},
    {L"LIST", L"LIST", L"list the lights of the drawing"},
    {L"UCS", kUcsSyntax, L"show, reset (WORLD) or set the user coordinate system: origin, X axis, Y axis"},
    {L"WEBINFO", kWebInfoSyntax, L"summarise a photometric web file: version, type, peak, flux, beam and field"},
    {L"RESERVED", kReservedSyntax, L"ask the module about reserved scene names: a form of a type, a test, a translation"},
    {L"SAVE", kSaveSyntax, L"save the drawing to FILE (or to the file it was opened from or saved to)"},
    {L"OPEN", kOpenSyntax, L"open the drawing FILE in the place of the drawing that is open"},
    {L"NEW", kNewSyntax, L"start a new drawing in the place of the drawing that is open"},
    {L"QUIT", L"QUIT", L"leave plandor"},
    {L"EXIT", L"EXIT", L"leave plandor"},
};

/// Where the second column of HELP starts.
constexpr std::size_t kHelpColumn = 26;

/// "  first" padded to the second column, then `second`; when `first` reaches
/// the column, `second` goes on a line of its own in the column.
std::wstring helpLine(const std::wstring& first, const std::wstring& second) {
    std::wstring line = L"  " + first;
    if (!second.empty()) {
        if (line.size() + 2 > kHelpColumn) {
            line += L"\n";
            line += std::wstring(kHelpColumn, L' ');
        } else {
            line.resize(kHelpColumn, L' ');
        }
        line += second;
    }
    return line;
}

/// A registered command's line of HELP: its names and its help topic.
std::wstring commandHelpLine(const PlEdCommand& command) {
    std::wstring name = command.globalName();
    const std::wstring local = command.localName();
    if (!local.empty() && local != name) {
        name += L" (" + local + L")";
    }
    const std::wstring topic = command.helpTopic();
    return helpLine(name, topic.empty() ? std::wstring() : L"help topic: " + topic);
}

/// The name of the system variable `name` as the host spells it; empty when
/// there is none.
std::wstring variableName(const std::wstring& name) {
    for (const std::wstring& known : plsim::varNames()) {
        if (sameIgnoringAsciiCase(known, name)) {
            return known;
        }
    }
    return {};
}

}  // namespace

std::vector<std::wstring> consoleCommandNames() {
    std::vector<std::wstring> names;
    for (const ConsoleCommand& command : kConsoleCommands) {
        names.emplace_back(command.name);
    }
    for (const DrawingCommand& command : drawingCommands()) {
        names.emplace_back(command.name);
    }
    for (const PlEdCommand* command : plsim::registeredCommands()) {
        names.emplace_back(command->globalName());
        const std::wstring local = command->localName();
        if (!local.empty() && local != names.back()) {
            names.push_back(local);
        }
    }
    return names;
}

void CommandLoop::run() {
    for (;;) {
        plsim::finishOutputLine();
        m_out.finishLine();
        std::wstring line;
        const ConsoleInput::Read read = m_input.readCommand(kPrompt, line);
        if (read == ConsoleInput::Read::End) {
            if (mayLeaveDrawing(m_input, m_out)) return;
            continue;
        }
        if (read == ConsoleInput::Read::Cancel) {
            if (!m_input.showsPrompts()) {
                m_out.writeLine(std::wstring(kPrompt) + L"*Cancel*");
            }
            continue;
        }
        line = trimBlanks(line);
        if (!m_input.showsPrompts()) {
            m_out.writeLine(kPrompt + line);
        }
        const bool goOn = execute(line);
        // The console shows output as it is made; the host's record of it is
        // not needed and would only grow.
        plsim::clearTranscript();
        if (!goOn) {
            return;
        }
    }
}

bool CommandLoop::execute(const std::wstring& line) {
    std::wstring rest;
    const std::wstring name = firstWord(trimBlanks(line), rest);
    if (name.empty()) {
        return true;
    }
    if (sameIgnoringAsciiCase(name, L"QUIT") || sameIgnoringAsciiCase(name, L"EXIT")) {
        return !mayLeaveDrawing(m_input, m_out);
    }
    if (runFileCommand(name, rest, m_input, m_out)) {
        return true;
    }
    if (sameIgnoringAsciiCase(name, L"HELP")) {
        if (rest.empty()) {
            help();
        } else {
            helpOn(rest);
        }
        return true;
    }
    if (sameIgnoringAsciiCase(name, L"SETVAR")) {
        setVariable(rest);
        return true;
    }
    if (sameIgnoringAsciiCase(name, L"LIST")) {
        if (!rest.empty()) {
            m_out.writeLine(L"LIST takes no arguments.");
            return true;
        }
        listLights();
        return true;
    }
    if (sameIgnoringAsciiCase(name, L"UCS")) {
        for (const std::wstring& text : runUcsCommand(rest)) {
            m_out.writeLine(text);
        }
        return true;
    }
    if (sameIgnoringAsciiCase(name, L"WEBINFO")) {
        for (const std::wstring& text : runWebInfoCommand(rest)) m_out.writeLine(text);
        return true;
    }
    if (sameIgnoringAsciiCase(name, L"RESERVED")) {
        m_out.writeLine(runReservedCommand(rest));
        return true;
    }
    if (runDrawingCommand(name, rest, m_out)) {
        return true;
    }
    if (plsim::findCommand(name) == nullptr) {
        m_out.writeLine(L"Unknown command \"" + name + L"\". Type HELP for a list of commands.");
        return true;
    }
    if (!rest.empty()) {
        // The host reads a command's replies at its own prompts.
        m_out.writeLine(name + L" takes no arguments on its command line; type its replies at its prompts.");
        return true;
    }
    plsim::runCommand(name);
    plsim::finishOutputLine();
    return true;
}

void CommandLoop::help() {
    m_out.writeLine(L"Commands of the console:");
    for (const ConsoleCommand& command : kConsoleCommands) {
        m_out.writeLine(helpLine(command.syntax, command.description));
    }
    m_out.writeLine(L"Commands on the drawing (points x,y,z in world coordinates, HANDLE in hexadecimal):");
    for (const DrawingCommand& command : drawingCommands()) {
        m_out.writeLine(helpLine(command.syntax, command.description));
    }
    const std::vector<PlEdCommand*> commands = plsim::registeredCommands();
    if (commands.empty()) {
        m_out.writeLine(L"No commands are registered.");
        return;
    }
    std::wstring group;
    for (const PlEdCommand* command : commands) {
        if (group.empty() || command->groupName() != group) {
            group = command->groupName();
            m_out.writeLine(L"Commands of " + group + L":");
        }
        m_out.writeLine(commandHelpLine(*command));
    }
}

void CommandLoop::helpOn(const std::wstring& name) {
    for (const ConsoleCommand& command : kConsoleCommands) {
        if (sameIgnoringAsciiCase(name, command.name)) {
            m_out.writeLine(helpLine(command.syntax, command.description));
            return;
        }
    }
    for (const DrawingCommand& command : drawingCommands()) {
        if (sameIgnoringAsciiCase(name, command.name)) {
            m_out.writeLine(helpLine(command.syntax, command.description));
            return;
        }
    }
    if (const PlEdCommand* command = plsim::findCommand(name)) {
        m_out.writeLine(L"Command of " + std::wstring(command->groupName()) + L":");
        m_out.writeLine(commandHelpLine(*command));
        return;
    }
    m_out.writeLine(L"Unknown command \"" + name + L"\". Type HELP for a list of commands.");
}

void CommandLoop::listLights() {
    const PlApDocManager* docs = plDocManagerPtr();
    const PlApDocument* drawing = docs != nullptr ? docs->curDocument() : nullptr;
    if (drawing == nullptr) {
        m_out.writeLine(L"No drawing is open.");
        return;
    }
    for (const std::wstring& line : lightTableLines(plsim::scene::lightsOf(drawing->database()), photometricLighting())) {
        m_out.writeLine(line);
    }
}

void CommandLoop::setVariable(const std::wstring& arguments) {
    std::wstring value;
    const std::wstring name = firstWord(arguments, value);
    if (name.empty()) {
        std::vector<std::wstring> names = plsim::varNames();
        std::sort(names.begin(), names.end());
        for (const std::wstring& known : names) {
            m_out.writeLine(known + L" = " + plsim::getVar(known));
        }
        return;
    }
    const std::wstring known = variableName(name);
    if (known.empty()) {
        m_out.writeLine(L"Unknown variable \"" + name + L"\". Type SETVAR for the list.");
        return;
    }
    if (value.empty()) {
        m_out.writeLine(known + L" = " + plsim::getVar(known));
        return;
    }
    // Quotes keep blanks at the ends of a text value, and "" is an empty one.
    if (value.size() >= 2 && value.front() == L'"' && value.back() == L'"') {
        value = value.substr(1, value.size() - 2);
    }
    std::wstring error;
    if (!plsim::setVar(known, value, &error)) {
        m_out.writeLine(error.empty() ? L"Cannot set " + known + L" to \"" + value + L"\"." : error);
    }
}

}  // namespace plandor
