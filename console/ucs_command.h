// The console's UCS command: sets, resets or shows the user coordinate system.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace plandor {

/// What a UCS command line asks for.
struct UcsRequest {
    enum class Action { Show, World, Set };
    Action action = Action::Show;
    /// For Set: the origin, then the X axis direction, then the Y axis
    /// direction, all in world coordinates.
    std::array<double, 9> values{};
};

/// Reads the arguments of UCS: nothing (show), WORLD in any letter case, or
/// three triples "x0,y0,z0 xx,xy,xz yx,yy,yz". Empty, with a message for
/// the user in `error`, when they are none of these.
std::optional<UcsRequest> parseUcsArguments(const std::wstring& arguments, std::wstring& error);

/// Runs UCS with `arguments` through the host; answers the lines to show:
/// the user coordinate system in force afterwards, or what was wrong (the
/// system is then left as it was).
std::vector<std::wstring> runUcsCommand(const std::wstring& arguments);

/// The syntax of UCS, for HELP and messages.
inline constexpr wchar_t kUcsSyntax[] = L"UCS [WORLD | x0,y0,z0 xx,xy,xz yx,yy,yz]";

}  // namespace plandor
