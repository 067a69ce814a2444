// The console's EXPORT command and plandor --export: the drawing as glTF 2.0, written to a file.
#pragma once

#include <filesystem>
#include <string>

#include "console/drawing_commands.h"

namespace plandor {

/// EXPORT FILE, a command of the table of drawing commands: writes the drawing as it is now
/// to FILE (.gltf or .glb) and says what it wrote.
DrawingCommand exportCommand();

/// Why `path` cannot take the export, checked before a session starts: its name does not
/// end in .gltf or .glb, its folder is missing or it names a folder. Empty when nothing
/// speaks against it.
std::wstring exportPathProblem(const std::filesystem::path& path);
/// The first of those: why `path` is no name of a glTF file; empty when it is one.
std::wstring exportNameProblem(const std::filesystem::path& path);

/// Writes the drawing of `db` to `path` as glTF, each file replaced only once all are
/// complete. False, with a message for the user in `error`, when it cannot be exported or
/// written; files that were there are then left as they were.
bool writeGltfExport(const std::filesystem::path& path, PlDbDatabase* db, std::wstring& error);

}  // namespace plandor
