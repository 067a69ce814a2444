// Conversion between UTF-8 (terminal, files, arguments) and the host's wide text.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace plandor {

/// Encodes wide text as UTF-8. With a 16-bit wchar_t, surrogate pairs are
/// joined; a lone surrogate (or any value that is no code point) becomes
/// U+FFFD.
std::string toUtf8(std::wstring_view text);

/// Decodes UTF-8 into wide text. Each byte that does not start a valid, shortest
/// sequence of a code point becomes one U+FFFD. With a 16-bit wchar_t, code
/// points above U+FFFF become surrogate pairs.
std::wstring fromUtf8(std::string_view text);

/// True when `text` is valid UTF-8 throughout.
bool isValidUtf8(std::string_view text);

/// A path from wide text, and back: native on Windows, UTF-8 bytes elsewhere.
std::filesystem::path widePath(const std::wstring& text);
std::wstring pathText(const std::filesystem::path& path);

}  // namespace plandor
