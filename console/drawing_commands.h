// The console's commands on the drawing: entities, views, named paths and motion paths,
// erasing and moving, the selection and its context menu.
#pragma once

#include <string>
#include <vector>

#include "console/console_output.h"

class PlDbDatabase;

namespace plandor {

struct DrawingCommand {
    const wchar_t* name;
    const wchar_t* syntax;
    const wchar_t* description;
    /// Answers the lines to show (one, unless it lists something).
    std::vector<std::wstring> (*run)(PlDbDatabase* db, const std::vector<std::wstring>& arguments);
};

/// Commands that make entities, views and paths (entity_commands.cpp).
std::vector<DrawingCommand> creationCommands();
/// Commands that erase, move, select and list (edit_commands.cpp).
std::vector<DrawingCommand> editCommands();
/// Both, in the order HELP shows them.
const std::vector<DrawingCommand>& drawingCommands();

/// Runs the drawing command `name` (any letter case) with `arguments` and
/// writes what it answers; false when `name` is no drawing command.
bool runDrawingCommand(const std::wstring& name, const std::wstring& arguments, ConsoleOutput& out);

}  // namespace plandor
