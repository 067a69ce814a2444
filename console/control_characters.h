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

/// The first control character in `line`, named ("U+001B (ESC)"); empty
/// when it holds none.
std::wstring firstControlCharacter(std::wstring_view line);

/// `text` with every control character other than the line end and the tab
/// written as its name between angle brackets ("<ESC>", "<U+0085>"), so that
/// nothing shown can steer the terminal.
std::wstring withVisibleControls(std::wstring_view text);

}  // namespace plandor
