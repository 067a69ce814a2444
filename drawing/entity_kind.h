// The kinds of the drawing's objects as plandor names them: in its commands, its files and its pictures.
#pragma once

#include <cstdint>
#include <string>

#include "host/pldb.h"
#include "hostsim/drawing_driver.h"

namespace plandor {

/// The kind of an entity as the console's command names it, in lower case
/// ("line", "pline", "3dpoly", "text", "light"); empty for any other object.
std::wstring entityKind(const PlDbObject* object);

/// The same kind for a message, capitalised ("Line", "3dpoly"); empty for any other object.
std::wstring entityTitle(const PlDbObject* object);

/// A handle as plandor shows it: hexadecimal in capitals ("1A").
std::wstring handleText(std::uint64_t handle);

/// The kind of an entity read as plain values, named as entityKind names it ("line").
std::wstring entityKindName(plsim::EntityInfo::Kind kind);
/// The kind entityKind names `name`; false when `name` names no entity with geometry.
bool entityKindNamed(const std::wstring& name, plsim::EntityInfo::Kind& kind);

}  // namespace plandor
