// Guards against colours shown wrongly, an out-of-range index accepted, and a book name that
// survives a new colour or sticks to an index colour.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "host/plcmcolor.h"

namespace {

TEST(ColorTest, IndexColoursAreNamedOrNumbered) {
    struct Case {
        std::uint16_t index;
        const wchar_t* description;
    };
    const Case cases[] = {{1, L"red"}, {7, L"white"}, {8, L"Index 8"}, {255, L"Index 255"}};
    for (const Case& c : cases) {
        PlCmColor color;
        ASSERT_EQ(Plad::eOk, color.setColorIndex(c.index));
        EXPECT_TRUE(color.isByACI());
        EXPECT_EQ(c.index, color.colorIndex());
        EXPECT_EQ(std::wstring(c.description), color.getDescription().str());
    }
    for (std::uint16_t bad : {std::uint16_t{0}, std::uint16_t{256}}) {
        PlCmColor color;
        color.setRGB(1, 2, 3);
        EXPECT_EQ(Plad::eInvalidInput, color.setColorIndex(bad));
        EXPECT_EQ(L"1,2,3", color.getDescription().str()) << "refused: the colour is kept";
    }
}

TEST(ColorTest, BookColoursCarryBothNamesUntilTheColourChanges) {
    PlCmColor color;
    color.setRGB(255, 128, 0);
    EXPECT_EQ(L"255,128,0", color.getDescription().str());
    EXPECT_EQ(Plad::eInvalidInput, color.setNames(L"ORANGE", nullptr));
    EXPECT_EQ(Plad::eInvalidInput, color.setNames(L"", L"BOOK"));
    EXPECT_FALSE(color.hasColorBook());
    ASSERT_EQ(Plad::eOk, color.setNames(L"ORANGE 021", L"GUIDE"));
    EXPECT_TRUE(color.hasColorBook());
    EXPECT_TRUE(color.isByColor());
    EXPECT_EQ(255, color.red());
    EXPECT_EQ(L"GUIDE: ORANGE 021", color.getDescription().str());

    PlCmColor same = color;
    EXPECT_TRUE(same == color);
    same.setRGB(255, 128, 0);
    EXPECT_FALSE(same.hasColorBook()) << "a colour set afresh is no longer the book's";
    EXPECT_FALSE(same == color);

    ASSERT_EQ(Plad::eOk, color.setColorIndex(5));
    EXPECT_FALSE(color.hasColorBook());
    EXPECT_EQ(Plad::eInvalidInput, color.setNames(L"ORANGE 021", L"GUIDE")) << "an index colour is in no book";
    EXPECT_EQ(L"blue", color.getDescription().str());
}

TEST(ColorTest, EqualityComparesWhatTheMethodUses) {
    PlCmColor a;
    PlCmColor b;
    a.setColorIndex(1);
    b.setRGB(9, 9, 9);
    b.setColorIndex(1);
    EXPECT_TRUE(a == b);
    b.setColorIndex(2);
    EXPECT_FALSE(a == b);
    PlCmColor rgb;
    rgb.setRGB(255, 0, 0);
    EXPECT_FALSE(rgb == a) << "red by index is not red by RGB";
}

}  // namespace
