// The console's WEBINFO command: a summary of a photometric web file.
#pragma once

#include <string>
#include <vector>

namespace plandor {

/// Runs WEBINFO on the file named by `arguments` (found as a web light's file is found:
/// the current folder, then the --webpath folders, ".ies" appended if need be); answers the
/// lines to show: the summary, or why there is none.
std::vector<std::wstring> runWebInfoCommand(const std::wstring& arguments);

/// The syntax of WEBINFO, for HELP.
inline constexpr wchar_t kWebInfoSyntax[] = L"WEBINFO FILE";

}  // namespace plandor
