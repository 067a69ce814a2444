// The driver's view of a drawing's entities and views: finding objects by handle, adding,
// erasing and moving them as a command of the host would, and reading and making them as
// plain values, as a drawing's file holds them.
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

// ---- Handles ---------------------------------------------------------------

/// The handle the next object to join `db` takes; above every handle `db` gave out, so that
/// no handle is given out twice in a drawing. 0 without a database.
PLHOST_API std::uint64_t nextHandle(const PlDbDatabase* db);
/// Raises the next handle of `db` to `handle`, as a drawing read from its file continues
/// where it left off: 3 when that would lower it.
PLHOST_API Plad::ErrorStatus setNextHandle(PlDbDatabase* db, std::uint64_t handle);
/// The next object to join `db` takes `handle` (later ones go on from the next handle), as an
/// object read from a drawing's file keeps its handle: 23 when `db` gave it out already. A
/// handle given stays given until an object takes it; 0 withdraws it.
PLHOST_API Plad::ErrorStatus giveNextHandle(PlDbDatabase* db, std::uint64_t handle);

// ---- Entities as values ----------------------------------------------------

/// An entity with geometry (not a light) as plain values: its kind and its exact geometry.
struct EntityInfo {
    enum class Kind { Line, Arc, Circle, Ellipse, Polyline, Polyline3d, Spline, Polyline2d, Text, Region };
    std::uint64_t handle = 0;
    Kind kind = Kind::Line;
    bool erased = false;
    /// A line's start and end; the points of the polylines and of the spline (its fit
    /// points); a region's boundary.
    std::vector<PlGePoint3d> points;
    PlGePoint3d center;      ///< of an arc, a circle or an ellipse; a text's position
    PlGeVector3d majorAxis;  ///< an ellipse's, from its center
    double radius = 0.0;     ///< an arc's or a circle's
    double startAngle = 0.0, endAngle = 0.0;  ///< an arc's, radians in [0, 2 pi)
    double radiusRatio = 0.0;  ///< an ellipse's minor to major radius
    std::wstring text;       ///< a text's string
    double height = 0.0;     ///< a text's height
};
/// The entities of `db` with geometry, erased ones included, in the order they were made;
/// lights and other objects are left out.
PLHOST_API std::vector<EntityInfo> entitiesOf(PlDbDatabase* db);
/// Appends the entity `entity` describes to the model space of `db`, with its handle when
/// that is not 0: 0 and its id; 3 for geometry no such entity can have; 23 for a handle
/// `db` gave out already. The erased flag is not used.
PLHOST_API Plad::ErrorStatus addEntity(PlDbDatabase* db, const EntityInfo& entity, PlDbObjectId& id);

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
