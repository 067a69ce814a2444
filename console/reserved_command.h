// The console's RESERVED command: asks the loaded module about reserved scene names.
#pragma once

#include <string>

namespace plandor {

/// Runs RESERVED with `arguments` (the line after the word RESERVED) through
/// the queries the loaded module exports; answers the one line to show: the
/// answer, or what was wrong with the arguments.
///   TYPE [LOCAL]                 the global (or local) form of TYPE, or (none)
///   IS TEXT [TYPE]               true or false: TEXT is a reserved name (of TYPE)
///   VIEW TEXT                    true or false: TEXT is a reserved view name
///   TRANSLATE TEXT LOCAL|GLOBAL  the local (or global) form of TEXT, or (none)
/// TEXT with blanks is given in double quotes; it cannot hold a double quote.
std::wstring runReservedCommand(const std::wstring& arguments);

/// The syntax of RESERVED, for HELP and messages.
inline constexpr wchar_t kReservedSyntax[] =
    L"RESERVED TYPE [LOCAL] | IS \"TEXT\" [TYPE] | VIEW \"TEXT\" | TRANSLATE \"TEXT\" LOCAL|GLOBAL";

}  // namespace plandor
