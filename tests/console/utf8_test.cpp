// Guards against text corrupted at the console's edge: wrong encodings, split or lost surrogate pairs, and invalid bytes passed through.
#include "console/utf8.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::wstring wide(char32_t c) {
    std::wstring out;
    if (sizeof(wchar_t) == 2 && c >= 0x10000) {
        out += static_cast<wchar_t>(0xD800 + ((c - 0x10000) >> 10));
        out += static_cast<wchar_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
        out += static_cast<wchar_t>(c);
    }
    return out;
}

struct RoundTrip {
    const char* utf8;
    std::wstring text;
};

TEST(Utf8, EncodesAndDecodesEveryLength) {
    const RoundTrip cases[] = {
        {"", L""},
        {"\x7F", wide(0x7F)},
        {"\xC2\x80", wide(0x80)},
        {"Licht\xC3\xB6", L"Licht" + wide(0xF6)},
        {"\xDF\xBF", wide(0x7FF)},
        {"\xE0\xA0\x80", wide(0x800)},
        {"\xF0\x90\x80\x80", wide(0x10000)},
        {"a\xF0\x9F\x98\x80z", L"a" + wide(0x1F600) + L"z"},
        {"\xF4\x8F\xBF\xBF", wide(0x10FFFF)},
    };
    for (const RoundTrip& c : cases) {
        SCOPED_TRACE(c.utf8);
        EXPECT_EQ(plandor::fromUtf8(c.utf8), c.text);
        EXPECT_EQ(plandor::toUtf8(c.text), c.utf8);
        EXPECT_TRUE(plandor::isValidUtf8(c.utf8));
    }
}

TEST(Utf8, ReplacesEachBadByteAndKeepsTheRest) {
    const std::wstring bad = wide(0xFFFD);
    const RoundTrip cases[] = {
        {"a\x80z", L"a" + bad + L"z"},                          // continuation byte alone
        {"\xC0\xAF", bad + bad},                                 // overlong "/"
        {"\xE0\x80\xAF", bad + bad + bad},                       // overlong, three bytes
        {"\xE2\x82", bad + bad},                                 // cut short at the end
        {"\xED\xA0\x80", bad + bad + bad},                       // an encoded surrogate
        {"\xF4\x90\x80\x80", bad + bad + bad + bad},             // above U+10FFFF
        {"\xFF\xFE", bad + bad},                                 // never valid
    };
    for (const RoundTrip& c : cases) {
        SCOPED_TRACE(c.utf8);
        EXPECT_EQ(plandor::fromUtf8(c.utf8), c.text);
        EXPECT_FALSE(plandor::isValidUtf8(c.utf8));
    }
}

TEST(Utf8, WritesLoneSurrogatesAsReplacement) {
    // A high half at the end, a low half alone, and a high half followed by
    // something that is not a low half.
    const std::wstring lone[] = {
        std::wstring(L"a") + static_cast<wchar_t>(0xD83D),
        std::wstring(1, static_cast<wchar_t>(0xDE00)) + L"b",
        std::wstring(1, static_cast<wchar_t>(0xD83D)) + L"c",
    };
    EXPECT_EQ(plandor::toUtf8(lone[0]), "a\xEF\xBF\xBD");
    EXPECT_EQ(plandor::toUtf8(lone[1]), "\xEF\xBF\xBD" "b");
    EXPECT_EQ(plandor::toUtf8(lone[2]), "\xEF\xBF\xBD" "c");
}

TEST(Utf8, PathsKeepNonAsciiNames) {
    const std::wstring name = L"Szene-" + wide(0xF6) + wide(0x1F600) + L".scr";
    EXPECT_EQ(plandor::pathText(plandor::widePath(name)), name);
}

}  // namespace
