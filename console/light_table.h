// The LIST command's table: the lights of a drawing, one row each, in columns a person can read.
#pragma once

#include <string>
#include <vector>

#include "hostsim/sceneoe/scene_driver.h"

namespace plandor {

/// The lines of the table of `lights`, in their order: a heading, then one
/// row a light with its name, kind ("spot, targeted", "point, free",
/// "distant", ...), status, intensity, position, target, layer and colour
/// (as the host shows it: "255,255,255", "red", "Index 12", "Book: name"). Columns
/// are aligned and separated by two blanks; no line ends in blanks. A free
/// or distant light shows "-" as its target, a light on no layer "-" as its
/// layer. No lights: the one line "No lights in the drawing.".
std::vector<std::wstring> lightTableLines(const std::vector<plsim::scene::LightInfo>& lights);

}  // namespace plandor
