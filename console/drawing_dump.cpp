// The drawing as JSON (plandor --dump): the lights with every property, and the system variables that govern them.
#include "console/drawing_dump.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <system_error>

#include "console/file_replace.h"
#include "console/utf8.h"
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

std::string jsonInteger(long long value) { return std::to_string(value); }
std::string jsonBool(bool value) { return value ? "true" : "false"; }

std::string jsonOptional(const std::optional<long>& value) { return value ? jsonInteger(*value) : "null"; }

std::string jsonTriple(double x, double y, double z) {
    std::string text(1, '[');
    text += jsonReal(x);
    text += ", ";
    text += jsonReal(y);
    text += ", ";
    text += jsonReal(z);
    text += ']';
    return text;
}
std::string jsonPoint(const PlGePoint3d& p) { return jsonTriple(p.x, p.y, p.z); }
std::string jsonVector(const PlGeVector3d& v) { return jsonTriple(v.x, v.y, v.z); }

/// Writes `"name": value` pairs, comma-separated, for one JSON object.
class Fields {
public:
    Fields& add(const char* name, const std::string& value) {
        if (!m_text.empty()) {
            m_text += m_separator;
        }
        m_text += std::string("\"") + name + "\": " + value;
        return *this;
    }
    /// The fields on one line, in braces.
    std::string oneLine() const { return "{" + m_text + "}"; }
    /// The fields one to a line, indented by `indent`.
    static Fields multiLine(const std::string& indent) {
        Fields fields;
        fields.m_separator = ",\n" + indent;
        return fields;
    }
    const std::string& text() const { return m_text; }

private:
    std::string m_separator = ", ";
    std::string m_text;
};

std::string colorJson(const ColorInfo& color) {
    const std::string null = "null";
    const std::string red = jsonInteger(color.red);
    const std::string green = jsonInteger(color.green);
    const std::string blue = jsonInteger(color.blue);
    Fields fields;
    switch (color.method) {
        case ColorInfo::Method::Rgb:
            fields.add("method", "\"rgb\"").add("r", red).add("g", green).add("b", blue);
            fields.add("index", null).add("book", null).add("name", null);
            break;
        case ColorInfo::Method::Index:
            fields.add("method", "\"index\"").add("r", null).add("g", null).add("b", null);
            fields.add("index", jsonInteger(color.index)).add("book", null).add("name", null);
            break;
        case ColorInfo::Method::Book:
            fields.add("method", "\"book\"").add("r", red).add("g", green).add("b", blue);
            fields.add("index", null).add("book", jsonString(color.book)).add("name", jsonString(color.name));
            break;
        case ColorInfo::Method::None:
            // No colour at all: nothing applies.
            fields.add("method", "\"none\"").add("r", null).add("g", null).add("b", null);
            fields.add("index", null).add("book", null).add("name", null);
            break;
    }
    return fields.oneLine();
}

std::string shadowJson(const plsim::scene::ShadowInfo& shadow) {
    Fields fields;
    fields.add("on", jsonBool(shadow.on))
        .add("type", jsonInteger(shadow.type))
        .add("mapSize", jsonInteger(shadow.mapSize))
        .add("softness", jsonInteger(shadow.softness))
        .add("shape", jsonInteger(shadow.shape))
        .add("length", jsonReal(shadow.length))
        .add("width", jsonReal(shadow.width))
        .add("radius", jsonReal(shadow.radius))
        .add("samples", jsonInteger(shadow.samples))
        .add("visible", jsonBool(shadow.shapeVisible));
    return fields.oneLine();
}

std::string attenuationJson(const plsim::scene::AttenuationInfo& attenuation) {
    Fields fields;
    fields.add("type", jsonInteger(attenuation.type))
        .add("useLimits", jsonBool(attenuation.useLimits))
        .add("start", jsonReal(attenuation.start))
        .add("end", jsonReal(attenuation.end));
    return fields.oneLine();
}

std::string photometryJson(const plsim::scene::PhotometryInfo& photometry) {
    Fields fields;
    fields.add("intensity", jsonReal(photometry.physicalIntensity))
        .add("method", jsonInteger(photometry.method))
        .add("distance", jsonReal(photometry.distance))
        .add("lampColorType", jsonInteger(photometry.lampColorType))
        .add("lampColorTemp", jsonReal(photometry.lampColorTemp))
        .add("lampColorPreset", jsonInteger(photometry.preset))
        .add("lampRgb", Fields().add("r", jsonReal(photometry.lampRgb.red)).add("g", jsonReal(photometry.lampRgb.green))
                            .add("b", jsonReal(photometry.lampRgb.blue)).oneLine());
    return fields.oneLine();
}

std::string lightJson(const LightInfo& light) {
    const std::string indent = "      ";
    Fields web;
    web.add("file", jsonString(light.webFile)).add("rotation", jsonVector(light.webRotation));
    Fields fields = Fields::multiLine(indent);
    fields.add("name", jsonString(light.name))
        .add("kind", jsonInteger(light.kind))
        .add("hasTarget", jsonBool(light.hasTarget))
        .add("layer", jsonString(light.layer))
        .add("position", jsonPoint(light.position))
        .add("target", jsonPoint(light.target))
        .add("direction", jsonVector(light.direction))
        .add("on", jsonBool(light.on))
        .add("intensity", jsonReal(light.intensity))
        .add("hotspotDeg", jsonReal(degrees(light.hotspot)))
        .add("falloffDeg", jsonReal(degrees(light.falloff)))
        .add("color", colorJson(light.color))
        .add("shadow", shadowJson(light.shadow))
        .add("attenuation", attenuationJson(light.attenuation))
        .add("photometry", photometryJson(light.photometry))
        .add("web", web.oneLine());
    return "    {\n" + indent + fields.text() + "\n    }";
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

}  // namespace

std::string jsonString(std::wstring_view text) {
    const std::string bytes = toUtf8(text);
    std::string out = "\"";
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20 || byte == 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04X", static_cast<unsigned>(byte));
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

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
    std::string out = "{\n  \"lights\": [";
    for (std::size_t i = 0; i < lights.size(); ++i) {
        out += i == 0 ? "\n" : ",\n";
        out += lightJson(lights[i]);
    }
    out += lights.empty() ? "],\n" : "\n  ],\n";
    out += drawingObjectsJson(objects);
    Fields sysvars;
    sysvars.add("CVPORT", jsonOptional(variables.cvport))
        .add("DEFAULTLIGHTING", jsonOptional(variables.defaultLighting))
        .add("LIGHTINGUNITS", jsonOptional(variables.lightingUnits));
    out += "  \"sysvars\": " + sysvars.oneLine() + "\n}\n";
    return out;
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
