// The drawing as glTF 2.0: the document put together, in its two forms, and written.
#include "gltf/gltf_export.h"

#include <cctype>
#include <limits>
#include <set>

#include "drawing/file_replace.h"
#include "drawing/utf8.h"
#include "gltf/gltf_builder.h"

namespace plandor::gltf {

namespace {

constexpr int kArrayBuffer = 34962;         ///< a buffer view of vertex data
constexpr int kElementArrayBuffer = 34963;  ///< a buffer view of indices
constexpr const char* kIesMediaType = "application/x-ies-lm-63";

constexpr std::uint32_t kGlbMagic = 0x46546C67;  ///< "glTF"
constexpr std::uint32_t kGlbVersion = 2;
constexpr std::uint32_t kJsonChunk = 0x4E4F534A;  ///< "JSON"
constexpr std::uint32_t kBinChunk = 0x004E4942;   ///< "BIN\0"

void padTo4(std::string& bytes, char with) { bytes.append((4 - bytes.size() % 4) % 4, with); }

/// `name` as a relative URI: every byte but letters, digits and "-._~" percent-encoded.
std::string uriOf(const std::string& name) {
    static const char* const kHex = "0123456789ABCDEF";
    std::string uri;
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte < 0x80 && std::isalnum(byte) != 0) || c == '-' || c == '.' || c == '_' || c == '~') {
            uri += c;
        } else {
            uri += {'%', kHex[byte >> 4], kHex[byte & 0xF]};
        }
    }
    return uri;
}

/// The names of the files beside a .gltf: "NAME.bin", and "NAME.WEB.ies" for each web file
/// ("NAME.WEB-2.ies" for a second file of that name, letter case ignored).
struct Resources {
    std::filesystem::path buffer;
    std::vector<std::filesystem::path> profiles;
};

Resources resourcesBeside(const std::filesystem::path& path, const std::vector<WebProfile>& webs) {
    const std::wstring stem = pathText(path.stem());
    Resources names{path.parent_path() / widePath(stem + L".bin"), {}};
    std::set<std::wstring> taken;
    for (const WebProfile& web : webs) {
        const std::wstring base = stem + L"." + pathText(widePath(web.path).stem());
        std::wstring name = base + L".ies";
        for (int n = 2; !taken.insert(plsim::detail::toLower(name)).second; ++n) name = base + L"-" + std::to_wstring(n) + L".ies";
        names.profiles.push_back(path.parent_path() / widePath(name));
    }
    return names;
}

std::string fileNameUri(const std::filesystem::path& path) { return uriOf(toUtf8(pathText(path.filename()))); }

/// The JSON of the document and its binary buffer.
struct Document {
    std::string json;
    std::string binary;
};

Document documentOf(const GltfScene& scene, Container container, const Resources& resources) {
    Builder builder;
    addLights(builder, scene);
    addEntities(builder, scene);
    for (JsonText* part : {&builder.nodes, &builder.meshes, &builder.accessors, &builder.lights}) part->end();

    Document document;
    JsonText views;
    views.array();
    std::size_t viewCount = 0;
    const auto addView = [&](const std::string& bytes, int target, int stride) {
        views.object().key("buffer").integer(0).key("byteOffset").integer(document.binary.size());
        views.key("byteLength").integer(bytes.size());
        if (stride != 0) views.key("byteStride").integer(static_cast<std::uint64_t>(stride));
        if (target != 0) views.key("target").integer(static_cast<std::uint64_t>(target));
        views.end();
        document.binary += bytes;
        padTo4(document.binary, '\0');
        return viewCount++;
    };
    // kVertexView and kIndexView: every mesh has vertices, and only regions have indices.
    if (!builder.vertices.empty()) addView(builder.vertices, kArrayBuffer, 12);
    if (!builder.indices.empty()) addView(builder.indices, kElementArrayBuffer, 0);
    JsonText profiles;
    profiles.array();
    for (std::size_t i = 0; i < scene.webs.size(); ++i) {
        profiles.object().key("name").string(toUtf8(pathText(widePath(scene.webs[i].path).filename())));
        if (container == Container::Binary) {
            profiles.key("bufferView").integer(addView(scene.webs[i].bytes, 0, 0)).key("mimeType").string(kIesMediaType);
        } else {
            profiles.key("uri").string(fileNameUri(resources.profiles[i]));
        }
        profiles.end();
    }
    profiles.end();
    views.end();

    JsonText gltf;
    gltf.object().key("asset").object().key("version").string("2.0").key("generator").string(scene.generator).end();
    if (builder.lightCount > 0 || !scene.webs.empty()) {
        gltf.key("extensionsUsed").array();
        if (builder.lightCount > 0) gltf.string("KHR_lights_punctual");
        if (!scene.webs.empty()) gltf.string("EXT_lights_ies");
        gltf.end().key("extensions").object();
        if (builder.lightCount > 0) gltf.key("KHR_lights_punctual").object().key("lights").raw(builder.lights.text()).end();
        if (!scene.webs.empty()) gltf.key("EXT_lights_ies").object().key("lights").raw(profiles.text()).end();
        gltf.end();
    }
    gltf.key("scene").integer(0).key("scenes").array().object().key("name").string("Drawing");
    if (builder.nodeCount > 0) {
        gltf.key("nodes").array();
        for (std::size_t i = 0; i < builder.nodeCount; ++i) gltf.integer(i);
        gltf.end();
    }
    gltf.end().end();
    if (builder.nodeCount > 0) gltf.key("nodes").raw(builder.nodes.text());
    if (builder.meshCount > 0) {
        gltf.key("meshes").raw(builder.meshes.text());
        gltf.key("materials").array().object().key("name").string("Drawing").key("pbrMetallicRoughness").object();
        const std::array<double, 4> grey = {0.8, 0.8, 0.8, 1.0};
        gltf.key("baseColorFactor").numbers(grey).key("metallicFactor").number(0.0).key("roughnessFactor").number(1.0);
        gltf.end().key("doubleSided").boolean(true).end().end();
        gltf.key("accessors").raw(builder.accessors.text());
    }
    if (!document.binary.empty()) {
        gltf.key("bufferViews").raw(views.text());
        gltf.key("buffers").array().object().key("byteLength").integer(document.binary.size());
        if (container == Container::Json) gltf.key("uri").string(fileNameUri(resources.buffer));
        gltf.end().end();
    }
    document.json = gltf.end().text();
    return document;
}

