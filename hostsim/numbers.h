// Reading numbers typed at the command line, the same way whatever the C locale.
#pragma once

#include <string>
#include <string_view>

namespace plsim::detail {

/// Reads a whole text as a real number: an optional sign, digits with an
/// optional decimal point (".5" and "5." are numbers), an optional exponent
/// ("e" or "E", optional sign, digits). No spaces, no trailing characters, no
/// infinities or NaNs, nothing that overflows a double. False otherwise, and
/// `value` is left alone.
bool parseReal(std::wstring_view text, double& value);

/// Reads a whole text as an integer: an optional sign and digits, nothing
/// else. Values beyond ±10^18 count as unreadable. False otherwise, and
/// `value` is left alone.
bool parseInteger(const std::wstring& text, long long& value);

/// A real as the shortest text that reads back to the same value ("0.5",
/// "2", "1e+300").
std::wstring realText(double value);

/// `text` without the spaces and tabs at either end.
std::wstring trimBlanks(const std::wstring& text);
/// The part of `text` without the spaces and tabs at either end.
std::wstring_view trimmedBlanks(std::wstring_view text);

}  // namespace plsim::detail
