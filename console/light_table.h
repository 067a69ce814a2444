// The LIST command's table: the lights of a drawing, one row each, in columns a person can read.
#pragma once

#include <string>
#include <vector>

#include "hostsim/sceneoe/scene_driver.h"

namespace plandor {

/// The lines of the table of `lights`, in their order: a heading, then one
/// row a light with its name, kind ("spot, targeted", "point, free",
/// "distant", ...), status, its peak intensity in candela and its flux in
/// lumen, its lamp colour in kelvin ("3500", or a preset's as "2856
/// (Incandescent)"), its colour (as the host shows it: "255,255,255", "red",
/// "Index 12", "Book: name"), its intensity factor, position, target,
/// direction and layer. Columns are aligned and separated by two blanks; no
/// line ends in blanks.
///
/// A "-" stands where a value does not apply: candela, lumen and kelvin
/// without `photometric` lighting, candela and lumen of a distant light (it
/// has neither) or where the host's conversion gives none; the target of a
/// free or distant light; the direction of a targeted light or a point light
/// (which shines all round); the layer of a light on none. No lights: the one
/// line "No lights in the drawing.".
std::vector<std::wstring> lightTableLines(const std::vector<plsim::scene::LightInfo>& lights, bool photometric);

/// Whether the current drawing is lit photometrically: "LIGHTINGUNITS" is 1 or 2.
bool photometricLighting();

}  // namespace plandor
