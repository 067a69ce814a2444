// What follows from a photometric web's candela grid: its peak, its flux, and the beam and
// field angles.
//
// Flux. Each vertical sample stands for the band between the midpoints to its neighbours,
// the first and last reaching the ends of the range; each horizontal sample for the arc
// between the midpoints to its neighbours. Type C bands hold cos(low) - cos(high) per
// radian of arc (the vertical angle is measured from the pole); types A and B hold
// sin(high) - sin(low) (it is measured from the beam's axis). Type C arcs are scaled to the
// full turn: a single angle stands for the whole turn, 0 to 90 for four quadrants, 0 to 180
// and 90 to 270 for two mirrored halves, 0 to 360 for itself (its last column repeats the
// first, and each gets half the arc at the seam). Types A and B describe the front half of
// the sphere: data from 0 to 90 are mirrored to -90.
#include "hostsim/sceneoe/photometric_web.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace plsim::scene {
namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kRadiansPerDegree = kPi / 180.0;

/// The span each sample of `angles` (degrees, increasing) stands for, in radians: from the
/// midpoint to the one before (or the first angle) to the midpoint to the one after (or the last).
template <class Weight>
std::vector<double> sampleWeights(const std::vector<double>& angles, Weight weight) {
    std::vector<double> weights(angles.size());
    for (std::size_t i = 0; i < angles.size(); ++i) {
        const double low = i == 0 ? angles[i] : (angles[i - 1] + angles[i]) / 2.0;
        const double high = i + 1 == angles.size() ? angles[i] : (angles[i] + angles[i + 1]) / 2.0;
        weights[i] = weight(low * kRadiansPerDegree, high * kRadiansPerDegree);
    }
    return weights;
}

bool isTypeC(const PhotometricWeb& web) { return web.type == PhotometricWeb::Type::C; }

/// Each vertical sample's distance from the light's axis (degrees) with the largest intensity
/// at that distance over every plane, nearest the axis first.
std::vector<std::pair<double, double>> axialProfile(const PhotometricWeb& web) {
    const std::size_t nv = web.vertical.size();
    // Type C data of 90 to 180 shine upwards: their axis is straight up.
    const bool upwards = isTypeC(web) && web.vertical.front() >= 90.0 - 1e-9;
    std::vector<std::pair<double, double>> profile;
    profile.reserve(nv);
    for (std::size_t v = 0; v < nv; ++v) {
        double envelope = 0.0;
        for (std::size_t h = 0; h < web.horizontal.size(); ++h) envelope = std::max(envelope, web.at(h, v));
        const double angle = web.vertical[v];
        const double distance = isTypeC(web) ? (upwards ? 180.0 - angle : angle) : std::fabs(angle);
        profile.emplace_back(distance, envelope);
    }
    std::stable_sort(profile.begin(), profile.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    // Types A and B: +V and -V lie at the same distance; keep the brighter.
    std::vector<std::pair<double, double>> merged;
    for (const auto& sample : profile) {
        if (!merged.empty() && merged.back().first == sample.first) {
            merged.back().second = std::max(merged.back().second, sample.second);
        } else {
            merged.push_back(sample);
        }
    }
    return merged;
}

}  // namespace

double peakCandela(const PhotometricWeb& web) {
    return web.candela.empty() ? 0.0 : *std::max_element(web.candela.begin(), web.candela.end());
}

double webFlux(const PhotometricWeb& web) {
    if (web.vertical.empty() || web.horizontal.empty() || web.candela.size() != web.vertical.size() * web.horizontal.size())
        return 0.0;
    std::vector<double> bands;
    double verticalScale = 1.0;
    double horizontalScale = 1.0;
    std::vector<double> arcs;
    if (isTypeC(web)) {
        bands = sampleWeights(web.vertical, [](double low, double high) { return std::cos(low) - std::cos(high); });
        const double span = (web.horizontal.back() - web.horizontal.front()) * kRadiansPerDegree;
        if (web.horizontal.size() == 1 || !(span > 0.0)) {
            arcs.assign(web.horizontal.size(), 2.0 * kPi / static_cast<double>(web.horizontal.size()));
        } else {
            arcs = sampleWeights(web.horizontal, [](double low, double high) { return high - low; });
            horizontalScale = 2.0 * kPi / span;
        }
    } else {
        bands = sampleWeights(web.vertical, [](double low, double high) { return std::sin(high) - std::sin(low); });
        arcs = sampleWeights(web.horizontal, [](double low, double high) { return high - low; });
        if (web.vertical.front() > -45.0) verticalScale = 2.0;      // 0 to 90, mirrored
        if (web.horizontal.front() > -45.0) horizontalScale = 2.0;  // 0 to 90, mirrored
    }
    double flux = 0.0;
    for (std::size_t h = 0; h < web.horizontal.size(); ++h) {
        double plane = 0.0;
        for (std::size_t v = 0; v < web.vertical.size(); ++v) plane += web.at(h, v) * bands[v];
        flux += plane * arcs[h];
    }
    return flux * verticalScale * horizontalScale;
}

std::optional<double> spreadAngle(const PhotometricWeb& web, double fraction) {
    const std::vector<std::pair<double, double>> profile = axialProfile(web);
    if (profile.empty()) return std::nullopt;
    const double threshold = fraction * peakCandela(web);
    // From the brightest distance outwards, the first sample below the threshold; the
    // crossing lies between it and the sample before, linearly.
    std::size_t brightest = 0;
    for (std::size_t i = 1; i < profile.size(); ++i)
        if (profile[i].second > profile[brightest].second) brightest = i;
    for (std::size_t i = brightest + 1; i < profile.size(); ++i) {
        const auto [d1, i1] = profile[i];
        if (i1 >= threshold) continue;
        const auto [d0, i0] = profile[i - 1];
        const double distance = d0 + (i0 - threshold) / (i0 - i1) * (d1 - d0);
        return 2.0 * distance;
    }
    // Beyond the data there is no light, unless type C data reach the far pole.
    const double end = profile.back().first;
    if (isTypeC(web) && end >= 180.0 - 1e-9) return std::nullopt;
    return 2.0 * end;
}

}  // namespace plsim::scene
