// Control characters in what is typed or shown: the console takes none in a line and shows none raw.
#pragma once

#include <string>
#include <string_view>

namespace plandor {

/// C0 controls (U+0000 to U+001F), DEL and the C1 controls (U+0080 to U+009F).
constexpr bool isControlCharacter(wchar_t c) {
    const auto code = static_cast<unsigned long>(c);
    return code < 0x20 || (code >= 0x7F && code <= 0x9F);
}

/// The bidirectional embeddings, overrides and isolates (U+202A to U+202E, U+2066 to
/// U+2069): shown by name too, since they would turn the text around them.
constexpr bool isBidiControl(wchar_t c) {
    const auto code = static_cast<unsigned long>(c);
    return (code >= 0x202A && code <= 0x202E) || (code >= 0x2066 && code <= 0x2069);
}

/// The first control character in `line`, named ("U+001B (ESC)"); empty
/// when it holds none.
std::wstring firstControlCharacter(std::wstring_view line);

/// `text` with every control character and bidirectional control written as its
/// name between angle brackets ("<ESC>", "<U+0085>", "<RLO>"), so that nothing
/// shown can steer the terminal or turn the text around; line ends and tabs are
/// kept as they are unless `keepLineEndsAndTabs` is false (a table's cell).
std::wstring withVisibleControls(std::wstring_view text, bool keepLineEndsAndTabs = true);

}  // namespace plandor
