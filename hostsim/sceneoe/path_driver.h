// What tests and the console read and make of a drawing's named paths and motion paths.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "host/pldb.h"
#include "host/plexport.h"

namespace plsim::scene {

struct NamedPathInfo {
    std::wstring name;
    std::uint64_t handle = 0;
    std::uint64_t entity = 0;  ///< the handle of the entity it runs along
};

struct MotionPathInfo {
    std::wstring name;
    std::uint64_t handle = 0;
    /// The names of its named paths and of its view; none when it has none,
    /// or when the path is no longer among the named paths.
    std::optional<std::wstring> cameraPath, targetPath, view;
    /// The handles of its camera and target paths and of its view; 0 for none.
    std::uint64_t cameraHandle = 0, targetHandle = 0, viewHandle = 0;
};

/// The entries of the named-path dictionary of `db`, in the order they were added.
PLSCENEOE_API std::vector<NamedPathInfo> namedPathsOf(PlDbDatabase* db);
/// The entries of the motion-path dictionary of `db`, in the order they were added.
PLSCENEOE_API std::vector<MotionPathInfo> motionPathsOf(PlDbDatabase* db);
/// The named path of that name; null when there is none.
PLSCENEOE_API PlDbObjectId namedPathNamed(PlDbDatabase* db, const std::wstring& name);

/// Adds a curve path on `entity` under `name`, making the dictionary when the
/// drawing has none: 0 and its id; 23 when the name is taken; 3 when `entity`
/// is no entity of `db` or the name is empty.
PLSCENEOE_API Plad::ErrorStatus addNamedPath(PlDbDatabase* db, const std::wstring& name, PlDbObjectId entity,
                                             PlDbObjectId& id);
/// Adds a motion path under `name` with those named paths and view (each may be null).
PLSCENEOE_API Plad::ErrorStatus addMotionPath(PlDbDatabase* db, const std::wstring& name, PlDbObjectId cameraPath,
                                              PlDbObjectId targetPath, PlDbObjectId view, PlDbObjectId& id);

}  // namespace plsim::scene
