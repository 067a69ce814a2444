// The geometry of the export: axes, node rotations and triangles.
#include "gltf/gltf_geometry.h"

#include <algorithm>
#include <cmath>
#include <list>

namespace plandor::gltf {

Quaternion nodeRotation(const plsim::scene::LightFrame& frame) {
    // The rotation matrix, its columns the frame's axes in glTF's axes.
    const std::array<double, 3> c[3] = {gltfAxes(frame.x), gltfAxes(frame.y), gltfAxes(frame.z)};
    const auto m = [&c](int row, int column) { return c[column][row]; };
    const double trace = m(0, 0) + m(1, 1) + m(2, 2);
    Quaternion q;  // x, y, z, w from the largest of the four, for precision
    if (trace > 0.0) {
        const double s = 2.0 * std::sqrt(1.0 + trace);
        q = {(m(2, 1) - m(1, 2)) / s, (m(0, 2) - m(2, 0)) / s, (m(1, 0) - m(0, 1)) / s, s / 4.0};
    } else if (m(0, 0) >= m(1, 1) && m(0, 0) >= m(2, 2)) {
        const double s = 2.0 * std::sqrt(1.0 + m(0, 0) - m(1, 1) - m(2, 2));
        q = {s / 4.0, (m(0, 1) + m(1, 0)) / s, (m(0, 2) + m(2, 0)) / s, (m(2, 1) - m(1, 2)) / s};
    } else if (m(1, 1) >= m(2, 2)) {
        const double s = 2.0 * std::sqrt(1.0 + m(1, 1) - m(0, 0) - m(2, 2));
        q = {(m(0, 1) + m(1, 0)) / s, s / 4.0, (m(1, 2) + m(2, 1)) / s, (m(0, 2) - m(2, 0)) / s};
    } else {
        const double s = 2.0 * std::sqrt(1.0 + m(2, 2) - m(0, 0) - m(1, 1));
        q = {(m(0, 2) + m(2, 0)) / s, (m(1, 2) + m(2, 1)) / s, s / 4.0, (m(1, 0) - m(0, 1)) / s};
    }
    const double length = std::sqrt(q[0] * q[0] + q[1] * q[1] + q[2] * q[2] + q[3] * q[3]);
    const double sign = q[3] < 0.0 ? -1.0 : 1.0;
    for (double& part : q) part = part * sign / length + 0.0;  // + 0.0: no negative zero
    return q;
}

std::vector<std::uint32_t> triangulate(const std::vector<PlGePoint3d>& polygon) {
    const std::size_t n = polygon.size();
    std::vector<std::uint32_t> triangles;
    if (n < 3) return triangles;
    // The plane's normal (Newell), and the corners in the two axes it leans least along.
    double normal[3] = {0.0, 0.0, 0.0};
    for (std::size_t i = 0; i < n; ++i) {
        const PlGePoint3d& a = polygon[i];
        const PlGePoint3d& b = polygon[(i + 1) % n];
        normal[0] += (a.y - b.y) * (a.z + b.z);
        normal[1] += (a.z - b.z) * (a.x + b.x);
        normal[2] += (a.x - b.x) * (a.y + b.y);
    }
    const int drop = static_cast<int>(std::max_element(normal, normal + 3, [](double a, double b) {
                                          return std::abs(a) < std::abs(b);
                                      }) - normal);
    const int u = (drop + 1) % 3, v = (drop + 2) % 3;
    const double turn = normal[drop] < 0.0 ? -1.0 : 1.0;  // corners run counter-clockwise in (u, v)
    std::vector<std::array<double, 2>> at(n);
    for (std::size_t i = 0; i < n; ++i) {
        const double p[3] = {polygon[i].x, polygon[i].y, polygon[i].z};
        at[i] = {p[u], p[v] * turn};
    }
    const auto cross = [&at](std::uint32_t a, std::uint32_t b, std::uint32_t c) {
        return (at[b][0] - at[a][0]) * (at[c][1] - at[a][1]) - (at[b][1] - at[a][1]) * (at[c][0] - at[a][0]);
    };
    std::list<std::uint32_t> left;
    for (std::size_t i = 0; i < n; ++i) left.push_back(static_cast<std::uint32_t>(i));
    const auto next = [&left](std::list<std::uint32_t>::iterator it) { return ++it == left.end() ? left.begin() : it; };
    const auto prev = [&left](std::list<std::uint32_t>::iterator it) { return it == left.begin() ? --left.end() : --it; };
    auto it = left.begin();
    for (std::size_t tried = 0; left.size() > 2 && tried < left.size();) {
        const std::uint32_t a = *prev(it), b = *it, c = *next(it);
        const double area = cross(a, b, c);
        bool ear = area > 0.0;
        for (auto other = left.begin(); ear && other != left.end(); ++other) {
            const std::uint32_t p = *other;
            if (p != a && p != b && p != c) ear = !(cross(a, b, p) >= 0.0 && cross(b, c, p) >= 0.0 && cross(c, a, p) >= 0.0);
        }
        if (ear) triangles.insert(triangles.end(), {a, b, c});
        if (ear || area == 0.0) {  // an ear cut off, or a corner on the line of its neighbours dropped
            it = left.erase(it);
            if (it == left.end()) it = left.begin();
            tried = 0;
        } else {
            it = next(it);
            ++tried;
        }
    }
    // What no ear can be cut from (an outline that crosses itself) is covered by a fan.
    for (auto b = std::next(left.begin()); left.size() > 2 && std::next(b) != left.end(); ++b) {
        const std::uint32_t a = left.front(), c = *std::next(b);
        if (cross(a, *b, c) != 0.0) triangles.insert(triangles.end(), {a, *b, c});
    }
    return triangles;
}

}  // namespace plandor::gltf
