// Guards against colours shown wrongly, an out-of-range index accepted, a book name that survives a new colour
// or sticks to an index colour, lamp colours a person would not recognise (a wrong branch of the locus, a jump
// where its pieces meet, temperatures outside it), index colours off their hue, palette lines misread or
// silently dropped, unnamed colours that cannot be chosen, a broken palette file that stops the others,
// warnings that do not name file and first line or come one a colour, and book lookups that miss a name in other letter case or respell it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "host/plcmcolor.h"
#include "host/plcolorbook.h"
#include "host/pldb.h"
#include "hostsim/color_temperature.h"
#include "hostsim/driver.h"
#include "hostsim/index_palette.h"
#include "hostsim/palette_file.h"
#include "support/temp_folder.h"

namespace {

using plsim::kelvinToSrgb;
using plsim::SrgbColor;

TEST(ColorTest, RefusalsKeepTheColourAndABookNameGoesWithANewColour) {
    PlCmColor color;
    color.setRGB(255, 128, 0);
    EXPECT_EQ(Plad::eInvalidInput, color.setColorIndex(0));
    EXPECT_EQ(Plad::eInvalidInput, color.setColorIndex(256));
    EXPECT_EQ(Plad::eInvalidInput, color.setNames(L"ORANGE", nullptr));
    EXPECT_EQ(Plad::eInvalidInput, color.setNames(L"", L"BOOK"));
    EXPECT_EQ(L"255,128,0", color.getDescription().str()) << "refused: the colour is kept";
    ASSERT_EQ(Plad::eOk, color.setNames(L"ORANGE 021", L"GUIDE"));
    EXPECT_EQ(L"GUIDE: ORANGE 021", color.getDescription().str());
    PlCmColor same = color;
    same.setRGB(255, 128, 0);
    EXPECT_FALSE(same.hasColorBook()) << "a colour set afresh is no longer the book's";
    EXPECT_FALSE(same == color);
    ASSERT_EQ(Plad::eOk, color.setColorIndex(8));
    EXPECT_EQ(L"Index 8", color.getDescription().str());
    EXPECT_EQ(Plad::eInvalidInput, color.setNames(L"ORANGE 021", L"GUIDE")) << "an index colour is in no book";
    color.setColorIndex(1);
    same.setRGB(255, 0, 0);
    EXPECT_FALSE(same == color) << "red by index is not red by RGB";
}

void expectNear(const SrgbColor& c, double r, double g, double b, double within) {
    EXPECT_NEAR(c.red, r, within);
    EXPECT_NEAR(c.green, g, within);
    EXPECT_NEAR(c.blue, b, within);
}

TEST(LightColors, KelvinGivesTheColourOfTheLamp) {
    // Daylight is a near white: every channel at least 95 % of the largest.
    const SrgbColor d65 = kelvinToSrgb(6504.0);
    EXPECT_EQ(std::max({d65.red, d65.green, d65.blue}), 1.0);
    EXPECT_GE(std::min({d65.red, d65.green, d65.blue}), 0.95);
    expectNear(kelvinToSrgb(2000.0), 1.000, 0.543, 0.086, 0.01);  // high-pressure sodium is orange-red
    // The lamp gets bluer all the way up, without a jump where the pieces of the locus meet.
    SrgbColor last = kelvinToSrgb(plsim::kMinLocusKelvin);
    for (double k = plsim::kMinLocusKelvin + 10.0; k <= plsim::kMaxLocusKelvin; k += 10.0) {
        const SrgbColor c = kelvinToSrgb(k);
        EXPECT_GT(c.blue - c.red, last.blue - last.red - 1e-9) << k;
        EXPECT_LT(std::abs(c.green - last.green) + std::abs(c.blue - last.blue), 0.02) << k;
        last = c;
    }
    // Outside the locus: its ends; 0 K (which the light accepts) names no lamp colour: neutral grey.
    const SrgbColor coolest = kelvinToSrgb(plsim::kMinLocusKelvin);
    expectNear(kelvinToSrgb(1000.0), coolest.red, coolest.green, coolest.blue, 0.0);
    const SrgbColor hottest = kelvinToSrgb(plsim::kMaxLocusKelvin);
    expectNear(kelvinToSrgb(1e6), hottest.red, hottest.green, hottest.blue, 0.0);
    expectNear(kelvinToSrgb(0.0), 0.5, 0.5, 0.5, 0.0);
}

TEST(LightColors, LinearLightAndItsEncodingAgree) {
    EXPECT_NEAR(plsim::srgbToLinear(0.5), 0.2140, 1e-4);
    EXPECT_NEAR(plsim::srgbToLinear(0.04), 0.04 / 12.92, 1e-15);
    for (double c = 0.0; c <= 1.0; c += 0.01) EXPECT_NEAR(plsim::linearToSrgb(plsim::srgbToLinear(c)), c, 1e-12) << c;
    for (double k : {0.0, 2000.0, 6504.0, 40000.0}) {
        const plsim::LinearRgb linear = plsim::kelvinToLinearRgb(k);
        expectNear(kelvinToSrgb(k), plsim::linearToSrgb(linear.red), plsim::linearToSrgb(linear.green),
                   plsim::linearToSrgb(linear.blue), 1e-12);
    }
}

TEST(LightColors, IndexColours) {
    const struct {
        int index;
        int red, green, blue;
    } cases[] = {
        {1, 255, 0, 0},     {10, 255, 0, 0},     {50, 255, 255, 0}, {170, 0, 0, 255},   {255, 255, 255, 255},
        {7, 255, 255, 255}, {11, 255, 128, 128}, {12, 204, 0, 0},   {130, 0, 255, 255}, {249, 77, 38, 48},
        {250, 43, 43, 43},  {0, 0, 0, 0},        {256, 0, 0, 0},
    };
    for (const auto& c : cases) {
        const plsim::Rgb8 rgb = plsim::indexColorRgb(c.index);
        EXPECT_EQ(rgb.red, c.red) << c.index;
        EXPECT_EQ(rgb.green, c.green) << c.index;
        EXPECT_EQ(rgb.blue, c.blue) << c.index;
    }
}

/// "r g b name|" for each colour of the book read, or "no book".
std::wstring colorsOf(const plsim::PaletteRead& read) {
    if (!read.book) return L"no book";
    std::wstring text;
    for (int i = 0; i < read.book->count(); ++i) {
        const PlColorBookColor* c = read.book->colorAt(i);
        text += std::to_wstring(c->red) + L" " + std::to_wstring(c->green) + L" " + std::to_wstring(c->blue) + L" " +
                c->name.str() + L"|";
    }
    return text;
}

TEST(PaletteFile, ReadsWhatTheFormatAllows) {
    const plsim::PaletteRead read =
        plsim::readPalette(L"books/warm.gpl",
                           "\xEF\xBB\xBFGIMP Palette \r\nName: Warm Tones\r\nColumns: 4\n# comment\n\n"
                           "  255   0\t0\tFire Red  \r\n0 0 0\tdeep  black\n");
    EXPECT_EQ(colorsOf(read), L"255 0 0 Fire Red|0 0 0 deep  black|");
    EXPECT_EQ(std::wstring(read.book->name()), L"Warm Tones");
    EXPECT_TRUE(read.issues.empty() && read.warning.empty());
    const plsim::PaletteRead unnamed = plsim::readPalette(L"C:\\books\\my.colors.gpl", "GIMP Palette\n1 2 3 x");
    EXPECT_EQ(colorsOf(unnamed), L"1 2 3 x|");
    EXPECT_EQ(std::wstring(unnamed.book->name()), L"my.colors") << "named after the file";
    // Colours without a name are named as the true-colour prompt reads them, and found by it.
    const plsim::PaletteRead plain = plsim::readPalette(L"plain.gpl", "GIMP Palette\n  0 153 255\n007 8 9 \t \n");
    EXPECT_EQ(colorsOf(plain), L"0 153 255 0,153,255|7 8 9 7,8,9|");
    std::uint32_t rgb = 0;
    ASSERT_NE(plain.book->findColor(L"0,153,255", rgb, true), nullptr);
    EXPECT_EQ(rgb, 0x0099FFu);
}

TEST(PaletteFile, BrokenLinesAreSkippedAndCountedByKind) {
    using Kind = plsim::PaletteIssue::Kind;
    struct Case {
        const char* line;
        Kind kind;
    };
    const Case cases[] = {
        {"255 0 red", Kind::NotAColor},
        {"256 0 0 too red", Kind::AboveRange},
        {"0 0 99999999999 far too blue", Kind::AboveRange},
        {"1 2 3x name", Kind::NotAColor},
        {"-1 2 3 minus", Kind::NotAColor},
        {"9 9 9 GOOD", Kind::NameTaken},
        {"9 9 9", Kind::NameTaken},  // named 9,9,9 like the colour before it
        {"Name:", Kind::BookNameIgnored},
        {"Columns: many", Kind::ColumnsIgnored},
        {"1 2 3 caf\xE9", Kind::NotUtf8},
        {"1 2 3 bell\x07 ringing", Kind::ControlCharacter},
        {"Name: Book\x1b[31m", Kind::BookNameIgnored},
    };
    for (const Case& c : cases) {
        const std::string text = std::string("GIMP Palette\n9 9 9 good\n9 9 9\n") + c.line + "\n8 8 8 after\n";
        const plsim::PaletteRead read = plsim::readPalette(L"dir/b.gpl", text);
        const bool kept = c.kind == Kind::NotUtf8;
        EXPECT_EQ(colorsOf(read), kept ? L"9 9 9 good|9 9 9 9,9,9|1 2 3 caf\xFFFD|8 8 8 after|"
                                       : L"9 9 9 good|9 9 9 9,9,9|8 8 8 after|")
            << c.line;
        ASSERT_EQ(read.issues.size(), 1u) << c.line;
        EXPECT_EQ(read.issues[0].kind, c.kind) << c.line;
        EXPECT_EQ(read.issues[0].count, 1u) << c.line;
        EXPECT_EQ(read.issues[0].firstLine, 4u) << c.line;
    }
    for (const char* notPalette : {"", "GIMP palette\n1 2 3 x\n", "255 0 0 red\n", "\x89PNG\r\n"}) {
        const plsim::PaletteRead read = plsim::readPalette(L"n.gpl", notPalette);
        EXPECT_EQ(colorsOf(read), L"no book") << notPalette;
        ASSERT_EQ(read.issues.size(), 1u);
        EXPECT_EQ(read.issues[0].kind, Kind::NotAPalette);
        EXPECT_EQ(read.warning, L"n.gpl: line 1 is not \"GIMP Palette\": the file is no palette and is skipped.");
    }
    // One line for the file, whatever the number of broken lines.
    std::string many = "GIMP Palette\nColumns: x\n";
    for (int i = 0; i < 500; ++i) many += "300 0 0 red\n1 2\n";
    const plsim::PaletteRead read = plsim::readPalette(L"many.gpl", many);
    EXPECT_EQ(read.warning,
              L"many.gpl: 1 \"Columns:\" line without a whole number, on line 2, ignored; 500 colors with a value above "
              L"255, the first on line 3, skipped; 500 lines that are no color (red, green and blue from 0 to 255, then "
              L"a name), the first on line 4, skipped.");
}

TEST(ColorBookFolder, EveryPaletteFileIsABookAndBrokenFilesStopNoneOfThem) {
    plsim::resetSession();
    const TempFolder folder;
    const auto write = [&folder](const char* name, const char* text) { folder.write(name, text); };
    write("a.gpl", "GIMP Palette\nName: Shared\n1 1 1 one\n");
    write("b.GPL", "GIMP Palette\n2 2 2 Two Words\n300 0 0 bad\n");
    write("c.gpl", "not a palette\n");
    write("d.gpl", "GIMP Palette\nName: SHARED\n3 3 3 three\n");
    write("e.txt", "GIMP Palette\n4 4 4 four\n");
    plsim::setColorBookLocation(folder.wide().c_str());
    const PlColorBookList* books = GetColorBooks();
    ASSERT_EQ(books->count(), 2) << "loaded on first use: a and b; c is no palette, d repeats a's name, e no .gpl";
    EXPECT_EQ(books->findBook(L"shared", false), nullptr) << "exact case asked";
    std::uint32_t rgb = 0;
    EXPECT_EQ(books->findBook(L"B", true)->findColor(L"two words", rgb, false), nullptr);
    const std::vector<std::wstring> warnings = plsim::colorBookWarnings();
    ASSERT_EQ(warnings.size(), 3u);
    EXPECT_NE(warnings[0].find(L"b.GPL: 1 color with a value above 255, on line 3, skipped."), std::wstring::npos);
    EXPECT_NE(warnings[1].find(L"c.gpl: line 1 is not"), std::wstring::npos);
    EXPECT_NE(warnings[2].find(L"d.gpl: a book named \"SHARED\""), std::wstring::npos);

    EXPECT_EQ(UpdateColorBooks((folder.wide() + L"/missing").c_str()), Plad::eInvalidInput);
    EXPECT_EQ(GetColorBooks()->count(), 0);
    plsim::setColorBookLocation(nullptr);
    EXPECT_EQ(pldbHostApplicationServices()->colorBookLocation(), nullptr);
    plsim::resetSession();
}

}  // namespace
