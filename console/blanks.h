// Blanks at the ends of a line: what the console's readers drop from what was typed.
#pragma once

#include <string>

namespace plandor {

/// True for the blanks the console drops: space, tab, and a carriage return
/// (left over from Windows line ends).
template <class Char>
constexpr bool isBlank(Char c) {
    return c == Char(' ') || c == Char('\t') || c == Char('\r');
}

/// `text` without blanks at either end.
template <class Char>
std::basic_string<Char> trimBlanks(const std::basic_string<Char>& text) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && isBlank(text[first])) {
        ++first;
    }
    while (last > first && isBlank(text[last - 1])) {
        --last;
    }
    return text.substr(first, last - first);
}

}  // namespace plandor
