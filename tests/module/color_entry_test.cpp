// Guards colour entry against replies read wrongly (commas, digits, ranges, names, numbers), HSL
// converted or shown wrongly, book colours not found or named unlike their book, and a colour
// stored after a cancel or changed by a refused reply.
#include <filesystem>

#include "lightedit/ColorEntry.h"
#include "light_fixture.h"
#include "support/temp_folder.h"

namespace {

class ColorEntryTest : public LightCommandTest {
protected:
    void SetUp() override {
        LightCommandTest::SetUp();
        books.write("test.gpl", "GIMP Palette\nName: Test Book\n255 99 71\tTomato Red\n0 0 0 Black\n");
        plsim::setColorBookLocation(books.wide().c_str());
    }
    TempFolder books;
};

struct EntryCase {
    const char* name;
    std::vector<std::wstring> replies;  // at the point light's menu
    const wchar_t* color;               // the light's colour as the host shows it
    unsigned messageId;                 // printed `times` times
    int times;
};

TEST_F(ColorEntryTest, RepliesSetTheColourOrAskAgain) {
    const EntryCase cases[] = {
        {"true colour", {L"Color", L"255,0,0"}, L"255,0,0", msg::kInvalidTrueColor, 0},
        {"refused true colours keep the colour",
         {L"Color", L"255,0", L"1,2,3,4", L"0256,0,0", L"256,0,0", L",1,2", L"255;0;0", L"1,2,3"},
         L"1,2,3",
         msg::kInvalidTrueColor,
         6},
        {"Enter keeps the colour", {L"Color", L""}, L"255,255,255", msg::kInvalidTrueColor, 0},
        {"grey is truncated", {L"Color", L"Hsl", L"0,0,50"}, L"127,127,127", msg::kInvalidHsl, 0},
        {"red by HSL", {L"filterColor", L"Hsl", L"0,100,50"}, L"255,0,0", msg::kInvalidHsl, 0},
        {"green by HSL", {L"Color", L"h", L"120,100,50"}, L"0,255,0", msg::kInvalidHsl, 0},
        {"refused HSL",
         {L"Color", L"Hsl", L"361,0,0", L"0,101,0", L"0,0", L"240,100,50"},
         L"0,0,255",
         msg::kInvalidHsl,
         3},
        {"Enter at HSL", {L"Color", L"Index", L"12", L"Color", L"Hsl", L""}, L"Index 12", msg::kInvalidHsl, 0},
        {"index by name", {L"Color", L"Index", L"RED"}, L"red", msg::kInvalidIndexColor, 0},
        {"index by number", {L"Color", L"Index", L"7"}, L"white", msg::kInvalidIndexColor, 0},
        {"highest index", {L"Color", L"Index", L"255"}, L"Index 255", msg::kInvalidIndexColor, 0},
        {"digits before text", {L"Color", L"Index", L"12abc"}, L"Index 12", msg::kInvalidIndexColor, 0},
        {"refused indexes",
         {L"Color", L"Index", L"0", L"256", L"abc", L"99999999999", L"blue"},
         L"blue",
         msg::kInvalidIndexColor,
         4},
        {"book and colour in other letter case",
         {L"Color", L"colorBook", L"TEST book", L"tomato RED"},
         L"Test Book: Tomato Red",
         msg::kNoSuchBookColor,
         0},
        {"unknown book asks again, unknown colour says so",
         {L"Color", L"colorBook", L"Other", L"Test Book", L"Tomato", L"Black"},
         L"Test Book: Black",
         msg::kNoSuchBookColor,
         1},
        {"Enter at the book name, then at the colour name, keeps the colour",
         {L"Color", L"colorBook", L"", L"Color", L"colorBook", L"Test Book", L""},
         L"255,255,255",
         msg::kNoSuchBookColor,
         0},
        {"a new colour is no longer the book's",
         {L"Color", L"colorBook", L"Test Book", L"Black", L"Color", L"0,0,0"},
         L"0,0,0",
         msg::kNoSuchBookColor,
         0},
        {"cancel leaves the colour and returns to the menu",
         {L"Color", L"Index", L"5", L"Color", L"Hsl", L"^C", L"Color", L"colorBook", L"Test Book", L"^C", L"Color",
          L"Index", L"^C"},
         L"blue",
         msg::kInvalidTrueColor,
         0},
    };
    for (const EntryCase& c : cases) {
        const std::wstring text = edit(kLightPoint, c.replies);
        EXPECT_EQ(last().color.description, c.color) << c.name;
        EXPECT_EQ(count(text, c.messageId), c.times) << c.name;
    }
}

TEST_F(ColorEntryTest, PromptsShowTheCurrentColour) {
    const std::wstring text = edit(kLightPoint, {L"Color", L"255,0,128", L"Color", L"Hsl", L"", L"Color", L"Index",
                                                 L"12", L"Color", L"Hsl", L"", L"Color", L"colorBook", L"Test Book",
                                                 L"Black", L"Color", L"Hsl", L""});
    EXPECT_EQ(occurrences(text, promptWith(msg::kTrueColorPrompt, L"255,255,255")), 1);
    EXPECT_EQ(occurrences(text, promptWith(msg::kHslPrompt, L"330,100,50")), 1);
    EXPECT_EQ(occurrences(text, promptWith(msg::kHslPrompt, L"Index 12")), 1);
    EXPECT_EQ(occurrences(text, promptWith(msg::kTrueColorPrompt, L"Test Book: Black")), 1);
    EXPECT_EQ(occurrences(text, loadMessage(msg::kHslPrompt).str() + L": "), 1) << "a book colour shows no HSL value";
}

// A folder without books; the host without a folder is plandor's --colorbooks "".
TEST_F(ColorEntryTest, NoBooksAreReported) {
    std::filesystem::remove(books.path() / "test.gpl");
    EXPECT_EQ(count(edit(kLightPoint, {L"Color", L"colorBook", L"Index", L"3"}), msg::kNoColorBooks), 1);
    EXPECT_EQ(last().color.description, L"green");
}

}  // namespace
