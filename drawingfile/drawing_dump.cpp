// The drawing as JSON (plandor --dump): the lights with every property, and the system variables that govern them.
#include "console/drawing_dump.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <system_error>

#include "drawing/file_replace.h"
#include "drawing/utf8.h"
#include "hostsim/driver.h"

namespace plandor {

namespace {

using plsim::scene::ColorInfo;
using plsim::scene::LightInfo;

constexpr double kDegreesPerRadian = 180.0 / 3.141592653589793;

/// Degrees from radians, kept to 15 significant digits: a light stores the
/// radians of the degrees it was given, and the last bits of the conversion
/// back are noise ("44.0", not "44.00000000000001").
double degrees(double radians) {
    const double value = radians * kDegreesPerRadian;
    if (!std::isfinite(value)) {
        return value;
    }
    char digits[32];
    const auto written = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::general, 15);
    double rounded = value;
    std::from_chars(digits, written.ptr, rounded);
    return rounded;
}

Json triple(double x, double y, double z) { return Json::array({x, y, z}); }
Json point(const PlGePoint3d& p) { return triple(p.x, p.y, p.z); }
Json vector(const PlGeVector3d& v) { return triple(v.x, v.y, v.z); }
Json optionalInteger(const std::optional<long>& value) { return value ? Json(*value) : Json(nullptr); }

Json colorJson(const ColorInfo& color) {
    const bool hasRgb = color.method == ColorInfo::Method::Rgb || color.method == ColorInfo::Method::Book;
    const bool isBook = color.method == ColorInfo::Method::Book;
    const char* method = "none";  // no colour at all: nothing applies
    switch (color.method) {
        case ColorInfo::Method::Rgb: method = "rgb"; break;
        case ColorInfo::Method::Index: method = "index"; break;
        case ColorInfo::Method::Book: method = "book"; break;
        case ColorInfo::Method::None: break;
    }
    const auto channel = [hasRgb](int value) { return hasRgb ? Json(value) : Json(nullptr); };
    return Json{{"method", method},
                {"r", channel(color.red)},
                {"g", channel(color.green)},
                {"b", channel(color.blue)},
                {"index", color.method == ColorInfo::Method::Index ? Json(color.index) : Json(nullptr)},
                {"book", isBook ? Json(toUtf8(color.book)) : Json(nullptr)},
                {"name", isBook ? Json(toUtf8(color.name)) : Json(nullptr)}};
}

Json shadowJson(const plsim::scene::ShadowInfo& shadow) {
    return Json{{"on", shadow.on},           {"type", shadow.type},     {"mapSize", shadow.mapSize},
                {"softness", shadow.softness}, {"shape", shadow.shape},   {"length", shadow.length},
                {"width", shadow.width},     {"radius", shadow.radius}, {"samples", shadow.samples},
                {"visible", shadow.shapeVisible}};
}

Json attenuationJson(const plsim::scene::AttenuationInfo& attenuation) {
    return Json{{"type", attenuation.type},
                {"useLimits", attenuation.useLimits},
                {"start", attenuation.start},
                {"end", attenuation.end}};
}

Json photometryJson(const plsim::scene::PhotometryInfo& photometry) {
    return Json{{"intensity", photometry.physicalIntensity},
                {"method", photometry.method},
                {"distance", photometry.distance},
                {"lampColorType", photometry.lampColorType},
                {"lampColorTemp", photometry.lampColorTemp},
                {"lampColorPreset", photometry.preset},
                {"lampRgb", Json{{"r", photometry.lampRgb.red}, {"g", photometry.lampRgb.green}, {"b", photometry.lampRgb.blue}}}};
}

Json lightJson(const LightInfo& light) {
    return Json{{"name", toUtf8(light.name)},
                {"kind", light.kind},
                {"hasTarget", light.hasTarget},
                {"layer", toUtf8(light.layer)},
                {"position", point(light.position)},
                {"target", point(light.target)},
                {"direction", vector(light.direction)},
                {"on", light.on},
                {"intensity", light.intensity},
                {"hotspotDeg", degrees(light.hotspot)},
                {"falloffDeg", degrees(light.falloff)},
                {"color", colorJson(light.color)},
                {"shadow", shadowJson(light.shadow)},
                {"attenuation", attenuationJson(light.attenuation)},
                {"photometry", photometryJson(light.photometry)},
                {"web", Json{{"file", toUtf8(light.webFile)}, {"rotation", vector(light.webRotation)}}}};
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

/// `json` with each real number written as jsonReal writes it: the library's
/// digits read back to the same value, but are not always the fewest.
std::string withShortestReals(const std::string& json) {
    std::string out;
    out.reserve(json.size());
    bool inString = false;
    for (std::size_t i = 0; i < json.size();) {
        const char c = json[i];
        if (inString && c == '\\') {  // an escape: the backslash and the character it escapes
            out.append(json, i, 2);
            i += 2;
            continue;
        }
        if (c == '"') inString = !inString;
        if (inString || (c != '-' && (c < '0' || c > '9'))) {
            out += c;
            ++i;
            continue;
        }
        const std::size_t end = std::min(json.find_first_not_of("+-.0123456789eE", i), json.size());
        const std::string_view number(json.data() + i, end - i);
        double value = 0.0;
        if (number.find_first_of(".eE") != std::string_view::npos &&
            std::from_chars(number.data(), number.data() + number.size(), value).ec == std::errc()) {
            out += jsonReal(value);
        } else {
            out += number;
        }
        i = end;
    }
    return out;
}

}  // namespace

std::string jsonReal(double value) {
    if (!std::isfinite(value)) {
        return "null";
    }
    char digits[32];
    const auto written = std::to_chars(digits, digits + sizeof digits, value);
    std::string out(digits, written.ptr);
    if (out.find_first_of(".e") == std::string::npos) {
        out += ".0";
    }
    return out;
}

std::string drawingDumpJson(const std::vector<LightInfo>& lights, const DumpVariables& variables,
                            const DrawingObjects& objects) {
    Json dump{{"lights", Json::array()}};
    for (const LightInfo& light : lights) {
        dump["lights"].push_back(lightJson(light));
    }
    addDrawingObjects(dump, objects);
    dump["sysvars"] = Json{{"CVPORT", optionalInteger(variables.cvport)},
                           {"DEFAULTLIGHTING", optionalInteger(variables.defaultLighting)},
                           {"LIGHTINGUNITS", optionalInteger(variables.lightingUnits)}};
    return withShortestReals(dump.dump(2, ' ', false, Json::error_handler_t::replace)) + "\n";
}

DumpVariables currentDumpVariables() {
    DumpVariables variables;
    variables.cvport = wholeVariable(L"CVPORT");
    variables.defaultLighting = wholeVariable(L"DEFAULTLIGHTING");
    variables.lightingUnits = wholeVariable(L"LIGHTINGUNITS");
    return variables;
}

std::wstring dumpPathProblem(const std::filesystem::path& path) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        return L"it is a folder, not a file.";
    }
    const std::filesystem::path folder = path.parent_path();
    if (!folder.empty() && !std::filesystem::is_directory(folder, ec)) {
        return L"the folder \"" + pathText(folder) + L"\" does not exist.";
    }
    return {};
}

bool writeDump(const std::filesystem::path& path, const std::string& text, std::wstring& error) {
    std::wstring reason;
    if (replaceFile(path, text, reason)) {
        return true;
    }
    const std::wstring problem = dumpPathProblem(path);
    error = L"cannot write the dump \"" + pathText(path) + L"\": " + (problem.empty() ? reason + L"." : problem);
    return false;
}

}  // namespace plandor
