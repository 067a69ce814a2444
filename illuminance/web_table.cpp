// A photometric web made ready for lookups: completion by symmetry, even axes, bilinear lookup.
#include "illuminance/web_table.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace plandor::illuminance {
namespace {

using plsim::scene::PhotometricWeb;

/// How far the reader lets an end of a range lie from the angle it stands for, in degrees.
constexpr double kEndTolerance = 0.01;
/// How close a sample must lie to a common step for the axis to be made even, in degrees.
constexpr double kStepTolerance = 1e-6;
/// Samples an axis may get when it is made even, and values the table may get.
constexpr double kMostEvenSamples = 3601.0;
constexpr std::size_t kMostValues = std::size_t{1} << 21;

/// A completed axis: its angles and, for each, the completed grid's sample it takes.
struct Completed {
    std::vector<double> angles;
    std::vector<std::size_t> source;
};

/// `angle` taken as the nearest of `ends` when the reader would count it as that end.
double snapped(double angle, std::initializer_list<double> ends) {
    for (const double end : ends)
        if (std::fabs(angle - end) <= kEndTolerance) return end;
    return angle;
}

/// The file's angles with their first and last snapped to the ends they stand for.
std::vector<double> snappedAngles(const std::vector<double>& angles, std::initializer_list<double> ends) {
    std::vector<double> out = angles;
    out.front() = snapped(out.front(), ends);
    out.back() = snapped(out.back(), ends);
    return out;
}

Completed asItIs(const std::vector<double>& file, std::initializer_list<double> ends) {
    Completed out{snappedAngles(file, ends), {}};
    for (std::size_t i = 0; i < file.size(); ++i) out.source.push_back(i);
    return out;
}

/// The largest step of which every gap is a whole multiple, within the tolerance.
double commonStep(const std::vector<double>& angles) {
    double step = 0.0;
    for (std::size_t i = 1; i < angles.size(); ++i) {
        double a = angles[i] - angles[i - 1], b = step;
        while (b > kStepTolerance) {
            double rest = std::fmod(a, b);
            if (rest > b - kStepTolerance) rest = 0.0;
            a = b;
            b = rest;
        }
        step = a;
    }
    return step;
}

/// How many steps an even axis over `angles` would have; 0 when it cannot be made even.
double evenSteps(const std::vector<double>& angles) {
    const double span = angles.back() - angles.front();
    const double step = commonStep(angles);
    if (!(step > kStepTolerance)) return 0.0;
    const double steps = std::round(span / step);
    if (steps + 1.0 > kMostEvenSamples) return 0.0;
    for (const double angle : angles) {
        const double k = (angle - angles.front()) / span * steps;
        if (std::fabs(k - std::round(k)) * (span / steps) > kStepTolerance) return 0.0;
    }
    return steps;
}

/// Where each of `targets` lies on `axis`: the interval and the fraction; on a sample, that
/// sample (the last one too) and exactly 0.
std::vector<std::pair<std::size_t, double>> placesOn(const WebAxis& axis, const std::vector<double>& targets) {
    std::vector<std::pair<std::size_t, double>> places;
    for (const double angle : targets) {
        std::size_t i = 0;
        double t = 0.0;
        axis.locate(angle, i, t);
        if (std::fabs(angle - axis.angles[i]) <= kStepTolerance) t = 0.0;
        if (std::fabs(angle - axis.angles[i + 1]) <= kStepTolerance) ++i, t = 0.0;
        places.emplace_back(i, t);
    }
    return places;
}

WebAxis unevenAxis(std::vector<double> angles) {
    WebAxis axis;
    axis.angles = std::move(angles);
    return axis;
}

WebAxis evenAxis(double first, double last, double steps) {
    WebAxis axis;
    for (double k = 0.0; k < steps; ++k) axis.angles.push_back(first + (last - first) * (k / steps));
    axis.angles.push_back(last);
    axis.even = true;
    axis.first = first;
    axis.inverseStep = steps / (last - first);
    axis.lastIndex = steps;
    return axis;
}

}  // namespace

