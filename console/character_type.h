// The C library's character type for the whole session, so that letter case folds alike
// whatever the input (a script, a pipe or a terminal).
#pragma once

namespace plandor {

/// Sets the C library's character type (LC_CTYPE) to the user's, or to C.UTF-8 where the
/// user's does not read UTF-8 (Linux); the user's on Windows. The module's comparisons that
/// ignore letter case as the C library does (reserved names) then fold letters beyond ASCII,
/// and line editing reads multi-byte text. The console's own conversions do not depend on it.
void useSessionCharacterType();

}  // namespace plandor
