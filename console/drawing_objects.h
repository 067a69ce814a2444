// What the console's drawing commands share: the current drawing and finding an object by name or handle.
#pragma once

#include <string>
#include <vector>

#include "host/pldb.h"

namespace plandor {

/// The database of the current drawing; null when none is open.
PlDbDatabase* currentDatabase();

/// An object for a message: "Line 1A", "light \"Stage spot\"", "view \"Front\"".
std::wstring describeObject(PlDbObjectId id);

/// The object a word names: a light or a view of that name (ignoring letter
/// case), else the entity or view with that hexadecimal handle. Null, with a
/// message for the user in `error`, when it names none.
PlDbObjectId findObject(PlDbDatabase* db, const std::wstring& word, std::wstring& error);

/// The objects the words name, in order; empty with `error` filled when a word names none.
std::vector<PlDbObjectId> findObjects(PlDbDatabase* db, const std::vector<std::wstring>& words, std::wstring& error);

/// "a, b and c".
std::wstring joinedList(const std::vector<std::wstring>& items);

}  // namespace plandor
