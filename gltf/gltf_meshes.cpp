// The drawing's entities as glTF nodes: curves as line strips, regions as flat triangles,
// texts as empty nodes that carry their text.
#include "gltf/gltf_builder.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cwctype>

#include "drawing/entity_kind.h"
#include "drawing/utf8.h"
#include "gltf/gltf_geometry.h"

namespace plandor::gltf {

namespace {

// glTF's codes for what an accessor holds and how a primitive joins its vertices.
constexpr int kFloat = 5126;
constexpr int kUnsignedInt = 5125;
constexpr int kLineLoop = 2;
constexpr int kLineStrip = 3;
constexpr int kTriangles = 4;

/// "Line 8": the entity's kind, capitalised, and its handle.
std::string nodeName(const EntityOutline& entity) {
    std::wstring name = entity.kind;
    if (!name.empty()) name[0] = static_cast<wchar_t>(std::towupper(static_cast<std::wint_t>(name[0])));
    return toUtf8(name + L" " + handleText(entity.handle));
}

/// Adds the accessor of `points` (in glTF's axes, metres) relative to their lowest corner,
/// which it answers: the node stands there, so the single-precision vertices stay small.
std::array<double, 3> addPositions(Builder& builder, const std::vector<std::array<double, 3>>& points) {
    std::array<double, 3> low = points.front();
    for (const auto& p : points)
        for (int i = 0; i < 3; ++i) low[i] = std::min(low[i], p[i]);
    std::array<float, 3> high = {0.0f, 0.0f, 0.0f};
    const std::size_t offset = builder.vertices.size();
    for (const auto& p : points) {
        for (int i = 0; i < 3; ++i) {
            const float v = static_cast<float>(p[i] - low[i]);
            high[i] = std::max(high[i], v);
            appendUint32(builder.vertices, std::bit_cast<std::uint32_t>(v));
        }
    }
    const std::array<double, 3> zero = {0.0, 0.0, 0.0};
    const std::array<double, 3> highest = {static_cast<double>(high[0]), static_cast<double>(high[1]),
                                           static_cast<double>(high[2])};
    builder.accessors.object().key("bufferView").integer(kVertexView).key("byteOffset").integer(offset);
    builder.accessors.key("componentType").integer(kFloat).key("count").integer(points.size()).key("type").string("VEC3");
    builder.accessors.key("min").numbers(zero).key("max").numbers(highest).end();
    ++builder.accessorCount;
    return low;
}

/// Adds the accessor of `indices`; answers its place.
std::size_t addIndices(Builder& builder, const std::vector<std::uint32_t>& indices) {
    const std::size_t offset = builder.indices.size();
    for (const std::uint32_t index : indices) appendUint32(builder.indices, index);
    builder.accessors.object().key("bufferView").integer(kIndexView).key("byteOffset").integer(offset);
    builder.accessors.key("componentType").integer(kUnsignedInt).key("count").integer(indices.size());
    builder.accessors.key("type").string("SCALAR").end();
    return builder.accessorCount++;
}

}  // namespace

void addEntities(Builder& builder, const GltfScene& scene) {
    std::vector<std::array<double, 3>> points;
    for (const EntityOutline& entity : scene.entities) {
        if (entity.points.empty()) continue;
        points.clear();
        for (const PlGePoint3d& p : entity.points) points.push_back(scene.gltfPoint(p));
        const std::string name = nodeName(entity);
        if (entity.kind == L"text") {
            builder.nodes.object().key("name").string(name).key("translation").numbers(points.front());
            builder.nodes.key("extras").object().key("text").string(toUtf8(entity.text));
            builder.nodes.key("height").number(scene.metres(entity.height)).end().end();
            ++builder.nodeCount;
            continue;
        }
        std::vector<std::uint32_t> triangles;
        if (entity.kind == L"region") {
            std::vector<PlGePoint3d> corners = entity.points;
            if (corners.size() > 1 && corners.front() == corners.back()) corners.pop_back();
            triangles = triangulate(corners);
            if (triangles.empty()) continue;  // an area without extent
        } else if (points.size() < 2) {
            continue;
        }
        const std::size_t positions = builder.accessorCount;
        const std::array<double, 3> at = addPositions(builder, points);
        builder.meshes.object().key("name").string(name).key("primitives").array().object();
        builder.meshes.key("attributes").object().key("POSITION").integer(positions).end();
        if (!triangles.empty()) {
            builder.meshes.key("indices").integer(addIndices(builder, triangles)).key("mode").integer(kTriangles);
        } else {
            // A closed outline whose last point repeats its first is a strip already.
            const bool loop = entity.closed && !(entity.points.front() == entity.points.back());
            builder.meshes.key("mode").integer(loop ? kLineLoop : kLineStrip);
        }
        builder.meshes.key("material").integer(0).end().end().end();
        builder.nodes.object().key("name").string(name).key("translation").numbers(at);
        builder.nodes.key("mesh").integer(builder.meshCount++).end();
        ++builder.nodeCount;
    }
}

}  // namespace plandor::gltf
