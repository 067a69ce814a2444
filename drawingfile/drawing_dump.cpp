// The drawing file: every light with every property, the other objects, the system variables,
// the user coordinate system and the next handle.
#include "drawingfile/drawing_dump.h"

#include <charconv>
#include <cmath>
#include <system_error>

#include "drawing/file_replace.h"
#include "drawing/utf8.h"
#include "host/pldocs.h"
#include "hostsim/driver.h"

namespace plandor {

namespace {

using plsim::scene::ColorInfo;
using plsim::scene::LightInfo;

constexpr double kDegreesPerRadian = 180.0 / 3.141592653589793;
/// The widest cone a light holds is below this many degrees.
constexpr double kConeLimitDegrees = 180.0;

/// Degrees from radians, kept to 15 significant digits: a light stores the
/// radians of the degrees it was given, and the last bits of the conversion
/// back are noise ("44.0", not "44.00000000000001"). A cone just below half a
/// turn stays below it.
double coneDegrees(double radians) {
    const double value = radians * kDegreesPerRadian;
    if (!std::isfinite(value)) {
        return value;
    }
    char digits[32];
    const auto written = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::general, 15);
    double rounded = value;
    std::from_chars(digits, written.ptr, rounded);
    return rounded >= kConeLimitDegrees && value < kConeLimitDegrees ? 179.999999999999 : rounded;
}

void writeColor(JsonWriter& out, const ColorInfo& color) {
    const bool hasRgb = color.method == ColorInfo::Method::Rgb || color.method == ColorInfo::Method::Book;
    const bool isBook = color.method == ColorInfo::Method::Book;
    const char* method = "none";  // no colour at all: nothing applies
    switch (color.method) {
        case ColorInfo::Method::Rgb: method = "rgb"; break;
        case ColorInfo::Method::Index: method = "index"; break;
        case ColorInfo::Method::Book: method = "book"; break;
        case ColorInfo::Method::None: break;
    }
    out.key("color");
    out.beginObject();
    out.member("method", method);
    const std::pair<const char*, int> channels[] = {{"r", color.red}, {"g", color.green}, {"b", color.blue}};
    for (const auto& [key, value] : channels) {
        out.key(key);
        hasRgb ? out.integer(value) : out.null();
    }
    out.key("index");
    color.method == ColorInfo::Method::Index ? out.integer(color.index) : out.null();
    out.key("book");
    isBook ? out.text(color.book) : out.null();
    out.key("name");
    isBook ? out.text(color.name) : out.null();
    out.endObject();
}

void writeShadow(JsonWriter& out, const plsim::scene::ShadowInfo& s) {
    out.object("shadow", "on", s.on, "type", s.type, "mapSize", s.mapSize, "softness", s.softness, "shape", s.shape,
               "length", s.length, "width", s.width, "radius", s.radius, "samples", s.samples, "visible", s.shapeVisible);
}

void writeAttenuation(JsonWriter& out, const plsim::scene::AttenuationInfo& a) {
    out.object("attenuation", "type", a.type, "useLimits", a.useLimits, "start", a.start, "end", a.end);
}

void writePhotometry(JsonWriter& out, const plsim::scene::PhotometryInfo& p) {
    out.key("photometry");
    out.beginObject();
    out.members("intensity", p.physicalIntensity, "method", p.method, "distance", p.distance, "lampColorType",
                p.lampColorType, "lampColorTemp", p.lampColorTemp, "lampColorPreset", p.preset);
    out.object("lampRgb", "r", p.lampRgb.red, "g", p.lampRgb.green, "b", p.lampRgb.blue);
    out.endObject();
}

void writeLight(JsonWriter& out, const LightInfo& light) {
    out.beginObject();
    out.member("handle", handleHex(light.handle));
    out.member("name", light.name);
    out.member("kind", light.kind);
    out.member("hasTarget", light.hasTarget);
    out.member("layer", light.layer);
    out.member("position", light.position);
    out.member("target", light.target);
    out.member("direction", light.direction);
    out.member("on", light.on);
    out.member("intensity", light.intensity);
    out.member("hotspotDeg", coneDegrees(light.hotspot));
    out.member("falloffDeg", coneDegrees(light.falloff));
    writeColor(out, light.color);
    writeShadow(out, light.shadow);
    writeAttenuation(out, light.attenuation);
    writePhotometry(out, light.photometry);
    out.object("web", "file", light.webFile, "rotation", light.webRotation);
    out.endObject();
}

void writeOptionalInteger(JsonWriter& out, const char* key, const std::optional<long>& value) {
    out.key(key);
    value ? out.integer(*value) : out.null();
}

void writeVariables(JsonWriter& out, const DumpVariables& variables) {
    out.key("sysvars");
    out.beginObject();
    writeOptionalInteger(out, "CVPORT", variables.cvport);
    writeOptionalInteger(out, "DEFAULTLIGHTING", variables.defaultLighting);
    writeOptionalInteger(out, "LIGHTINGUNITS", variables.lightingUnits);
    for (const plsim::DrawingVariable& v : variables.others) {
        const std::string name = toUtf8(v.name);
        const std::string value = toUtf8(v.value);
        out.key(name);
        double real = 0.0;
        long long whole = 0;
        switch (v.type) {
            case plsim::VarType::Short:
            case plsim::VarType::Long:
                if (std::from_chars(value.data(), value.data() + value.size(), whole).ec == std::errc()) {
                    out.integer(whole);
                } else {
                    out.null();
                }
                break;
            case plsim::VarType::Real:
                if (std::from_chars(value.data(), value.data() + value.size(), real).ec == std::errc()) {
                    out.real(real);
                } else {
                    out.null();
                }
                break;
            case plsim::VarType::Text: out.text(value); break;
        }
    }
    out.endObject();
}

void writeUcs(JsonWriter& out, const plsim::UcsInfo& ucs) {
    out.object("ucs", "origin", ucs.origin, "xAxis", ucs.xAxis, "yAxis", ucs.yAxis);
}

void writeDictionary(JsonWriter& out, const char* key, std::uint64_t handle) {
    out.key(key);
    handle ? out.text(handleHex(handle)) : out.null();
}

/// The value of a whole-number system variable; empty when there is none.
std::optional<long> wholeVariable(const wchar_t* name) {
    const std::string text = toUtf8(plsim::getVar(name));
    long value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

bool isPlacementVariable(const std::wstring& name) {
    return name == L"CVPORT" || name == L"DEFAULTLIGHTING" || name == L"LIGHTINGUNITS";
}

/// Why `path` could not be replaced: the problem of its folder, else `reason`.
std::wstring failureReason(const std::filesystem::path& path, const std::wstring& reason);

}  // namespace

void writeDrawingFile(const DrawingFile& drawing, const LightSource& lights, const JsonWriter::Sink& sink) {
    // Handed over a megabyte at a time: the text of many lights stays in the cache.
    constexpr std::size_t kPart = std::size_t{1} << 20;
    std::string text;
    text.reserve(kPart + 4096);
    JsonWriter out(text, sink, kPart);
    out.beginObject();
    out.member("format", kDrawingFormat);
    out.member("version", kDrawingFormatVersion);
    out.key("lights");
    out.beginArray();
    lights([&out](const LightInfo& light) { writeLight(out, light); });
    out.endArray();
    writeLayers(out, drawing.objects);
    writeDrawingObjects(out, drawing.objects);
    writeVariables(out, drawing.variables);
    writeUcs(out, drawing.ucs);
    out.member("nextHandle", handleHex(drawing.nextHandle));
    out.key("pathDictionaries");
    out.beginObject();
    writeDictionary(out, "namedPaths", drawing.objects.namedPathDictionary);
    writeDictionary(out, "motionPaths", drawing.objects.motionPathDictionary);
    out.endObject();
    out.endObject();
    text += '\n';
    out.finish();
}

std::string drawingFileText(const DrawingFile& drawing) {
    std::string text;
    // About a kilobyte and a half a light.
    text.reserve(2048 + 1600 * drawing.lights.size() + 256 * drawing.objects.entities.size());
    const LightSource lights = [&drawing](const std::function<void(const LightInfo&)>& visit) {
        for (const LightInfo& light : drawing.lights) visit(light);
    };
    writeDrawingFile(drawing, lights, [&text](std::string_view part) { text += part; });
    return text;
}

std::string drawingDumpJson(const std::vector<LightInfo>& lights, const DumpVariables& variables,
                            const DrawingObjects& objects) {
    return drawingFileText({lights, objects, variables, {}, 0});
}

DumpVariables currentDumpVariables() {
    DumpVariables variables;
    variables.cvport = wholeVariable(L"CVPORT");
    variables.defaultLighting = wholeVariable(L"DEFAULTLIGHTING");
    variables.lightingUnits = wholeVariable(L"LIGHTINGUNITS");
    for (plsim::DrawingVariable& v : plsim::drawingVariables()) {
        if (!isPlacementVariable(v.name)) variables.others.push_back(std::move(v));
    }
    return variables;
}

DrawingFile drawingFileOf(PlDbDatabase* db, bool withLights) {
    return {withLights ? plsim::scene::lightsOf(db) : std::vector<LightInfo>(), drawingObjectsOf(db),
            currentDumpVariables(), plsim::currentUcs(), plsim::nextHandle(db)};
}

std::wstring dumpPathProblem(const std::filesystem::path& path) { return replaceFileProblem(path); }

namespace {

std::wstring failureReason(const std::filesystem::path& path, const std::wstring& reason) {
    const std::wstring problem = dumpPathProblem(path);
    return problem.empty() ? reason + L"." : problem;
}

}  // namespace

bool writeDump(const std::filesystem::path& path, const std::string& text, std::wstring& error) {
    std::wstring reason;
    if (replaceFile(path, text, reason)) {
        return true;
    }
    error = L"cannot write the dump \"" + pathText(path) + L"\": " + failureReason(path, reason);
    return false;
}

bool saveDrawing(const std::filesystem::path& path, PlApDocument* drawing, SavedDrawing& saved, std::wstring& error) {
    // The lights go to the file as they are read, not held all at once.
    PlDbDatabase* db = drawing ? drawing->database() : nullptr;
    const DrawingFile file = drawingFileOf(db, false);
    std::size_t lights = 0;
    const LightSource source = [db, &lights](const std::function<void(const LightInfo&)>& visit) {
        plsim::scene::forEachLightInfo(db, [&](const LightInfo& light) {
            ++lights;
            visit(light);
        });
    };
    FileReplacement replacement;
    bool written = replacement.open(path);
    if (written) {
        // A failed write is reported by the commit.
        writeDrawingFile(file, source, [&replacement](std::string_view part) { static_cast<void>(replacement.write(part)); });
        written = replacement.commit();
    }
    if (!written) {
        error = failureReason(path, replacement.error());
        return false;
    }
    plsim::markDrawingSaved(drawing);
    const DrawingObjects& o = file.objects;
    saved = {lights, o.entities.size(), o.views.size(), o.namedPaths.size(), o.motionPaths.size()};
    return true;
}

}  // namespace plandor
