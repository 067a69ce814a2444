// The console's PLAN command and plandor --plan: the picture of the drawing, written to a file.
#pragma once

#include <filesystem>
#include <string>

#include "console/drawing_commands.h"

namespace plandor {

/// PLAN FILE, a command of the table of drawing commands: writes the picture of the
/// drawing as it is now to FILE and says what it drew.
DrawingCommand planCommand();

/// The picture of the drawing of `db` as it is now (planPictureSvg); under photometric
/// lighting ("LIGHTINGUNITS" 1 or 2) with the lamp colours.
std::string planPictureOf(PlDbDatabase* db);

/// Writes the picture of `db` to `path`, replacing the file only once the new one is
/// complete. False, with a message for the user in `error`, when it cannot be written; a
/// file that was there is then left as it was.
bool writePlanPicture(const std::filesystem::path& path, PlDbDatabase* db, std::wstring& error);

}  // namespace plandor
