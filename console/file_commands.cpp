// The console's commands on the drawing as a whole, and the question of unsaved changes.
#include "console/file_commands.h"

#include <optional>
#include <vector>

#include "console/arguments.h"
#include "console/drawing_objects.h"
#include "console/illuminance_command.h"
#include "drawing/utf8.h"
#include "drawingfile/drawing_builder.h"
#include "host/pldocs.h"
#include "hostsim/document_driver.h"
#include "hostsim/selection_driver.h"

namespace plandor {

namespace {

/// The file the current drawing was opened from or last saved to; none for a new drawing.
struct DrawingPlace {
    PlApDocument* drawing = nullptr;
    std::optional<std::filesystem::path> file;
};

DrawingPlace& place() {
    static DrawingPlace current;
    return current;
}

PlApDocument* currentDrawing() { return plDocManagerPtr()->curDocument(); }

std::optional<std::filesystem::path> currentFile() {
    return place().drawing == currentDrawing() ? place().file : std::nullopt;
}

/// The drawing as the question names it: its file, or the name of a new one.
std::wstring drawingName() {
    const std::optional<std::filesystem::path> file = currentFile();
    if (file) return pathText(*file);
    const PlApDocument* drawing = currentDrawing();
    return drawing ? std::wstring(drawing->fileName()) : std::wstring();
}

std::wstring counted(std::size_t count, const wchar_t* one, const wchar_t* many) {
    return std::to_wstring(count) + L" " + (count == 1 ? one : many);
}

/// "3 lights, 5 entities, 1 view, 2 named paths and 1 motion path".
std::wstring contents(const SavedDrawing& c) {
    return joinedList({counted(c.lights, L"light", L"lights"), counted(c.entities, L"entity", L"entities"),
                       counted(c.views, L"view", L"views"), counted(c.namedPaths, L"named path", L"named paths"),
                       counted(c.motionPaths, L"motion path", L"motion paths")});
}

/// Saves the current drawing to `path`; says what it wrote, or why not.
bool save(const std::filesystem::path& path, ConsoleOutput& out) {
    SavedDrawing saved;
    std::wstring error;
    if (!saveDrawing(path, currentDrawing(), saved, error)) {
        out.writeLine(L"Cannot save the drawing to \"" + pathText(path) + L"\": " + error + L" Nothing was saved.");
        return false;
    }
    place() = {currentDrawing(), path};
    out.writeLine(L"Saved " + contents(saved) + L" to \"" + pathText(path) + L"\".");
    return true;
}

/// Reads a reply at `prompt`, shown with it as a typed command line is.
ConsoleInput::Read ask(ConsoleInput& input, ConsoleOutput& out, const std::wstring& prompt, std::wstring& reply) {
    out.finishLine();
    const ConsoleInput::Read read = input.readCommand(prompt, reply);
    if (!input.showsPrompts()) out.writeLine(prompt + (read == ConsoleInput::Read::Line ? reply : L"*Cancel*"));
    return read;
}

enum class Choice { Save, Discard, Cancel, NoAnswer };

/// Asks whether to save the changes of the current drawing.
Choice askToSave(ConsoleInput& input, ConsoleOutput& out) {
    const std::wstring prompt = L"Save the changes to \"" + drawingName() + L"\"? [Yes/No/Cancel] <Yes>: ";
    for (;;) {
        std::wstring reply;
        const ConsoleInput::Read read = ask(input, out, prompt, reply);
        if (read == ConsoleInput::Read::End) return Choice::NoAnswer;
        if (read == ConsoleInput::Read::Cancel) return Choice::Cancel;
        if (reply.empty() || sameWord(reply, L"Y") || sameWord(reply, L"YES")) return Choice::Save;
        if (sameWord(reply, L"N") || sameWord(reply, L"NO")) return Choice::Discard;
        if (sameWord(reply, L"C") || sameWord(reply, L"CANCEL")) return Choice::Cancel;
        out.writeLine(L"Answer Yes, No or Cancel.");
    }
}

/// Whether the current drawing may be left (mayLeaveDrawing); when the session is not
/// `leaving`, the end of the input at the question keeps the drawing, as a cancel does.
bool mayLeave(ConsoleInput& input, ConsoleOutput& out, bool leaving) {
    PlApDocument* drawing = currentDrawing();
    if (!input.isTerminal() || !drawing || !plsim::drawingModified(drawing)) return true;
    switch (askToSave(input, out)) {
        case Choice::Discard: return true;
        case Choice::Cancel: return false;
        case Choice::NoAnswer:
            if (!leaving) return false;
            out.writeLine(L"The changes to \"" + drawingName() + L"\" are not saved.");
            return true;
        case Choice::Save: break;
    }
    std::optional<std::filesystem::path> file = currentFile();
    if (!file) {
        std::wstring reply;
        if (ask(input, out, L"Save the drawing to file: ", reply) != ConsoleInput::Read::Line || reply.empty()) return false;
        file = widePath(reply);
    }
    return save(*file, out);
}

/// Puts `drawing`, built or new, in the place of the current one, which is closed.
void replaceDrawing(PlApDocument* drawing, std::optional<std::filesystem::path> file) {
    PlApDocument* old = nullptr;
    for (PlApDocument* open : plsim::drawings()) {
        if (open != drawing) old = open;
    }
    plsim::setPickSelection({});
    forgetIlluminanceGrid();  // the last grid lit the drawing that closes
    if (old) plsim::closeDrawing(old);
    plsim::setCurrentDrawing(drawing);
    place() = {drawing, std::move(file)};
}

void printWarnings(const std::vector<JsonFault>& warnings, const std::wstring& prefix, ConsoleOutput& out) {
    for (const JsonFault& warning : warnings) out.writeLine(prefix + faultText(warning) + L".");
}

std::vector<std::wstring> saveCommand(const std::vector<std::wstring>& args, ConsoleOutput& out) {
    if (args.size() > 1 || (args.size() == 1 && args[0].empty())) return {L"Expected " + std::wstring(kSaveSyntax) + L". Nothing was saved."};
    const std::optional<std::filesystem::path> file = args.empty() ? currentFile() : widePath(args[0]);
    if (!file) return {L"The drawing has no file yet: give one, " + std::wstring(kSaveSyntax) + L". Nothing was saved."};
    save(*file, out);
    return {};
}

std::vector<std::wstring> openCommand(const std::vector<std::wstring>& args, ConsoleInput& input, ConsoleOutput& out) {
    if (args.size() != 1 || args[0].empty()) return {L"Expected " + std::wstring(kOpenSyntax) + L". Nothing was opened."};
    const std::filesystem::path path = widePath(args[0]);
    const std::wstring refused = L"Cannot open \"" + args[0] + L"\": ";
    const std::wstring unchanged = L" The drawing that is open stays as it is.";
    const ReadDrawing read = readDrawingFile(path);
    if (!read.drawing) return {refused + faultText(read.refusal) + L"." + unchanged};
    if (!mayLeave(input, out, false)) return {L"Nothing was opened."};
    const BuiltDrawing built = buildDrawing(*read.drawing, pathText(path));
    if (!built.drawing) return {refused + faultText(built.refusal) + L"." + unchanged};
    replaceDrawing(built.drawing, path);
    printWarnings(read.warnings, L"Warning: ", out);
    printWarnings(built.warnings, L"Warning: ", out);
    const DrawingObjects& o = read.drawing->objects;
    return {L"Opened \"" + args[0] + L"\": " +
            contents({read.drawing->lights.size(), o.entities.size(), o.views.size(), o.namedPaths.size(),
                      o.motionPaths.size()}) +
            L"."};
}

std::vector<std::wstring> newCommand(const std::vector<std::wstring>& args, ConsoleInput& input, ConsoleOutput& out) {
    if (!args.empty()) return {L"NEW takes no arguments. Nothing was started."};
    if (!mayLeave(input, out, false)) return {L"Nothing was started."};
    static int drawings = 1;
    const std::wstring name = L"Drawing" + std::to_wstring(++drawings);
    PlApDocument* drawing = plsim::openDrawing(name);
    plsim::resetDrawingVariables();
    plsim::resetUcs();
    plsim::markDrawingSaved(drawing);
    replaceDrawing(drawing, std::nullopt);
    return {L"Started the new drawing " + name + L"."};
}

}  // namespace

bool runFileCommand(const std::wstring& name, const std::wstring& arguments, ConsoleInput& input, ConsoleOutput& out) {
    const bool isSave = sameWord(name, L"SAVE"), isOpen = sameWord(name, L"OPEN"), isNew = sameWord(name, L"NEW");
    if (!isSave && !isOpen && !isNew) return false;
    std::vector<std::wstring> args;
    std::vector<std::wstring> lines;
    if (!splitArguments(arguments, args)) {
        lines = {L"A quote is not closed. Nothing was done."};
    } else if (!currentDrawing() && !isNew) {
        lines = {L"No drawing is open."};
    } else {
        lines = isSave ? saveCommand(args, out) : isOpen ? openCommand(args, input, out) : newCommand(args, input, out);
    }
    for (const std::wstring& line : lines) out.writeLine(line);
    return true;
}

bool mayLeaveDrawing(ConsoleInput& input, ConsoleOutput& out) { return mayLeave(input, out, true); }

PlApDocument* openStartDrawing(const std::filesystem::path& path, const ReadDrawing& file, ConsoleOutput& err,
                               std::wstring& error) {
    const BuiltDrawing built = buildDrawing(*file.drawing, pathText(path));
    if (!built.drawing) {
        error = L"cannot open \"" + pathText(path) + L"\": " + faultText(built.refusal) + L".";
        return nullptr;
    }
    place() = {built.drawing, path};
    printWarnings(file.warnings, L"plandor: warning: ", err);
    printWarnings(built.warnings, L"plandor: warning: ", err);
    return built.drawing;
}

}  // namespace plandor
