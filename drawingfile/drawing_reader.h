// Reading a drawing file into plain values, all of it checked before any of it is used: a file
// is taken whole or refused, with the JSON pointer of the value at fault and what is wrong.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "drawingfile/drawing_dump.h"
#include "drawingfile/json_reader.h"

namespace plandor {

/// A drawing file as read: the drawing, or why the file was refused; with what is odd about a
/// drawing that is taken all the same (a hotspot wider than its falloff, a negative limit),
/// each with the pointer of its value.
struct ReadDrawing {
    std::optional<DrawingFile> drawing;
    JsonFault refusal;  ///< when there is no drawing
    std::vector<JsonFault> warnings;
};

/// Reads the text of a drawing file. Refused are a text that is not JSON or not UTF-8 (with
/// line and column), another format or a newer version, a member missing or of the wrong
/// type, a value outside what the drawing can hold, a name or handle given twice, and a
/// reference to what the file does not hold. Members this version does not know are passed over.
ReadDrawing readDrawing(std::string_view text);

/// The same for the file at `path`; a file that cannot be read is refused with no pointer.
ReadDrawing readDrawingFile(const std::filesystem::path& path);

/// A refusal or a warning for the user: "at /lights/3/hotspotDeg: ..." or "line 4, column 7
/// (at /lights/0): ..." (a pointer of "" is the whole file).
std::wstring faultText(const JsonFault& fault);

}  // namespace plandor
