// The driver's view of a drawing's entities and views: finding objects by handle, adding,
// erasing and moving them as a command of the host would.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/pldb.h"
#include "host/plexport.h"

namespace plsim {

/// The entities of model space and paper space, erased ones included, in the order they were added.
PLHOST_API std::vector<PlDbObjectId> entityIds(PlDbDatabase* db);
/// The object of `db` with that handle; null when there is none.
PLHOST_API PlDbObjectId objectWithHandle(const PlDbDatabase* db, std::uint64_t handle);

/// Appends `entity`, which is in no database yet, to the model space of `db`
/// and closes it: 0 and its id, or what went wrong (the entity is then deleted).
PLHOST_API Plad::ErrorStatus addEntity(PlDbDatabase* db, PlDbEntity* entity, PlDbObjectId& id);

/// A named view of a drawing.
struct ViewInfo {
    std::wstring name;
    std::uint64_t handle = 0;
};
/// The views of `db` that are not erased, in the order they were made.
PLHOST_API std::vector<ViewInfo> viewsOf(PlDbDatabase* db);
/// Adds a view named `name`: 0 and its id; 23 when a view has the name, 3 for a name that is empty or
/// holds a control character.
PLHOST_API Plad::ErrorStatus addView(PlDbDatabase* db, const std::wstring& name, PlDbObjectId& id);
/// The view of that name that is not erased; null when there is none.
PLHOST_API PlDbObjectId viewNamed(PlDbDatabase* db, const std::wstring& name);

/// Erases (true) or un-erases the object: opened for write, erased, closed.
PLHOST_API Plad::ErrorStatus setErased(PlDbObjectId id, bool erased);
/// Moves an entity by `offset`: opened for write, moved, closed, so the
/// database's reactors hear that it was modified.
PLHOST_API Plad::ErrorStatus moveEntity(PlDbObjectId id, const PlGeVector3d& offset);

}  // namespace plsim
