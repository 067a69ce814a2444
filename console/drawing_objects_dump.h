// The drawing's entities, views, named paths and motion paths as the dump records them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "hostsim/drawing_driver.h"
#include "hostsim/sceneoe/path_driver.h"

namespace plandor {

struct DrawingObjects {
    struct Entity {
        std::uint64_t handle = 0;
        std::wstring kind;  ///< as entityKind names it
        bool erased = false;
    };
    std::vector<Entity> entities;  ///< erased ones included; lights are dumped as lights
    std::vector<plsim::ViewInfo> views;
    std::vector<plsim::scene::NamedPathInfo> namedPaths;
    std::vector<plsim::scene::MotionPathInfo> motionPaths;
};

/// What `db` holds now, each list in the order the objects were made.
DrawingObjects drawingObjectsOf(PlDbDatabase* db);

/// The members "entities", "views", "namedPaths" and "motionPaths" of the
/// dump, each indented by two blanks and followed by a comma and a line end.
/// Handles are hexadecimal texts; a motion path's parts are names, null
/// where it has none.
std::string drawingObjectsJson(const DrawingObjects& objects);

}  // namespace plandor
