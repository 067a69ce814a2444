// Guards against a LIST table that misleads: columns out of line, kinds, targets or directions shown wrongly, photometry shown where it does not apply, numbers in a form no one types, and lights left out.
#include "console/light_table.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "console/display_numbers.h"
#include "drawing/text_cells.h"
#include "host/plscene.h"

namespace {

using plsim::scene::LightInfo;

LightInfo light(const std::wstring& name, int kind, bool hasTarget) {
    LightInfo info;
    info.name = name;
    info.kind = kind;
    info.hasTarget = hasTarget;
    info.layer = L"Lights";
    info.on = true;
    info.intensity = 1.0;
    info.position = {0.0, 0.0, 3000.0};
    info.target = {0.0, 0.0, 0.0};
    info.color.description = L"255,255,255";
    info.direction = {0.0, 0.0, -1.0};
    info.photometry.candela = 1500.0;
    info.photometry.lumens = 1200.0;
    info.photometry.lampKelvin = 3500.0;
    return info;
}

TEST(LightTable, RowsAreAlignedAndSayWhatEachLightIs) {
    LightInfo spot = light(L"Stage spot", 3, true);
    spot.photometry.lumens = 519.28;
    // A name beyond 16 bits is one cell wide (this one), whatever the size of wchar_t.
    LightInfo lamp = light(L"Reading lamp\U0001D49C", 2, false);
    lamp.on = false;
    lamp.intensity = 2.5;
    lamp.position = {1500.0, -0.25, 2500.0};
    lamp.target = {1500.0, -0.25, 2490.0};  // a free light's target is not shown, nor a point light's direction
    lamp.color.description = L"Book: a b";
    lamp.photometry.lampColorType = PlDbLight::kPreset;
    lamp.photometry.preset = PlDbLight::kIncandescent;
    lamp.photometry.lampKelvin = 2856.0;
    LightInfo sun = light(L"Sun", 1, false);  // no candela, no flux
    sun.position = {0.0, 0.0, 0.0};
    sun.direction = {0.0, 0.6, -0.8};
    sun.layer.clear();
    LightInfo web = light(L"W", 10, false);
    web.photometry.candela = std::numeric_limits<double>::quiet_NaN();  // the host could not convert
    LightInfo targetPoint = light(L"P", 2, true);
    LightInfo freeSpot = light(L"F", 3, false);

    const std::vector<std::wstring> expected = {
        L"Name           Kind             Status  Candela  Lumens  Kelvin               Color        Factor  Position         Target  Direction   Layer",
        L"Stage spot     spot, targeted   on      1500     519.28  3500                 255,255,255  1       0,0,3000         0,0,0   -           Lights",
        L"Reading lamp\U0001D49C  point, free      off     1500     1200    2856 (Incandescent)  Book: a b    2.5     1500,-0.25,2500  -       -           Lights",
        L"Sun            distant          on      -        -       3500                 255,255,255  1       0,0,0            -       0,0.6,-0.8  -",
        L"W              web, free        on      -        1200    3500                 255,255,255  1       0,0,3000         -       0,0,-1      Lights",
        L"P              point, targeted  on      1500     1200    3500                 255,255,255  1       0,0,3000         0,0,0   -           Lights",
        L"F              spot, free       on      1500     1200    3500                 255,255,255  1       0,0,3000         -       0,0,-1      Lights",
    };
    const std::vector<LightInfo> lights{spot, lamp, sun, web, targetPoint, freeSpot};
    EXPECT_EQ(plandor::lightTableLines(lights, true), expected);
    // Generic lighting has no photometry to show.
    EXPECT_EQ(plandor::lightTableLines(lights, false)[1],
              L"Stage spot     spot, targeted   on      -        -       -       255,255,255  1       0,0,3000         0,0,0   -           Lights");
}

TEST(LightTable, ColumnsLineUpAsTheTerminalShowsThem) {
    const std::pair<const wchar_t*, const wchar_t*> names[] = {
        {L"\u821E\u53F0\u706F", L"\u821E\u53F0\u706F"},  // wide: two cells each
        {L"Cafe\u0301 lamp", L"Cafe\u0301 lamp"},                 // a combining mark takes none
        {L"A\u202EB", L"A<RLO>B"},                                 // bidirectional controls by name
        {L"x\u2066y\u2069", L"x<LRI>y<PDI>"},
        {L"\U0001F600!", L"\U0001F600!"},                           // an emoji is wide
    };
    std::vector<LightInfo> lights;
    for (const auto& [name, shown] : names) lights.push_back(light(name, 2, false));
    const std::vector<std::wstring> lines = plandor::lightTableLines(lights, false);
    ASSERT_EQ(lines.size(), std::size(names) + 1);
    EXPECT_EQ(lines[0].rfind(L"Name          Kind", 0), 0u);  // 12 cells for the widest, then two blanks
    for (std::size_t i = 0; i < std::size(names); ++i) {
        const std::wstring shown = names[i].second;
        const std::wstring pad(14 - plandor::textCells(shown), L' ');
        EXPECT_EQ(lines[i + 1].rfind(shown + pad + L"point, free", 0), 0u) << i;
    }
}

TEST(LightTable, NumbersAreShortAndPlain) {
    const std::pair<double, const wchar_t*> cases[] = {
        {-0.0, L"0"},          {1.0 / 3.0, L"0.3333"}, {-0.00004, L"0"}, {-0.00005, L"-0.0001"},
        {1e7, L"10000000"},    {0.1 + 0.2, L"0.3"},    {std::numeric_limits<double>::quiet_NaN(), L"nan"},
        // Beyond 15 whole digits, with an exponent.
        {999999999999999.0, L"999999999999999"}, {1e15, L"1e+15"}, {123456789012345678.0, L"1.2346e+17"},
        {-std::numeric_limits<double>::max(), L"-1.7977e+308"}, {1e308, L"1e+308"},
    };
    for (const auto& [value, text] : cases) EXPECT_EQ(plandor::displayNumber(value), text) << value;
}

}  // namespace