/// The binary form: a header, the JSON chunk padded with blanks, the binary chunk with zeros.
std::string glbOf(Document document) {
    padTo4(document.json, ' ');
    std::string glb;
    const std::size_t total = 12 + 8 + document.json.size() + (document.binary.empty() ? 0 : 8 + document.binary.size());
    appendUint32(glb, kGlbMagic);
    appendUint32(glb, kGlbVersion);
    appendUint32(glb, static_cast<std::uint32_t>(total));
    appendUint32(glb, static_cast<std::uint32_t>(document.json.size()));
    appendUint32(glb, kJsonChunk);
    glb += document.json;
    if (!document.binary.empty()) {
        appendUint32(glb, static_cast<std::uint32_t>(document.binary.size()));
        appendUint32(glb, kBinChunk);
        glb += document.binary;
    }
    return glb;
}

}  // namespace

std::optional<Container> containerOf(const std::filesystem::path& path) {
    const std::wstring extension = plsim::detail::toLower(pathText(path.extension()));
    if (extension == L".gltf") return Container::Json;
    if (extension == L".glb") return Container::Binary;
    return std::nullopt;
}

std::vector<ExportFile> exportFiles(const GltfScene& scene, const std::filesystem::path& path, std::wstring& error) {
    const std::optional<Container> container = containerOf(path);
    if (!container || path.stem().empty()) {
        error = L"the name of a glTF file ends in .gltf or .glb";
        return {};
    }
    if (!scene.photometric) {
        error = L"the drawing is lit generically (LIGHTINGUNITS 0), and only photometric lights have the "
                L"intensities glTF asks for; set LIGHTINGUNITS to 1 or 2";
        return {};
    }
    const Resources resources = resourcesBeside(path, scene.webs);
    Document document = documentOf(scene, *container, resources);
    if (*container == Container::Binary) {
        std::string glb = glbOf(std::move(document));
        if (glb.size() > std::numeric_limits<std::uint32_t>::max()) {
            error = L"the drawing is too large for one .glb, whose lengths have 32 bits; export it as .gltf";
            return {};
        }
        return {{path, std::move(glb)}};
    }
    std::vector<ExportFile> files;
    // The files the JSON refers to go first: it takes its place last.
    for (std::size_t i = 0; i < scene.webs.size(); ++i)
        files.push_back({resources.profiles[i], scene.webs[i].bytes});
    if (!document.binary.empty()) files.push_back({resources.buffer, std::move(document.binary)});
    files.push_back({path, std::move(document.json) + "\n"});
    return files;
}

bool writeExport(const GltfScene& scene, const std::filesystem::path& path, std::wstring& error) {
    std::wstring reason;
    const std::vector<ExportFile> files = exportFiles(scene, path, reason);
    std::vector<FileContents> contents;
    for (const ExportFile& file : files) contents.push_back({file.path, file.bytes});
    std::size_t failed = 0;
    if (!files.empty() && replaceFiles(contents, reason, failed)) return true;
    const std::filesystem::path& culprit = files.empty() ? path : files[failed].path;
    error = L"cannot export the drawing to \"" + pathText(path) + L"\": " +
            (culprit == path ? std::wstring() : L"\"" + pathText(culprit) + L"\": ") + reason + L".";
    return false;
}

}  // namespace plandor::gltf
