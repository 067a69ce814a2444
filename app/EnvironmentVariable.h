// Reading an environment variable as wide text, the same way on every system.
#pragma once

#include <cstddef>

/// Copies the value of `name` into `buffer` (capacity wide characters) and
/// answers its length when it fits with its terminator. When it does not fit,
/// nothing is copied and the answer is the capacity it needs (length + 1).
/// 0 when the variable is not set or is empty.
std::size_t readEnvironmentVariable(const wchar_t* name, wchar_t* buffer, std::size_t capacity);

/// Whether the Marrow material library is enabled for a "DISABLEMARROW" read
/// that answered `length` with `value` (see readEnvironmentVariable): disabled
/// only by a value of 1 to 7 characters that starts with "Y" or "y".
bool marrowEnabledFor(std::size_t length, const wchar_t* value);
