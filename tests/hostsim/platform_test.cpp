// Guards against letter case folding that differs between systems or folds the wrong
// characters, UTF-8 that is lost or corrupted in either direction, and unsafe file lookups.
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "hostsim/internal.h"
#include "support/temp_folder.h"

namespace {

using plsim::detail::fromUtf8;
using plsim::detail::iequals;
using plsim::detail::toLower;
using plsim::detail::toUtf8;

TEST(Platform, CaseFoldingCoversLatinLettersAndNothingElse) {
    struct Row {
        const wchar_t* a;
        const wchar_t* b;
        bool equal;
    };
    const Row rows[] = {
        {L"SpotLight", L"SPOTLIGHT", true},
        {L"\u0178", L"\u00ff", true},                            // Y with diaeresis
        {L"\u0141\u00f3d\u017a", L"\u0142\u00d3D\u0179", true},  // mixed in both directions
        {L"\u0130", L"i", true},                                 // capital I with dot above
        {L"\u00d7", L"\u00f7", false},                           // multiplication and division signs
        {L"\u017f", L"s", false},                                // long s is no capital
        {L"\u0391", L"\u03b1", false},                           // Greek is not folded
        {L"@[`{", L"`{@[", false},                               // the neighbours of the ASCII letters
    };
    for (const Row& row : rows) {
        EXPECT_EQ(row.equal, iequals(row.a, row.b)) << toUtf8(row.a) << " / " << toUtf8(row.b);
        EXPECT_EQ(row.equal, iequals(row.b, row.a)) << toUtf8(row.a) << " / " << toUtf8(row.b);
    }
}

TEST(Platform, LowerCaseIsStableAndLeavesLowerCaseLettersAlone) {
    EXPECT_EQ(L"point \u00e0\u00e9\u00d7\u00fe\u0101\u0138\u0149\u017f",
              toLower(L"POINT \u00c0\u00c9\u00d7\u00de\u0100\u0138\u0149\u017f"));
    // Lowering twice changes nothing, and lowering never leaves the letter's block.
    for (unsigned c = 0; c < 0x250; ++c) {
        const std::wstring once = toLower(std::wstring(1, static_cast<wchar_t>(c)));
        EXPECT_EQ(once, toLower(once)) << "U+" << std::hex << c;
        const unsigned lowered = static_cast<unsigned>(once[0]);
        EXPECT_TRUE(lowered == c || lowered == c + 1 || lowered == c + 0x20 || (c == 0x130 && lowered == 'i') ||
                    (c == 0x178 && lowered == 0xFF))
            << "U+" << std::hex << c;
        if (c >= 0x180) {
            EXPECT_EQ(c, lowered) << "U+" << std::hex << c;
        }
    }
}

TEST(Platform, Utf8RoundTripsAndBrokenBytesBecomeReplacementCharacters) {
    const std::wstring r(1, static_cast<wchar_t>(0xFFFD));
    const struct {
        std::string utf8;
        std::wstring wide;
        bool valid;
    } rows[] = {
        {"", L"", true},
        {"Gr\xc3\xbc\xc3\x9f!", L"Gr\u00fc\u00df!", true},
        {"\xf0\x9f\x92\xa1!", L"\U0001F4A1!", true},
        {"\xf4\x8f\xbf\xbf", L"\U0010FFFF", true},
        {"\xef\xbf\xbd", r, true},  // a replacement character that was typed
        {"a\xff!", L"a" + r + L"!", false},
        {"\xc0\xaf", r + r, false},                  // overlong slash
        {"\xed\xa0\x80", r + r + r, false},          // an encoded surrogate
        {"\xf4\x90\x80\x80", r + r + r + r, false},  // beyond U+10FFFF
        {"\xe2\x82", r, false},                      // cut short by the end
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::PrintToString(row.utf8));
        EXPECT_EQ(row.wide, fromUtf8(row.utf8));
        EXPECT_EQ(row.valid, plsim::detail::isValidUtf8(row.utf8));
        if (!row.valid) continue;
        EXPECT_EQ(row.utf8, toUtf8(row.wide));
        EXPECT_EQ(row.wide, plsim::detail::pathText(plsim::detail::filePath(row.wide)));
    }
    // 16-bit text holds a character beyond the basic plane as a surrogate pair; a lone one is replaced.
    EXPECT_EQ(sizeof(wchar_t) == 2 ? 2u : 1u, fromUtf8("\xf0\x9f\x92\xa1").size());
    EXPECT_EQ("\xef\xbf\xbdx", toUtf8(std::wstring(1, static_cast<wchar_t>(0xD800)) + L"x"));
}

TEST(Platform, FilesAreFoundInTheirFolderIgnoringCaseOnly) {
    const TempFolder folder;
    folder.write("Sub/inner.dbx", "x");
    const std::wstring name = L"Gr\u00fc\u00dfe.Dbx";
    std::ofstream(folder.path() / plsim::detail::filePath(name)) << "x";
    const std::wstring dir = plsim::detail::pathText(folder.path());
    const std::wstring found = plsim::detail::findFileInFolder(dir, L"GR\u00dc\u00dfE.dbx");
    ASSERT_FALSE(found.empty());
    EXPECT_EQ(name, found.substr(found.size() - name.size()));
    const std::wstring around = L"../" + folder.path().filename().wstring() + L"/" + name;
    for (const std::wstring& bad : std::vector<std::wstring>{L"", L".", L"..", L"Sub", L"Sub/inner.dbx",
                                                             L"Sub\\inner.dbx", L"missing.dbx", around})
        EXPECT_EQ(L"", plsim::detail::findFileInFolder(dir, bad)) << toUtf8(bad);
}

}  // namespace
