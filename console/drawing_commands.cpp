// The console's commands on the drawing: the table and how a line reaches its command.
#include "console/drawing_commands.h"

#include "console/arguments.h"
#include "console/drawing_objects.h"
#include "console/export_command.h"
#include "console/illuminance_command.h"
#include "console/plan_command.h"

namespace plandor {

const std::vector<DrawingCommand>& drawingCommands() {
    static const std::vector<DrawingCommand> all = [] {
        std::vector<DrawingCommand> commands = creationCommands();
        for (const DrawingCommand& command : editCommands()) commands.push_back(command);
        commands.push_back(planCommand());
        commands.push_back(exportCommand());
        commands.push_back(illuminanceCommand());
        return commands;
    }();
    return all;
}

bool runDrawingCommand(const std::wstring& name, const std::wstring& arguments, ConsoleOutput& out) {
    for (const DrawingCommand& command : drawingCommands()) {
        if (!sameWord(name, command.name)) continue;
        std::vector<std::wstring> words;
        PlDbDatabase* db = currentDatabase();
        if (!db) {
            out.writeLine(L"No drawing is open.");
        } else if (!splitArguments(arguments, words)) {
            out.writeLine(L"A quote is not closed. Nothing was done.");
        } else {
            for (const std::wstring& line : command.run(db, words)) out.writeLine(line);
        }
        return true;
    }
    return false;
}

}  // namespace plandor
