// The LIST command's table: the lights of a drawing, one row each, in columns a person can read.
#include "console/light_table.h"

#include <algorithm>
#include <array>
#include <cstddef>

#include "console/display_numbers.h"

namespace plandor {

namespace {

using plsim::scene::LightInfo;

constexpr std::size_t kColumns = 8;
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

Row rowOf(const LightInfo& light) {
    const bool showsTarget = light.hasTarget && light.kind != 1;
    return {
        light.name,
        kindText(light),
        light.on ? L"on" : L"off",
        displayNumber(light.intensity),
        displayTriple(light.position.x, light.position.y, light.position.z),
        showsTarget ? displayTriple(light.target.x, light.target.y, light.target.z) : L"-",
        light.layer.empty() ? L"-" : light.layer,
        light.color.description,
    };
}

/// The width of `text` in characters: a surrogate pair (16-bit wchar_t) is one.
std::size_t width(const std::wstring& text) {
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](wchar_t c) { return !(c >= 0xDC00 && c <= 0xDFFF); }));
}

}  // namespace

std::vector<std::wstring> lightTableLines(const std::vector<LightInfo>& lights) {
    if (lights.empty()) {
        return {L"No lights in the drawing."};
    }
    std::vector<Row> rows;
    rows.push_back({L"Name", L"Kind", L"Status", L"Intensity", L"Position", L"Target", L"Layer", L"Color"});
    for (const LightInfo& light : lights) {
        rows.push_back(rowOf(light));
    }
    std::array<std::size_t, kColumns> widths{};
    for (const Row& row : rows) {
        for (std::size_t column = 0; column < kColumns; ++column) {
            widths[column] = std::max(widths[column], width(row[column]));
        }
    }
    std::vector<std::wstring> lines;
    for (const Row& row : rows) {
        std::wstring line;
        for (std::size_t column = 0; column < kColumns; ++column) {
            line += row[column];
            if (column + 1 < kColumns) {
                line.append(widths[column] - width(row[column]) + 2, L' ');
            }
        }
        while (!line.empty() && line.back() == L' ') {
            line.pop_back();
        }
        lines.push_back(line);
    }
    return lines;
}

}  // namespace plandor
