// Building a drawing from its file's values, whole or not at all.
#pragma once

#include <string>
#include <vector>

#include "drawingfile/drawing_reader.h"

class PlApDocument;

namespace plandor {

/// A drawing built, or why it could not be.
struct BuiltDrawing {
    PlApDocument* drawing = nullptr;  ///< the new drawing, now the current one; null when refused
    JsonFault refusal;                ///< when there is none
    std::vector<JsonFault> warnings;  ///< a web file that is not found, ...
};

/// Opens a new drawing named `name` as the host opens a drawing (it becomes the current one
/// and the applications hear of it), and gives it everything `file` holds: every object with
/// its handle, the system variables, the user coordinate system and the next handle. The
/// drawing counts as saved. When something cannot be made, the new drawing is closed again,
/// the variables and the user coordinate system are as they were, and the refusal names the
/// value at fault. The drawings open before are left as they are.
BuiltDrawing buildDrawing(const DrawingFile& file, const std::wstring& name);

}  // namespace plandor
