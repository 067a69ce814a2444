// Guards against the host formatter misreading its arguments (narrow for wide text,
// wrong widths, consumed arguments for unknown conversions) or crashing on a bad format.
#include <string>

#include <gtest/gtest.h>

#include "host/pled.h"
#include "host/plstring.h"
#include "tests/hostsim/host_fixture.h"

namespace {

template <class... Args>
std::wstring fmt(const wchar_t* format, Args... args) {
    PlString text(L"previous text");
    text.format(format, args...);
    return text.str();
}

struct Case {
    const wchar_t* expected;
    std::wstring actual;
};

void check(const Case* begin, const Case* end) {
    for (const Case* c = begin; c != end; ++c) {
        EXPECT_EQ(std::wstring(c->expected), c->actual) << "case " << (c - begin);
    }
}

TEST(Format, TextConversionsTakeWideTextOnEverySystem) {
    const wchar_t* const nothing = nullptr;
    const Case cases[] = {
        {L"Gr\u00fc\u00dfe", fmt(L"%s", L"Gr\u00fc\u00dfe")},
        {L"Gr\u00fc\u00dfe", fmt(L"%ls", L"Gr\u00fc\u00dfe")},
        {L"[(null)]", fmt(L"[%s]", nothing)},
        {L"[ab    ]", fmt(L"[%-6s]", L"ab")},
        {L"[abc]", fmt(L"[%.*s]", 3, L"abcdef")},
        {L"Gr\u00fc", fmt(L"%hs", "Gr\xc3\xbc")},
        {L"a \u00df b", fmt(L"a %c b", L'\u00df')},
        {L"one two", fmt(L"%s %s", L"one", L"two")},
    };
    check(std::begin(cases), std::end(cases));
}

TEST(Format, NumbersFollowCWidthsAndPrecisions) {
    const Case cases[] = {
        {L"[  -42]", fmt(L"[%5d]", -42)},
        {L"[-0042]", fmt(L"[%05d]", -42)},
        {L"4294967295", fmt(L"%u", 4294967295u)},
        {L"[7   ]", fmt(L"[%*d]", -4, 7)},
        {L"[ 3.14]", fmt(L"[%5.2f]", 3.14159)},
        {L"0.0001 1e+10", fmt(L"%g %g", 0.0001, 1e10)},
    };
    check(std::begin(cases), std::end(cases));
}

TEST(Format, PercentSignsAndUnknownConversionsPrintAsWritten) {
    const Case cases[] = {
        {L"100%", fmt(L"100%%")},
        {L"", fmt(L"")},
        // An unknown conversion takes no argument: the next one still gets its own.
        {L"%y 7", fmt(L"%y %d", 7)},
        {L"%5y 7", fmt(L"%5y %d", 7)},
        // "%n" never writes anywhere.
        {L"%n5", fmt(L"%n%d", 5)},
        // A format that ends inside a conversion.
        {L"abc%l", fmt(L"abc%l")},
    };
    check(std::begin(cases), std::end(cases));
}

TEST(Format, NullFormatGivesEmptyTextAndHugeWidthsAreBounded) {
    PlString text(L"old");
    text.format(nullptr);
    EXPECT_TRUE(text.isEmpty());
    const std::wstring wide = fmt(L"%999999999d", 1);
    EXPECT_LT(wide.size(), 100000u);
    EXPECT_EQ(L'1', wide.back());
}

class PrintTest : public HostTest {};

TEST_F(PrintTest, PlutPrintfPrintsTheFormattedTextToTheTranscript) {
    EXPECT_EQ(13, plutPrintf(L"%s has %d%%\n", L"Lamp", 50));
    plutPrintf(L"Value: %s", L"100%s");  // an argument is never read as a format
    plsim::finishOutputLine();
    EXPECT_EQ(L"Lamp has 50%\nValue: 100%s\n", plsim::transcript());
}

}  // namespace
