// The drawing as JSON (plandor --dump): the lights with every property, the other objects, and the system variables
// that govern the lights.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "console/drawing_objects_dump.h"
#include "hostsim/sceneoe/scene_driver.h"

namespace plandor {

/// The system variables the dump records. Empty when the host has no
/// variable of that name or its value is no whole number (written as null).
struct DumpVariables {
    std::optional<long> cvport;
    std::optional<long> defaultLighting;
    std::optional<long> lightingUnits;
};

/// The dump of a drawing holding `lights` (in the order they were added)
/// under the variables `variables`, as UTF-8 JSON ending in a line end:
///
///     {"lights": [{"name", "kind", "hasTarget", "layer", "position",
///       "target", "direction", "on", "intensity", "hotspotDeg",
///       "falloffDeg", "color", "shadow", "attenuation", "photometry",
///       "web"}, ...],
///      "entities": [{"handle", "kind", "erased"}, ...],
///      "views": [{"name", "handle"}, ...],
///      "namedPaths": [{"name", "entity"}, ...],
///      "motionPaths": [{"name", "cameraPath", "targetPath", "view"}, ...],
///      "sysvars": {"CVPORT", "DEFAULTLIGHTING", "LIGHTINGUNITS"}}
///
/// laid out by the JSON library (two blanks a level). Whole-number properties
/// are JSON integers; real ones always carry a decimal point or an exponent,
/// with the shortest digits that read back to the same double (jsonReal).
/// Angles are in degrees. Colour fields that do not apply to the colour's
/// method are null.
std::string drawingDumpJson(const std::vector<plsim::scene::LightInfo>& lights, const DumpVariables& variables,
                            const DrawingObjects& objects = {});

/// `value` as a JSON number that reads back to the same double and is
/// recognisably real ("1.0", "2.5e-07"); null when it is not finite.
std::string jsonReal(double value);

/// The variables of the dump as the host holds them now.
DumpVariables currentDumpVariables();

/// Why `path` cannot take the dump, checked before a session starts so that
/// a mistyped path does not cost the session's work: its folder is missing
/// or it names a folder. Empty when nothing speaks against it.
std::wstring dumpPathProblem(const std::filesystem::path& path);

/// Writes `text` to `path`, replacing the file only once the new one is
/// complete. False, with a message for the user in `error`, when it cannot be
/// written in full; a file that was there is then left as it was.
bool writeDump(const std::filesystem::path& path, const std::string& text, std::wstring& error);

}  // namespace plandor
