// The lights as the inner loop reads them: one array a constant, by kind, every per-light
// quantity worked out beforehand, lengths in metres and intensities in the output's unit.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace plandor::illuminance {

/// Lights that shine alike in every direction. A light at x, y, z gives a surface whose
/// normal makes the angle a with the way to the light, at the distance d,
/// intensity * cos(a) / d^2; limited lights only where start2 <= d^2 <= end2.
struct PointArrays {
    std::vector<double> x, y, z, intensity, start2, end2;

    std::size_t size() const { return x.size(); }
};

/// Spot lights: the intensity times a factor of c, the cosine of the angle between the axis
/// and the way to the point: 1 from cosHotspot on, else (c - cosFalloff) * rampScale
/// within 0 and 1 (rampScale 0 when the cones coincide). The axis is kept negated
/// (naxis), so that c is naxis . (light - point) / d.
struct SpotArrays : PointArrays {
    std::vector<double> nax, nay, naz, cosFalloff, rampScale, cosHotspot;
};

/// Web lights: the intensity times the web table's value toward the point. The rows of
/// `frame` are the light's X, Y and Z axes negated, so that frame . (light - point) is the
/// way to the point in the light's own frame.
struct WebArrays : PointArrays {
    std::array<std::vector<double>, 9> frame;
    std::vector<std::int32_t> table;  ///< the light's web table
};

/// The lights of one calculation, or those of them that reach a part of it.
struct LightSet {
    PointArrays points;
    SpotArrays spots;
    WebArrays webs;

    std::size_t size() const { return points.size() + spots.size() + webs.size(); }
    void clear();
    /// Appends light `id` of `from`, counting its points, then its spots, then its webs.
    void appendFrom(const LightSet& from, std::size_t id);
};

}  // namespace plandor::illuminance
