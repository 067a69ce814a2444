// The console's commands on the drawing as a whole (SAVE, OPEN, NEW, plandor --open) and the
// question whether to save unsaved changes before a drawing is left.
#pragma once

#include <filesystem>
#include <string>

#include "console/console_input.h"
#include "console/console_output.h"
#include "drawingfile/drawing_reader.h"

class PlApDocument;

namespace plandor {

inline constexpr wchar_t kSaveSyntax[] = L"SAVE [FILE]";
inline constexpr wchar_t kOpenSyntax[] = L"OPEN FILE";
inline constexpr wchar_t kNewSyntax[] = L"NEW";

/// Runs SAVE, OPEN or NEW (any letter case) with `arguments`, asking at `input` what it must
/// (as mayLeaveDrawing, but the end of the input keeps the drawing); false when `name` is none
/// of them.
bool runFileCommand(const std::wstring& name, const std::wstring& arguments, ConsoleInput& input, ConsoleOutput& out);

/// Whether the session may leave the current drawing: true when it has no unsaved changes,
/// when the input is no terminal (a script is not asked), or when the person asked chose to
/// save (and the drawing was saved) or not to. False when they cancel. With the input at its
/// end the changes are left unsaved, and plandor says so.
bool mayLeaveDrawing(ConsoleInput& input, ConsoleOutput& out);

/// The drawing plandor starts with, opened from `file` as read before the module was loaded
/// (plandor --open): null, with why in `error`, when it cannot be built. Its warnings go to `err`.
PlApDocument* openStartDrawing(const std::filesystem::path& path, const ReadDrawing& file, ConsoleOutput& err,
                               std::wstring& error);

}  // namespace plandor
