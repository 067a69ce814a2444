// The drawing as glTF 2.0: its lights as photometric lights (KHR_lights_punctual, and
// EXT_lights_ies with their web files), its entities as lines and flat meshes.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "gltf/gltf_scene.h"

namespace plandor::gltf {

/// The two forms of a glTF file: JSON with its buffer and profiles in files beside it
/// (.gltf), or one binary file holding everything (.glb).
enum class Container { Json, Binary };

/// The form a file name asks for by its extension, in any letter case; nothing for another.
std::optional<Container> containerOf(const std::filesystem::path& path);

/// One file of an export.
struct ExportFile {
    std::filesystem::path path;
    std::string bytes;
};

/// The files of the export of `scene` as `path` (a .gltf or .glb name), the one `path`
/// names last: for .gltf the web profiles ("NAME.WEB.ies"), the buffer ("NAME.bin", when
/// there is geometry) and the JSON; for .glb the one file. The same scene gives the same
/// bytes. Empty, with the reason in `error`, when the scene cannot be exported: it is not
/// lit photometrically, or `path` names no glTF file.
std::vector<ExportFile> exportFiles(const GltfScene& scene, const std::filesystem::path& path, std::wstring& error);

/// Writes the export of `scene` to `path` and the files beside it; each replaces an older
/// one only when all are written in full, the one `path` names last. False, with a message
/// for the user in `error`, when it cannot be exported or written.
bool writeExport(const GltfScene& scene, const std::filesystem::path& path, std::wstring& error);

}  // namespace plandor::gltf
