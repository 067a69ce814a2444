// Reading the arguments of the console's own commands: words, quoted texts, numbers,
// points and handles.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "drawing/entity_kind.h"  // handleText
#include "host/plge.h"

namespace plandor {

/// The words of `text`, split at blanks; a word in double quotes may hold
/// blanks ("Stage spot") and loses its quotes. False when a quote is not closed.
bool splitArguments(const std::wstring& text, std::vector<std::wstring>& words);

/// One finite number, the whole of `text` ("+1.5", "-2", "3e2").
bool readNumber(const std::wstring& text, double& value);

/// `count` numbers separated by commas, the whole of `text`, into `out`.
bool readNumbers(const std::wstring& text, std::size_t count, double* out);

/// A point "x,y,z", or "x,y" at Z 0.
bool readPoint(const std::wstring& text, PlGePoint3d& point);

/// A whole number from 0 to the largest unsigned, in decimal.
bool readUnsigned(const std::wstring& text, unsigned& value);

/// A handle in hexadecimal ("1A"), not 0.
bool readHandle(const std::wstring& text, std::uint64_t& handle);

/// True when `text` is `upper` in any letter case (ASCII letters only).
bool sameWord(const std::wstring& text, const wchar_t* upper);

}  // namespace plandor
