// Conversion between UTF-8 (terminal, files, arguments) and the host's wide text: the stand-in
// platform layer's one decoder and encoder, for the console's text views.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "hostsim/internal.h"

namespace plandor {

inline std::string toUtf8(std::wstring_view text) { return plsim::detail::toUtf8(std::wstring(text)); }
inline std::wstring fromUtf8(std::string_view text) { return plsim::detail::fromUtf8(std::string(text)); }
inline bool isValidUtf8(std::string_view text) { return plsim::detail::isValidUtf8(std::string(text)); }

/// A path from wide text, and back: native on Windows, UTF-8 bytes elsewhere.
inline std::filesystem::path widePath(const std::wstring& text) { return plsim::detail::filePath(text); }
inline std::wstring pathText(const std::filesystem::path& path) { return plsim::detail::pathText(path); }

}  // namespace plandor
