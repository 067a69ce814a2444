// Control characters in what is typed or shown: the console takes none in a line and shows none raw.
#include "console/control_characters.h"

#include <cstdio>

namespace plandor {

namespace {

constexpr const wchar_t* kC0Names[] = {L"NUL", L"SOH", L"STX", L"ETX", L"EOT", L"ENQ", L"ACK", L"BEL",
                                       L"BS",  L"TAB", L"LF",  L"VT",  L"FF",  L"CR",  L"SO",  L"SI",
                                       L"DLE", L"DC1", L"DC2", L"DC3", L"DC4", L"NAK", L"SYN", L"ETB",
                                       L"CAN", L"EM",  L"SUB", L"ESC", L"FS",  L"GS",  L"RS",  L"US"};

std::wstring codePoint(wchar_t c) {
    wchar_t text[16];
    std::swprintf(text, sizeof text / sizeof text[0], L"U+%04lX", static_cast<unsigned long>(c));
    return text;
}

constexpr const wchar_t* kBidiNames[] = {L"LRE", L"RLE", L"PDF", L"LRO", L"RLO"};
constexpr const wchar_t* kIsolateNames[] = {L"LRI", L"RLI", L"FSI", L"PDI"};

/// The short name of a control character or a bidirectional control: "ESC", "DEL",
/// "RLO"; empty for the C1 controls.
std::wstring shortName(wchar_t c) {
    const auto code = static_cast<unsigned long>(c);
    if (code < 0x20) return kC0Names[code];
    if (code == 0x7F) return L"DEL";
    if (code >= 0x202A && code <= 0x202E) return kBidiNames[code - 0x202A];
    if (code >= 0x2066 && code <= 0x2069) return kIsolateNames[code - 0x2066];
    return {};
}

}  // namespace

std::wstring firstControlCharacter(std::wstring_view line) {
    for (const wchar_t c : line) {
        if (isControlCharacter(c)) {
            const std::wstring name = shortName(c);
            return codePoint(c) + (name.empty() ? L"" : L" (" + name + L")");
        }
    }
    return {};
}

std::wstring withVisibleControls(std::wstring_view text, bool keepLineEndsAndTabs) {
    std::wstring out;
    out.reserve(text.size());
    for (const wchar_t c : text) {
        const bool kept = keepLineEndsAndTabs && (c == L'\n' || c == L'\t');
        if ((!isControlCharacter(c) && !isBidiControl(c)) || kept) {
            out += c;
            continue;
        }
        const std::wstring name = shortName(c);
        out += L"<" + (name.empty() ? codePoint(c) : name) + L">";
    }
    return out;
}

}  // namespace plandor
