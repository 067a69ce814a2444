// The geometry of the export: the drawing's axes turned into glTF's, a light's frame as a node
// rotation, and flat areas cut into triangles.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "host/plge.h"
#include "hostsim/sceneoe/light_frame.h"

namespace plandor::gltf {

/// A drawing vector (Z up) in glTF's axes (Y up): (x, y, z) becomes (x, z, -y), a turn of
/// -90 degrees about X (and no negative zero).
inline std::array<double, 3> gltfAxes(double x, double y, double z) { return {x, z, 0.0 - y}; }
inline std::array<double, 3> gltfAxes(const PlGeVector3d& v) { return gltfAxes(v.x, v.y, v.z); }
inline std::array<double, 3> gltfAxes(const PlGePoint3d& p) { return gltfAxes(p.x, p.y, p.z); }

/// A unit quaternion as glTF writes it: x, y, z, then w (w not negative).
using Quaternion = std::array<double, 4>;

/// The rotation of a light's node: the turn from glTF's axes to the light's frame, so that
/// the node's local -Z is the light's direction and its local X and Y are the frame's, all
/// in glTF's axes.
Quaternion nodeRotation(const plsim::scene::LightFrame& frame);

/// The triangles of the flat area inside `polygon` (its corners in order, in one plane, the
/// last not repeating the first), three corner indices each, by ear clipping. Corners on a
/// line with their neighbours make no triangle of their own.
std::vector<std::uint32_t> triangulate(const std::vector<PlGePoint3d>& polygon);

}  // namespace plandor::gltf
