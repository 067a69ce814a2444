// A photometric web made ready for lookups: its candela grid completed over every direction its
// symmetry covers, relative to its peak, on axes that are even wherever the data allow.
#pragma once

#include <cstddef>
#include <vector>

#include "hostsim/sceneoe/photometric_web.h"

namespace plandor::illuminance {

/// One axis of a completed web: increasing angles in degrees. An even axis has its samples a
/// whole step apart, so that a lookup finds its interval by one multiplication.
struct WebAxis {
    std::vector<double> angles;
    bool even = false;
    double first = 0.0;        ///< even: the first angle
    double inverseStep = 0.0;  ///< even: samples per degree
    double lastIndex = 0.0;    ///< even: the index of the last sample, as a double

    /// The interval [i, i + 1] that holds `angle` and the fraction `t` of the way through it;
    /// false when `angle` lies outside the axis (beyond a rounding error of its ends).
    bool locate(double angle, std::size_t& i, double& t) const;
};

/// How far outside its ends, in steps of an even axis, an angle still counts as on the axis.
inline constexpr double kAxisTolerance = 1e-9;

/// A web's candela grid over its whole domain. Type C: vertical 0 to 180 (only where the
/// file has data), horizontal 0 to 360. Types A and B: the front half of the sphere, both
/// angles -90 to 90, or the whole sphere where the data reach 180. The angles are those of
/// plsim::scene::webAngles.
struct WebTable {
    plsim::scene::PhotometricWeb::Type type = plsim::scene::PhotometricWeb::Type::C;
    WebAxis vertical, horizontal;
    /// The intensity over the file's peak: for each horizontal angle, one per vertical angle.
    std::vector<double> relative;

    bool even() const { return vertical.even && horizontal.even; }
    /// The intensity over the peak toward `verticalDeg`, `horizontalDeg`, interpolated
    /// bilinearly in the two angles; 0 outside the data.
    double at(double verticalDeg, double horizontalDeg) const;
};

/// The table of `web`: its angles completed by the symmetry its ranges imply
/// (plsim::scene::completedWeb, as the flux integration completes them), ends within
/// the reader's tolerance taken as the ends they stand for, and each axis made even when every
/// sample lies on a common step (the values between come from the bilinear interpolation, so
/// the lookup is unchanged) and the table stays small. `web` must be one the reader accepted.
WebTable webTable(const plsim::scene::PhotometricWeb& web);

}  // namespace plandor::illuminance