bool WebAxis::locate(double angle, std::size_t& i, double& t) const {
    if (even) {
        double u = (angle - first) * inverseStep;
        if (!(u >= -kAxisTolerance && u <= lastIndex + kAxisTolerance)) return false;
        u = u > 0.0 ? u : 0.0;
        u = u < lastIndex ? u : lastIndex;
        double f = std::floor(u);
        f = f < lastIndex - 1.0 ? f : lastIndex - 1.0;
        i = static_cast<std::size_t>(f);
        t = u - f;
        return true;
    }
    const double low = angles.front(), high = angles.back();
    if (!(angle >= low - kAxisTolerance && angle <= high + kAxisTolerance)) return false;
    angle = std::clamp(angle, low, high);
    const auto above = std::upper_bound(angles.begin(), angles.end(), angle);
    i = std::min(static_cast<std::size_t>(above - angles.begin()), angles.size() - 1) - 1;
    t = (angle - angles[i]) / (angles[i + 1] - angles[i]);
    return true;
}

double WebTable::at(double verticalDeg, double horizontalDeg) const {
    std::size_t iv = 0, ih = 0;
    double tv = 0.0, th = 0.0;
    if (!vertical.locate(verticalDeg, iv, tv) || !horizontal.locate(horizontalDeg, ih, th)) return 0.0;
    const std::size_t nv = vertical.angles.size();
    const double* low = &relative[ih * nv + iv];
    const double* high = low + nv;
    const double lo = low[0] + tv * (low[1] - low[0]);
    const double hi = high[0] + tv * (high[1] - high[0]);
    return lo + th * (hi - lo);
}

WebTable webTable(const PhotometricWeb& web) {
    WebTable table;
    table.type = web.type;
    const bool typeC = web.type == PhotometricWeb::Type::C;
    // The grid completed by the symmetry the flux integration uses, its ends snapped.
    const PhotometricWeb full = plsim::scene::completedWeb(web);
    const Completed v = typeC ? asItIs(full.vertical, {0.0, 90.0, 180.0})
                              : asItIs(full.vertical, {-180.0, -90.0, 0.0, 90.0, 180.0});
    const Completed h = typeC ? asItIs(full.horizontal, {0.0, 90.0, 180.0, 270.0, 360.0})
                              : asItIs(full.horizontal, {-180.0, -90.0, 0.0, 90.0, 180.0});
    const double peak = plsim::scene::peakCandela(web);

    // The completed grid, on the axes as the file and its symmetry give them.
    table.vertical = unevenAxis(v.angles);
    table.horizontal = unevenAxis(h.angles);
    table.relative.reserve(v.angles.size() * h.angles.size());
    for (const std::size_t hs : h.source)
        for (const std::size_t vs : v.source) table.relative.push_back(full.at(hs, vs) / peak);

    // Even axes on the common step of their samples, when the table stays small.
    const double stepsV = evenSteps(v.angles), stepsH = evenSteps(h.angles);
    if (stepsV == 0.0 || stepsH == 0.0 || (stepsV + 1.0) * (stepsH + 1.0) > static_cast<double>(kMostValues))
        return table;
    const WebAxis evenV = evenAxis(v.angles.front(), v.angles.back(), stepsV);
    const WebAxis evenH = evenAxis(h.angles.front(), h.angles.back(), stepsH);
    const auto placesV = placesOn(table.vertical, evenV.angles);
    const auto placesH = placesOn(table.horizontal, evenH.angles);
    const std::size_t nv = v.angles.size();
    const auto along = [&](std::size_t row, std::size_t iv, double tv) {
        const double* p = &table.relative[row * nv + iv];
        return tv == 0.0 ? p[0] : p[0] + tv * (p[1] - p[0]);
    };
    std::vector<double> values;
    values.reserve(placesV.size() * placesH.size());
    for (const auto& [ih, th] : placesH) {
        for (const auto& [iv, tv] : placesV) {
            const double lo = along(ih, iv, tv);
            values.push_back(th == 0.0 ? lo : lo + th * (along(ih + 1, iv, tv) - lo));
        }
    }
    table.vertical = evenV;
    table.horizontal = evenH;
    table.relative = std::move(values);
    return table;
}

}  // namespace plandor::illuminance
