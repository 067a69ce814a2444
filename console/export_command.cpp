// The console's EXPORT command and plandor --export: the drawing as glTF 2.0, written to a file.
#include "console/export_command.h"

#include <exception>

#include "drawingfile/drawing_dump.h"
#include "drawing/utf8.h"
#include "gltf/gltf_export.h"

#if !defined(PLANDOR_VERSION)
#  define PLANDOR_VERSION "0.0"
#endif

namespace plandor {

namespace {

std::wstring counted(std::size_t count, const wchar_t* one, const wchar_t* many) {
    return std::to_wstring(count) + L" " + (count == 1 ? one : many);
}

/// Writes `scene` to `path`; false with the message in `error`.
bool write(const gltf::GltfScene& scene, const std::filesystem::path& path, std::wstring& error) {
    try {
        if (gltf::writeExport(scene, path, error)) return true;
    } catch (const std::exception& e) {
        error = L"cannot export the drawing to \"" + pathText(path) + L"\": " + fromUtf8(e.what()) + L".";
    }
    if (const std::wstring problem = exportPathProblem(path); !problem.empty()) {
        error = L"cannot export the drawing to \"" + pathText(path) + L"\": " + problem;
    }
    return false;
}

std::vector<std::wstring> exportDrawing(PlDbDatabase* db, const std::vector<std::wstring>& arguments) {
    if (arguments.size() != 1 || arguments[0].empty()) return {L"Expected EXPORT FILE.gltf or EXPORT FILE.glb. Nothing was exported."};
    const gltf::GltfScene scene = gltf::gltfSceneOf(db, "plandor " PLANDOR_VERSION);
    std::wstring error;
    if (!write(scene, widePath(arguments[0]), error)) {
        error[0] = L'C';  // a sentence of its own
        return {error + L" Nothing was exported."};
    }
    return {L"Exported " + counted(scene.lights.size(), L"light", L"lights") + L" and " +
            counted(scene.entities.size(), L"entity", L"entities") + L" to \"" + arguments[0] + L"\" (glTF 2.0)."};
}

}  // namespace

DrawingCommand exportCommand() {
    return {L"EXPORT", L"EXPORT FILE",
            L"write the drawing to FILE as glTF 2.0 (.gltf beside its .bin and web files, or one .glb), for 3D tools",
            &exportDrawing};
}

std::wstring exportNameProblem(const std::filesystem::path& path) {
    if (!gltf::containerOf(path) || path.stem().empty()) return L"the name of a glTF file ends in .gltf or .glb.";
    return {};
}

std::wstring exportPathProblem(const std::filesystem::path& path) {
    const std::wstring problem = exportNameProblem(path);
    return problem.empty() ? dumpPathProblem(path) : problem;
}

bool writeGltfExport(const std::filesystem::path& path, PlDbDatabase* db, std::wstring& error) {
    return write(gltf::gltfSceneOf(db, "plandor " PLANDOR_VERSION), path, error);
}

}  // namespace plandor
