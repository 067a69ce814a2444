// The LIST command's table: the lights of a drawing, one row each, in columns a person can read.
#include "console/light_table.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>

#include "console/control_characters.h"
#include "console/display_numbers.h"
#include "drawing/text_cells.h"
#include "hostsim/driver.h"
#include "hostsim/sceneoe/photometry.h"

namespace plandor {

namespace {

using plsim::scene::LightInfo;

constexpr std::size_t kColumns = 12;
using Row = std::array<std::wstring, kColumns>;

/// The kind as a word, and for lights that can have one, whether they have a target.
std::wstring kindText(const LightInfo& light) {
    const std::wstring aim = light.hasTarget ? L", targeted" : L", free";
    switch (light.kind) {
        case 1: return L"distant";
        case 2: return L"point" + aim;
        case 3: return L"spot" + aim;
        case 10: return L"web" + aim;
    }
    return L"kind " + std::to_wstring(light.kind) + aim;
}

/// A quantity for a column: "-" when it has no value.
std::wstring quantity(double value) { return std::isfinite(value) ? displayNumber(value) : L"-"; }

std::wstring kelvinText(const plsim::scene::PhotometryInfo& photometry) {
    std::wstring text = displayNumber(photometry.lampKelvin);
    if (photometry.lampColorType == PlDbLight::kPreset) {
        if (const plsim::scene::LampPreset* preset = plsim::scene::lampPresetOf(photometry.preset)) {
            text += L" (" + std::wstring(preset->name) + L")";
        }
    }
    return text;
}

Row rowOf(const LightInfo& light, bool photometric) {
    const bool distant = light.kind == 1;
    const bool showsTarget = light.hasTarget && !distant;
    const bool showsDirection = distant || (!light.hasTarget && light.kind != 2);
    const bool hasFlux = photometric && !distant;
    const PlGeVector3d& d = light.direction;
    return {
        light.name,
        kindText(light),
        light.on ? L"on" : L"off",
        hasFlux ? quantity(light.photometry.candela) : L"-",
        hasFlux ? quantity(light.photometry.lumens) : L"-",
        photometric ? kelvinText(light.photometry) : L"-",
        light.color.description,
        displayNumber(light.intensity),
        displayTriple(light.position.x, light.position.y, light.position.z),
        showsTarget ? displayTriple(light.target.x, light.target.y, light.target.z) : L"-",
        showsDirection ? displayTriple(d.x, d.y, d.z) : L"-",
        light.layer.empty() ? L"-" : light.layer,
    };
}

}  // namespace

std::vector<std::wstring> lightTableLines(const std::vector<LightInfo>& lights, bool photometric) {
    if (lights.empty()) {
        return {L"No lights in the drawing."};
    }
    std::vector<Row> rows;
    rows.push_back({L"Name", L"Kind", L"Status", L"Candela", L"Lumens", L"Kelvin", L"Color", L"Factor", L"Position",
                    L"Target", L"Direction", L"Layer"});
    for (const LightInfo& light : lights) {
        rows.push_back(rowOf(light, photometric));
    }
    // Columns line up as the terminal shows the cells: control characters by name, wide
    // characters in two cells, combining marks in none.
    std::array<std::size_t, kColumns> widths{};
    std::vector<std::array<std::size_t, kColumns>> cells(rows.size());
    for (std::size_t r = 0; r < rows.size(); ++r) {
        for (std::size_t column = 0; column < kColumns; ++column) {
            rows[r][column] = withVisibleControls(rows[r][column], false);
            cells[r][column] = textCells(rows[r][column]);
            widths[column] = std::max(widths[column], cells[r][column]);
        }
    }
    std::vector<std::wstring> lines;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        std::wstring line;
        for (std::size_t column = 0; column < kColumns; ++column) {
            line += rows[r][column];
            if (column + 1 < kColumns) {
                line.append(widths[column] - cells[r][column] + 2, L' ');
            }
        }
        while (!line.empty() && line.back() == L' ') {
            line.pop_back();
        }
        lines.push_back(line);
    }
    return lines;
}

bool photometricLighting() {
    const std::wstring units = plsim::getVar(L"LIGHTINGUNITS");
    return units == L"1" || units == L"2";
}

}  // namespace plandor
