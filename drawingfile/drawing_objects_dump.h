// The drawing's layers, entities, views, named paths and motion paths as its file records them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "drawingfile/json_writer.h"
#include "hostsim/drawing_driver.h"
#include "hostsim/sceneoe/path_driver.h"

namespace plandor {

struct DrawingObjects {
    struct Layer {
        std::wstring name;
        std::uint64_t handle = 0;
    };
    std::vector<Layer> layers;
    std::vector<plsim::EntityInfo> entities;  ///< none erased; lights are recorded as lights
    std::vector<plsim::ViewInfo> views;
    std::vector<plsim::scene::NamedPathInfo> namedPaths;
    /// A motion path's camera and target paths and its view are named only when the file
    /// holds them.
    std::vector<plsim::scene::MotionPathInfo> motionPaths;
    /// The handles of the drawing's dictionaries of named paths and of motion paths; 0 while
    /// it has none.
    std::uint64_t namedPathDictionary = 0, motionPathDictionary = 0;
};

/// What `db` holds now that its file keeps, each list in the order the objects were made:
/// erased objects are left out, and so are the named paths along them; a motion path's part
/// that names what is left out is none.
DrawingObjects drawingObjectsOf(PlDbDatabase* db);

/// Writes the members "entities", "views", "namedPaths" and "motionPaths". Handles are
/// hexadecimal texts; a motion path's parts are names, null where it has none.
void writeDrawingObjects(JsonWriter& out, const DrawingObjects& objects);
/// Writes the member "layers".
void writeLayers(JsonWriter& out, const DrawingObjects& objects);

/// A handle as the file writes it: hexadecimal in capitals ("1A").
std::string handleHex(std::uint64_t handle);

}  // namespace plandor
