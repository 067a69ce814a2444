// Guards the photometry of webs against a flux weighted about the wrong poles (type B) or missing a symmetry, a
// completed grid whose columns take the wrong values, and beam and field angles about the wrong axis or beyond the
// sphere.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "hostsim/sceneoe/light_frame.h"
#include "hostsim/sceneoe/photometric_web.h"

namespace {

using plsim::scene::PhotometricWeb;
using plsim::scene::Spread;
using Type = PhotometricWeb::Type;
/// Candela by direction in the light's frame (the beam along -z).
using Light = std::function<double(const PlGeVector3d&)>;

constexpr double kPi = 3.141592653589793;

std::vector<double> steps(double first, double last, double step) {
    std::vector<double> angles;
    for (double a = first; a <= last + 1e-9; a += step) angles.push_back(a);
    return angles;
}

/// The web of a file of `type` sampling `light` at each angle pair of the grid.
PhotometricWeb web(Type type, const std::vector<double>& vertical, const std::vector<double>& horizontal,
                   const Light& light) {
    std::string text = "TILT=NONE\n1 -1 1 " + std::to_string(vertical.size()) + " " +
                       std::to_string(horizontal.size()) + " " + std::to_string(static_cast<int>(type)) +
                       " 2 0 0 0 1 1 0\n";
    for (const double a : vertical) text += std::to_string(a) + " ";
    for (const double a : horizontal) text += std::to_string(a) + " ";
    for (const double h : horizontal)
        for (const double v : vertical) text += std::to_string(light(plsim::scene::webDirection(type, v, h))) + " ";
    std::wstring error;
    const auto read = plsim::scene::readPhotometricWeb(text, L"t.ies", error);
    EXPECT_TRUE(read) << std::string(error.begin(), error.end());
    return read ? *read : PhotometricWeb{};
}

double front(const PlGeVector3d& d, double value) { return d.z < 0.0 ? value : 0.0; }
double fromAxisDeg(const PlGeVector3d& d) { return std::acos(std::clamp(-d.z, -1.0, 1.0)) * 180.0 / kPi; }

/// An elliptical floodlight beam, `wide` across the poles (x) and `narrow` along the equator (y), radians.
Light floodlight(double peak, double wide, double narrow, double spill = 0.0) {
    return [=](const PlGeVector3d& d) {
        return front(d, peak * std::exp(-std::pow(d.x / wide, 2) - std::pow(d.y / narrow, 2))) + spill;
    };
}

/// The flux of the web's interpolated distribution, found without its grid's weights: a midpoint rule over a fine
/// grid about the light's z axis, each direction looked up bilinearly in the file's grid (mirrored where its
/// angles start at 0; no light beyond them).
double denseFlux(const PhotometricWeb& web) {
    const auto bracket = [](const std::vector<double>& a, double x, std::size_t& i, double& t) {
        x = a.front() >= 0.0 ? std::fabs(x) : x;
        if (x < a.front() || x > a.back()) return false;
        i = std::min<std::size_t>(std::upper_bound(a.begin(), a.end(), x) - a.begin(), a.size() - 1) - 1;
        t = (x - a[i]) / (a[i + 1] - a[i]);
        return true;
    };
    constexpr int kPolar = 480, kAround = 960;
    double flux = 0.0;
    for (int i = 0; i < kPolar * kAround; ++i) {
        const double theta = (i / kAround + 0.5) * kPi / kPolar, phi = (i % kAround + 0.5) * 2.0 * kPi / kAround;
        const PlGeVector3d d{std::sin(theta) * std::cos(phi), std::sin(theta) * std::sin(phi), std::cos(theta)};
        const plsim::scene::WebAngles at = plsim::scene::webAngles(web.type, d);
        std::size_t v = 0, h = 0;
        double tv = 0.0, th = 0.0;
        if (!bracket(web.vertical, at.vertical, v, tv) || !bracket(web.horizontal, at.horizontal, h, th)) continue;
        const auto row = [&](std::size_t hi) { return web.at(hi, v) * (1 - tv) + web.at(hi, v + 1) * tv; };
        flux += (row(h) * (1 - th) + row(h + 1) * th) * std::sin(theta);
    }
    return flux * (kPi / kPolar) * (2.0 * kPi / kAround);
}

TEST(WebFlux, TypesAAndBWeighTheLatitudeOfTheirPolesAndFloodlightsAgreeWithAnIndependentIntegration) {
    const Light uniform = [](const PlGeVector3d&) { return 100.0; };
    // Grids as floodlight files have them: finer near the beam.
    const std::vector<double> fine = {0, 2.5, 5, 7.5, 10, 12.5, 15, 17.5, 20, 25, 30, 35, 40, 45, 50, 60, 70, 80, 90};
    std::vector<double> both = fine;
    for (const double a : fine)
        if (a > 0) both.insert(both.begin(), -a);
    struct Case {
        const char* name;
        Type type;
        std::vector<double> vertical, horizontal;
        Light light;
        double lumen;  ///< 0: as the independent integration finds it
        double share;  ///< of the flux that it may be off
    } cases[] = {
        {"B isotropic, whole sphere", Type::B, steps(-180, 180, 10), steps(-90, 90, 10), uniform, 400 * kPi, 1e-12},
        {"B isotropic, mirrored from 0", Type::B, steps(0, 180, 30), steps(0, 90, 15), uniform, 400 * kPi, 1e-12},
        {"B constant along H = +-90", Type::B, steps(-180, 180, 15), steps(-90, 90, 5),
         [](const PlGeVector3d& d) { return 100.0 * std::fabs(d.x); }, 200 * kPi, 2e-3},
        {"A constant along V = +-90", Type::A, steps(-90, 90, 5), steps(0, 180, 15),
         [](const PlGeVector3d& d) { return 100.0 * std::fabs(d.y); }, 200 * kPi, 2e-3},
        {"B floodlight, front half", Type::B, both, fine, floodlight(20000, 0.45, 0.2), 0, 5e-3},
        {"B floodlight all round, spill", Type::B, steps(0, 180, 5), both, floodlight(8000, 0.3, 0.6, 40), 0, 5e-3},
    };
    for (const Case& c : cases) {
        const PhotometricWeb w = web(c.type, c.vertical, c.horizontal, c.light);
        const double lumen = c.lumen > 0 ? c.lumen : denseFlux(w);
        EXPECT_NEAR(plsim::scene::webFlux(w), lumen, c.share * lumen) << c.name;
    }
}

TEST(WebGrid, CompletedGridsTakeEachColumnFromItsMirror) {
    struct Case {
        Type type;
        std::vector<double> vertical, horizontal, completedVertical, completedHorizontal;
        std::vector<double> sources;  ///< the horizontal angle of the file each completed column repeats
    } cases[] = {
        {Type::C, {0, 90}, {0}, {0, 90}, {0, 360}, {0, 0}},
        {Type::C, {0, 90}, {0, 45, 90}, {0, 90}, steps(0, 360, 45), {0, 45, 90, 45, 0, 45, 90, 45, 0}},
        {Type::C, {0, 90}, {0, 90, 180}, {0, 90}, steps(0, 360, 90), {0, 90, 180, 90, 0}},
        {Type::C, {0, 90}, {90, 180, 270}, {0, 90}, steps(0, 360, 90), {180, 90, 180, 270, 180}},
        {Type::B, {0, 90, 180}, {0, 45, 90}, steps(-180, 180, 90), steps(-90, 90, 45), {90, 45, 0, 45, 90}},
    };
    for (const Case& c : cases) {
        // Each column holds 1 + its horizontal angle (at vertical 90, where no pole hides it).
        const Light column = [&c](const PlGeVector3d& d) {
            return 1.0 + std::fabs(plsim::scene::webAngles(c.type, d).horizontal);
        };
        const PhotometricWeb full = plsim::scene::completedWeb(web(c.type, c.vertical, c.horizontal, column));
        EXPECT_EQ(full.vertical, c.completedVertical);
        ASSERT_EQ(full.horizontal, c.completedHorizontal);
        for (std::size_t h = 0; h < full.horizontal.size(); ++h)
            EXPECT_NEAR(full.at(h, 1), 1.0 + c.sources[h], 1e-5) << "column " << full.horizontal[h];
    }
}

TEST(WebSpread, BeamAndFieldAnglesGoOutFromTheAxisAndStayOnTheSphere) {
    // A batwing: a third of its peak on the axis, the most at 50 degrees from it.
    const Light batwing = [](const PlGeVector3d& d) {
        return front(d, 100.0 * (0.33 + 0.67 * std::exp(-std::pow((fromAxisDeg(d) - 50.0) / 20.0, 2))));
    };
    // A narrow beam and bright poles, which lie 90 degrees from the axis whatever the vertical angle.
    const Light beamAndPoles = [](const PlGeVector3d& d) {
        return 100.0 * std::exp(-std::pow(fromAxisDeg(d) / 15.0, 2)) + 80.0 * std::pow(d.x, 8);
    };
    const Light flood = floodlight(1000, 0.4, 0.2);
    // The flood's widest plane is the one across the poles: half its peak at sin(h) = 0.4 sqrt(ln 2).
    const double floodBeam = 2 * std::asin(0.4 * std::sqrt(std::log(2.0))) * 180.0 / kPi;
    struct Case {
        const char* name;
        Type type;
        std::vector<double> vertical, horizontal;
        Light light;
        double fraction;
        Spread::Kind kind;
        double degrees;
    } cases[] = {
        {"batwing beam", Type::C, steps(0, 90, 2.5), {0, 45, 90}, batwing, 0.5, Spread::Kind::AxisBelow, 0},
        {"batwing field", Type::C, steps(0, 90, 2.5), {0, 45, 90}, batwing, 0.1, Spread::Kind::Angle, 180},
        {"B flood, widest plane", Type::B, steps(-90, 90, 5), steps(-90, 90, 3), flood, 0.5, Spread::Kind::Angle,
         floodBeam},
        {"A flood, the same light", Type::A, steps(0, 90, 2.5), steps(-90, 90, 2.5),
         [&flood](const PlGeVector3d& d) { return flood({d.y, d.x, d.z}); }, 0.5, Spread::Kind::Angle, floodBeam},
        {"B beam between bright poles", Type::B, steps(-180, 180, 5), steps(-90, 90, 2.5), beamAndPoles, 0.5,
         Spread::Kind::Angle, 30 * std::sqrt(std::log(2.0))},
    };
    for (const Case& c : cases) {
        const Spread spread = plsim::scene::spreadAngle(web(c.type, c.vertical, c.horizontal, c.light), c.fraction);
        EXPECT_EQ(spread.kind, c.kind) << c.name;
        EXPECT_NEAR(spread.degrees, c.degrees, 0.5) << c.name;
    }
}

}  // namespace
