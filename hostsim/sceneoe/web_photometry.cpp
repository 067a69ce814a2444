// What follows from a photometric web's candela grid: the grid completed by its symmetry, its
// peak, its flux, and the beam and field angles.
//
// Flux. On the completed grid each sample stands for the band between the midpoints to its
// neighbours along the latitude-like angle, the first and last reaching the ends of the
// range, times the arc between the midpoints along the turning angle. Type C bands are
// measured from the pole (cos(low) - cos(high) per radian of arc); the latitude-like angle of
// types A and B is measured from the equator (sin(high) - sin(low)).
#include "hostsim/sceneoe/photometric_web.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <utility>

namespace plsim::scene {
namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kRadiansPerDegree = kPi / 180.0;
/// Distances from the axis closer than this, in degrees, are one; and how far an image may lie
/// beyond the range it is kept in.
constexpr double kSameAngle = 1e-9;
/// How far, in degrees, a range's end may lie from a round angle and still stand for it (the
/// reader allows 0.01).
constexpr double kEndTolerance = 0.5;

using Type = PhotometricWeb::Type;

bool consistent(const PhotometricWeb& web) {
    return !web.vertical.empty() && !web.horizontal.empty() &&
           web.candela.size() == web.vertical.size() * web.horizontal.size();
}

bool near(double a, double b) { return std::fabs(a - b) <= kEndTolerance; }

/// An angle of a completed axis and the index of the file's angle whose values it takes.
struct Image {
    double angle;
    std::size_t source;
};

/// A symmetry of one axis: the angle a maps to sign * a + offset.
struct Mirror {
    double sign, offset;
};

/// The images of `angles` under each of `mirrors` that lie from `low` to `high`, increasing,
/// one of each angle.
std::vector<Image> completedAxis(const std::vector<double>& angles, std::initializer_list<Mirror> mirrors,
                                 double low = -1e300, double high = 1e300) {
    std::vector<Image> images;
    for (const Mirror& mirror : mirrors) {
        for (std::size_t i = 0; i < angles.size(); ++i) {
            const double angle = mirror.sign * angles[i] + mirror.offset;
            if (angle >= low - kSameAngle && angle <= high + kSameAngle) images.push_back({angle, i});
        }
    }
    std::stable_sort(images.begin(), images.end(), [](const Image& a, const Image& b) { return a.angle < b.angle; });
    // A mirror plane's angle is its own image, exactly: kept once.
    std::vector<Image> unique;
    for (const Image& image : images)
        if (unique.empty() || image.angle > unique.back().angle) unique.push_back(image);
    return unique;
}

std::vector<Image> asGiven(const std::vector<double>& angles) { return completedAxis(angles, {{1.0, 0.0}}); }

/// Types A and B: a range from 0 is mirrored about the plane of 0.
std::vector<Image> mirroredFromZero(const std::vector<double>& angles) {
    return near(angles.front(), 0.0) ? completedAxis(angles, {{1.0, 0.0}, {-1.0, 0.0}}) : asGiven(angles);
}

/// Type C horizontal angles, completed to 0 to 360.
std::vector<Image> fullTurn(const std::vector<double>& angles) {
    const double first = angles.front(), last = angles.back();
    if (angles.size() == 1) return {{0.0, 0}, {360.0, 0}};
    if (near(first, 0.0) && near(last, 90.0))
        return completedAxis(angles, {{1.0, 0.0}, {-1.0, 180.0}, {1.0, 180.0}, {-1.0, 360.0}}, 0.0, 360.0);
    if (near(first, 0.0) && near(last, 180.0)) return completedAxis(angles, {{1.0, 0.0}, {-1.0, 360.0}}, 0.0, 360.0);
    if (near(first, 90.0) && near(last, 270.0))
        return completedAxis(angles, {{1.0, 0.0}, {-1.0, 180.0}, {-1.0, 540.0}}, 0.0, 360.0);
    return asGiven(angles);
}

/// The span each of `angles` (degrees, increasing) stands for, as `weight` (low, high in
/// radians) measures it: from the midpoint to the one before (or the first angle) to the
/// midpoint to the one after (or the last).
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

double band(double low, double high) { return std::sin(high) - std::sin(low); }
double polarBand(double low, double high) { return std::cos(low) - std::cos(high); }
double arc(double low, double high) { return high - low; }

/// Distances from the light's axis (degrees) with the largest intensity at each, nearest the
/// axis first, the axis itself among them.
using Profile = std::vector<std::pair<double, double>>;

void sortAndMerge(Profile& profile) {
    std::stable_sort(profile.begin(), profile.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    Profile merged;
    for (const auto& sample : profile) {
        if (!merged.empty() && sample.first - merged.back().first <= kSameAngle) {
            merged.back().second = std::max(merged.back().second, sample.second);
        } else {
            merged.push_back(sample);
        }
    }
    profile = std::move(merged);
}

/// Type C: every plane holds the axis; each vertical angle's envelope over the planes.
Profile profileOfTypeC(const PhotometricWeb& web) {
    // Data of 90 to 180 shine upwards: their axis is straight up.
    const bool upwards = web.vertical.front() > 45.0;
    Profile profile;
    for (std::size_t v = 0; v < web.vertical.size(); ++v) {
        double envelope = 0.0;
        for (std::size_t h = 0; h < web.horizontal.size(); ++h) envelope = std::max(envelope, web.at(h, v));
        profile.emplace_back(upwards ? 180.0 - web.vertical[v] : web.vertical[v], envelope);
    }
    return profile;
}

/// The intensity at `angle` along a line of the grid (`values` at increasing `angles`), linear
/// between its samples; no light beyond its ends.
double along(const std::vector<double>& angles, const std::vector<double>& values, double angle) {
    if (angle < angles.front() || angle > angles.back()) return 0.0;
    const auto above = std::upper_bound(angles.begin(), angles.end(), angle);
    if (above == angles.end()) return values.back();
    const auto i = static_cast<std::size_t>(above - angles.begin());
    if (i == 0) return values.front();
    const double share = (angle - angles[i - 1]) / (angles[i] - angles[i - 1]);
    return values[i - 1] * (1.0 - share) + values[i] * share;
}

/// Types A and B, on the completed grid: the two lines of the grid through the axis, the one
/// across the poles (turning angle 0; the distance from the axis is the latitude) and the
/// equator (latitude 0; the distance is the turning angle), each interpolated between the
/// grid's lines next to 0. At each distance either line has a sample at, the brighter side.
Profile profileOfTypeAOrB(const PhotometricWeb& web) {
    const bool polesAtHorizontal = web.type == Type::B;
    const std::vector<double>& latitudes = polesAtHorizontal ? web.horizontal : web.vertical;
    const std::vector<double>& turns = polesAtHorizontal ? web.vertical : web.horizontal;
    const auto value = [&](std::size_t latitude, std::size_t turn) {
        return polesAtHorizontal ? web.at(latitude, turn) : web.at(turn, latitude);
    };
    std::vector<double> acrossPoles(latitudes.size()), equator(turns.size());
    std::vector<double> samples;
    for (std::size_t i = 0; i < latitudes.size(); ++i) {
        samples.clear();
        for (std::size_t t = 0; t < turns.size(); ++t) samples.push_back(value(i, t));
        acrossPoles[i] = along(turns, samples, 0.0);
    }
    for (std::size_t t = 0; t < turns.size(); ++t) {
        samples.clear();
        for (std::size_t i = 0; i < latitudes.size(); ++i) samples.push_back(value(i, t));
        equator[t] = along(latitudes, samples, 0.0);
    }
    std::vector<double> distances{0.0};
    for (const double a : latitudes) distances.push_back(std::fabs(a));
    for (const double a : turns) distances.push_back(std::fabs(a));
    Profile profile;
    for (const double d : distances) {
        profile.emplace_back(d, std::max({along(latitudes, acrossPoles, d), along(latitudes, acrossPoles, -d),
                                          along(turns, equator, d), along(turns, equator, -d)}));
    }
    return profile;
}

}  // namespace

PhotometricWeb completedWeb(const PhotometricWeb& web) {
    if (!consistent(web)) return web;
    std::vector<Image> vertical, horizontal;
    switch (web.type) {
        case Type::C:
            vertical = asGiven(web.vertical);
            horizontal = fullTurn(web.horizontal);
            break;
        case Type::B:
        case Type::A:
            vertical = mirroredFromZero(web.vertical);
            horizontal = mirroredFromZero(web.horizontal);
            break;
    }
    PhotometricWeb full = web;
    full.vertical.clear();
    full.horizontal.clear();
    full.candela.clear();
    for (const Image& v : vertical) full.vertical.push_back(v.angle);
    full.candela.reserve(vertical.size() * horizontal.size());
    for (const Image& h : horizontal) {
        full.horizontal.push_back(h.angle);
        for (const Image& v : vertical) full.candela.push_back(web.at(h.source, v.source));
    }
    return full;
}

double peakCandela(const PhotometricWeb& web) {
    return web.candela.empty() ? 0.0 : *std::max_element(web.candela.begin(), web.candela.end());
}

double webFlux(const PhotometricWeb& web) {
    if (!consistent(web)) return 0.0;
    const PhotometricWeb full = completedWeb(web);
    std::vector<double> verticalWeights, horizontalWeights;
    switch (full.type) {
        case Type::C:
            verticalWeights = sampleWeights(full.vertical, polarBand);
            horizontalWeights = sampleWeights(full.horizontal, arc);
            break;
        case Type::B:
            verticalWeights = sampleWeights(full.vertical, arc);
            horizontalWeights = sampleWeights(full.horizontal, band);
            break;
        case Type::A:
            verticalWeights = sampleWeights(full.vertical, band);
            horizontalWeights = sampleWeights(full.horizontal, arc);
            break;
    }
    double flux = 0.0;
    for (std::size_t h = 0; h < full.horizontal.size(); ++h) {
        double plane = 0.0;
        for (std::size_t v = 0; v < full.vertical.size(); ++v) plane += full.at(h, v) * verticalWeights[v];
        flux += plane * horizontalWeights[h];
    }
    return flux;
}

Spread spreadAngle(const PhotometricWeb& web, double fraction) {
    if (!consistent(web)) return {};
    Profile profile = web.type == Type::C ? profileOfTypeC(web) : profileOfTypeAOrB(completedWeb(web));
    sortAndMerge(profile);
    const double threshold = fraction * peakCandela(web);
    if (profile.front().second < threshold) return {Spread::Kind::AxisBelow, 0.0};
    // Going out from the axis, the first sample below the threshold; the crossing lies between
    // it and the sample before, linearly.
    for (std::size_t i = 1; i < profile.size(); ++i) {
        const auto [d1, i1] = profile[i];
        if (i1 >= threshold) continue;
        const auto [d0, i0] = profile[i - 1];
        return {Spread::Kind::Angle, 2.0 * (d0 + (i0 - threshold) / (i0 - i1) * (d1 - d0))};
    }
    const double end = profile.back().first;
    if (end >= 180.0 - kEndTolerance) return {Spread::Kind::NeverFalls, 0.0};
    return {Spread::Kind::Angle, 2.0 * end};
}

}  // namespace plsim::scene
