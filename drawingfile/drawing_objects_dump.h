// The drawing's entities, views, named paths and motion paths as the dump records them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "hostsim/drawing_driver.h"
#include "hostsim/sceneoe/path_driver.h"

namespace plandor {

/// The dump's JSON: its members in the order they are added.
using Json = nlohmann::ordered_json;

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

/// Adds the members "entities", "views", "namedPaths" and "motionPaths" to
/// the dump. Handles are hexadecimal texts; a motion path's parts are names,
/// null where it has none.
void addDrawingObjects(Json& dump, const DrawingObjects& objects);

}  // namespace plandor
