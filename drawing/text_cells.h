// How many cells of a terminal a character takes: two for wide East Asian characters, none
// for combining marks and other characters that show nothing of their own, one for the rest.
#pragma once

#include <cstddef>
#include <string_view>

namespace plandor {

/// Calls `f` with each code point of `text`: a surrogate pair (16-bit wchar_t) is one, a
/// lone surrogate stands for itself.
template <typename F>
void forEachCodePoint(std::wstring_view text, F f) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto unit = static_cast<char32_t>(text[i]);
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size()) {
            const auto low = static_cast<char32_t>(text[i + 1]);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                f(0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
                ++i;
                continue;
            }
        }
        f(unit);
    }
}

/// The cells `c` takes: 2 for a wide or full-width East Asian character (and an emoji
/// shown as one), 0 for a combining mark, a format character or a joining Hangul vowel,
/// 1 for every other character. Control characters count as one: the console shows them
/// by name (see withVisibleControls) before it measures.
int characterCells(char32_t c);

/// The cells `text` takes: the sum over its code points.
std::size_t textCells(std::wstring_view text);

}  // namespace plandor
