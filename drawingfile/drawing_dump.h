// The drawing file (SAVE, plandor --dump): UTF-8 JSON holding everything a drawing holds that a
// user made or set, from which the drawing is built again exactly.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "drawingfile/drawing_objects_dump.h"
#include "drawingfile/json_writer.h"
#include "hostsim/document_driver.h"
#include "hostsim/sceneoe/scene_driver.h"

class PlApDocument;

namespace plandor {

/// What the first member of a drawing file says it is, and the version of the format written.
inline constexpr char kDrawingFormat[] = "plandor-drawing";
inline constexpr int kDrawingFormatVersion = 1;

/// The system variables the file records. The three that govern light placement come first,
/// empty when the host has no whole-number value for one (written as null); then the drawing's
/// other variables, each by its type.
struct DumpVariables {
    std::optional<long> cvport;
    std::optional<long> defaultLighting;
    std::optional<long> lightingUnits;
    std::vector<plsim::DrawingVariable> others;
};

/// Everything a drawing file holds.
struct DrawingFile {
    std::vector<plsim::scene::LightInfo> lights;  ///< in the order they were added
    DrawingObjects objects;
    DumpVariables variables;
    plsim::UcsInfo ucs;
    std::uint64_t nextHandle = 0;
};

/// What the drawing `db` holds now, with the host's variables and user coordinate system;
/// without its lights unless `withLights`.
DrawingFile drawingFileOf(PlDbDatabase* db, bool withLights = true);

/// Calls its argument with each light of a drawing, in order.
using LightSource = std::function<void(const std::function<void(const plsim::scene::LightInfo&)>&)>;

/// The file of `drawing` as UTF-8 JSON ending in a line end:
///
///     {"format": "plandor-drawing", "version": 1,
///      "lights": [{"handle", "name", "kind", "hasTarget", "layer", "position",
///        "target", "direction", "on", "intensity", "hotspotDeg",
///        "falloffDeg", "color", "shadow", "attenuation", "photometry",
///        "web"}, ...],
///      "layers": [{"name", "handle"}, ...],
///      "entities": [{"handle", "kind", "erased", geometry...}, ...],
///      "views": [{"name", "handle"}, ...],
///      "namedPaths": [{"name", "entity", "handle"}, ...],
///      "motionPaths": [{"name", "cameraPath", "targetPath", "view", "handle"}, ...],
///      "sysvars": {"CVPORT", "DEFAULTLIGHTING", "LIGHTINGUNITS", others...},
///      "ucs": {"origin", "xAxis", "yAxis"},
///      "nextHandle", "pathDictionaries": {"namedPaths", "motionPaths"}}
///
/// laid out as the JSON library lays it out (two blanks a level). Whole-number properties
/// are JSON integers; real ones always carry a decimal point or an exponent, with the
/// shortest digits that read back to the same double (jsonReal). Cone angles are in degrees
/// (kept to 15 significant digits), an arc's in radians. Colour fields that do not apply to
/// the colour's method are null.
std::string drawingFileText(const DrawingFile& drawing);
/// The same text handed to `sink` a part at a time, with the lights `lights` gives (in the
/// place of those of `drawing`).
void writeDrawingFile(const DrawingFile& drawing, const LightSource& lights, const JsonWriter::Sink& sink);

/// The same for a drawing holding `lights` and `objects` under `variables`, the world as its
/// user coordinate system and next handle 0.
std::string drawingDumpJson(const std::vector<plsim::scene::LightInfo>& lights, const DumpVariables& variables,
                            const DrawingObjects& objects = {});

/// The variables of the file as the host holds them now.
DumpVariables currentDumpVariables();

/// Why `path` cannot take the dump (see replaceFileProblem): its folder is
/// missing or cannot be written, it names a folder or it is read-only. Empty
/// when nothing speaks against it.
std::wstring dumpPathProblem(const std::filesystem::path& path);

/// Writes `text` to `path`, replacing the file only once the new one is
/// complete. False, with a message for the user in `error`, when it cannot be
/// written in full; a file that was there is then left as it was.
bool writeDump(const std::filesystem::path& path, const std::string& text, std::wstring& error);

/// What saving a drawing wrote.
struct SavedDrawing {
    std::size_t lights = 0, entities = 0, views = 0, namedPaths = 0, motionPaths = 0;
};

/// Writes the file of `drawing` to `path` as writeDump does and takes the drawing as saved.
/// False, with why not in `error` ("the folder ... does not exist."), when it cannot be
/// written; the drawing and an earlier file are then as they were.
bool saveDrawing(const std::filesystem::path& path, PlApDocument* drawing, SavedDrawing& saved, std::wstring& error);

}  // namespace plandor
