// The parts of a glTF document while the export puts them together.
#pragma once

#include <string>

#include <nlohmann/json.hpp>

#include "gltf/gltf_scene.h"

namespace plandor::gltf {

/// The document's JSON: its members in the order they are added.
using Json = nlohmann::ordered_json;

/// The arrays of the document so far, and the binary data its accessors read.
struct Builder {
    Json nodes = Json::array();
    Json meshes = Json::array();
    Json accessors = Json::array();
    Json lights = Json::array();  ///< KHR_lights_punctual
    std::string vertices;         ///< float triples, little-endian
    std::string indices;          ///< 32-bit unsigned, little-endian
};

/// The buffer views the builder's accessors refer to: vertices first, then indices (only
/// regions have them).
inline constexpr int kVertexView = 0;
inline constexpr int kIndexView = 1;

/// Adds a node for each light of `scene`, and its light (gltf_lights.cpp). Web lights refer
/// to their file by its place among `scene.webs`.
void addLights(Builder& builder, const GltfScene& scene);

/// Adds a node for each entity of `scene`, with its mesh and accessors (gltf_meshes.cpp).
void addEntities(Builder& builder, const GltfScene& scene);

}  // namespace plandor::gltf
