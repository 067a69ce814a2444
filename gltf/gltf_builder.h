// The parts of a glTF document while the export puts them together.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "gltf/gltf_scene.h"
#include "gltf/json_text.h"

namespace plandor::gltf {

/// The items of the document's large arrays so far, each array open, and the binary data
/// its accessors read.
struct Builder {
    Builder() {
        for (JsonText* part : {&nodes, &meshes, &accessors, &lights}) part->array();
    }
    JsonText nodes, meshes, accessors;
    JsonText lights;  ///< KHR_lights_punctual
    std::size_t nodeCount = 0, meshCount = 0, accessorCount = 0, lightCount = 0;
    std::string vertices;       ///< float triples, little-endian
    std::string indices;        ///< 32-bit unsigned, little-endian
};

/// Appends `value` as four bytes, little-endian, as glTF's binary data holds numbers.
inline void appendUint32(std::string& bytes, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) bytes += static_cast<char>((value >> shift) & 0xFFu);
}

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
