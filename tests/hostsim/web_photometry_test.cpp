// Guards the photometry of webs against a flux weighted about the wrong poles (type B) or missing a symmetry, a
// completed grid whose columns take the wrong values, beam and field angles about the wrong axis or beyond the
// sphere, and first lines of real files refused or read as the wrong version.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "hostsim/sceneoe/light_frame.h"
#include "hostsim/sceneoe/photometric_web.h"

namespace {

using plsim::scene::PhotometricWeb;
using plsim::scene::Spread;
using Type = PhotometricWeb::Type;

constexpr double kPi = 3.141592653589793;
constexpr double kDegree = kPi / 180.0;

/// Candela by direction in the light's frame (x, y, z; the beam along -z).
using Distribution = std::function<double(const PlGeVector3d&)>;

std::vector<double> steps(double first, double last, double step) {
    std::vector<double> angles;
    for (double a = first; a <= last + 1e-9; a += step) angles.push_back(a);
    return angles;
}

std::string text(const std::vector<double>& values) {
    std::string out;
    char number[32];
    for (const double value : values) {
        std::snprintf(number, sizeof number, "%.9g ", value);
        out += number;
    }
    return out + "\n";
}

/// A web file of `type` sampling `light` at each angle pair of the grid.
std::string webFile(Type type, const std::vector<double>& vertical, const std::vector<double>& horizontal,
                    const Distribution& light, const std::string& firstLine = "IESNA:LM-63-2002") {
    std::vector<double> candela;
    for (const double h : horizontal)
        for (const double v : vertical) candela.push_back(light(plsim::scene::webDirection(type, v, h)));
    return firstLine + "\nTILT=NONE\n1 -1 1 " + std::to_string(vertical.size()) + " " +
           std::to_string(horizontal.size()) + " " + std::to_string(static_cast<int>(type)) + " 2 0 0 0\n1 1 0\n" +
           text(vertical) + text(horizontal) + text(candela);
}

PhotometricWeb read(const std::string& file) {
    std::wstring error;
    const auto web = plsim::scene::readPhotometricWeb(file, L"t.ies", error);
    EXPECT_TRUE(web) << std::string(error.begin(), error.end());
    return web ? *web : PhotometricWeb{};
}

double frontOnly(const PlGeVector3d& d, double value) { return d.z < 0.0 ? value : 0.0; }

/// An elliptical floodlight beam, `wide` across the poles (x) and `narrow` along the equator (y), radians.
Distribution floodlight(double peak, double wide, double narrow, double spill = 0.0) {
    return [=](const PlGeVector3d& d) {
        const double x = d.x / wide, y = d.y / narrow;
        return frontOnly(d, peak * std::exp(-(x * x + y * y))) + spill;
    };
}

/// The flux of the web's interpolated distribution, integrated independently of the web's grid: a midpoint rule
/// over a fine grid about the light's z axis, each direction looked up bilinearly in the file's grid (mirrored
/// where its angles start at 0; no light beyond them).
double denseFlux(const PhotometricWeb& web) {
    const auto lookup = [&web](double vertical, double horizontal) {
        if (web.vertical.front() >= 0.0) vertical = std::fabs(vertical);
        if (web.horizontal.front() >= 0.0) horizontal = std::fabs(horizontal);
        const auto bracket = [](const std::vector<double>& a, double x, std::size_t& i, double& t) {
            if (x < a.front() || x > a.back()) return false;
            i = std::min<std::size_t>(std::upper_bound(a.begin(), a.end(), x) - a.begin(), a.size() - 1) - 1;
            t = (x - a[i]) / (a[i + 1] - a[i]);
            return true;
        };
        std::size_t v = 0, h = 0;
        double tv = 0.0, th = 0.0;
        if (!bracket(web.vertical, vertical, v, tv) || !bracket(web.horizontal, horizontal, h, th)) return 0.0;
        const auto row = [&](std::size_t hi) { return web.at(hi, v) * (1 - tv) + web.at(hi, v + 1) * tv; };
        return row(h) * (1 - th) + row(h + 1) * th;
    };
    constexpr int kPolar = 480, kAround = 960;
    double flux = 0.0;
    for (int i = 0; i < kPolar; ++i) {
        const double theta = (i + 0.5) * kPi / kPolar;
        for (int j = 0; j < kAround; ++j) {
            const double phi = (j + 0.5) * 2.0 * kPi / kAround;
            const PlGeVector3d d{std::sin(theta) * std::cos(phi), std::sin(theta) * std::sin(phi), std::cos(theta)};
            const plsim::scene::WebAngles at = plsim::scene::webAngles(web.type, d);
            flux += lookup(at.vertical, at.horizontal) * std::sin(theta);
        }
    }
    return flux * (kPi / kPolar) * (2.0 * kPi / kAround);
}

TEST(WebFlux, TypesAAndBWeighTheLatitudeOfTheirPoles) {
    const auto uniform = [](const PlGeVector3d&) { return 100.0; };
    const auto lambertian = [](const PlGeVector3d& d) { return frontOnly(d, -100.0 * d.z); };
    const auto brightPolesB = [](const PlGeVector3d& d) { return 100.0 * std::fabs(d.x); };  // poles on x
    const auto brightPolesA = [](const PlGeVector3d& d) { return 100.0 * std::fabs(d.y); };  // poles on y
    struct Case {
        const char* name;
        Type type;
        std::vector<double> vertical, horizontal;
        Distribution light;
        double lumen, tolerance;  ///< a share of the flux
    };
    const Case cases[] = {
        {"B isotropic, whole sphere", Type::B, steps(-180, 180, 10), steps(-90, 90, 10), uniform, 4 * kPi * 100, 1e-12},
        {"B isotropic, mirrored from 0", Type::B, steps(0, 180, 30), steps(0, 90, 15), uniform, 4 * kPi * 100, 1e-12},
        {"B isotropic, front half", Type::B, steps(-90, 90, 45), steps(-90, 90, 45), uniform, 2 * kPi * 100, 1e-12},
        {"A isotropic, whole sphere", Type::A, steps(-90, 90, 10), steps(-180, 180, 10), uniform, 4 * kPi * 100, 1e-12},
        {"B constant along H = +-90", Type::B, steps(-180, 180, 15), steps(-90, 90, 5), brightPolesB, 200 * kPi, 2e-3},
        {"A constant along V = +-90", Type::A, steps(-90, 90, 5), steps(0, 180, 15), brightPolesA, 200 * kPi, 2e-3},
        {"B lambertian", Type::B, steps(-90, 90, 5), steps(0, 90, 5), lambertian, 100 * kPi, 2e-3},
    };
    for (const Case& c : cases) {
        const PhotometricWeb web = read(webFile(c.type, c.vertical, c.horizontal, c.light));
        EXPECT_NEAR(plsim::scene::webFlux(web), c.lumen, c.tolerance * c.lumen) << c.name;
    }
}

TEST(WebFlux, FloodlightsAgreeWithAnIndependentIntegration) {
    // Grids as floodlight files have them: finer near the beam, mirrored or not.
    const std::vector<double> fine = {0, 2.5, 5, 7.5, 10, 12.5, 15, 17.5, 20, 25, 30, 35, 40, 45, 50, 60, 70, 80, 90};
    std::vector<double> both = fine;
    for (const double a : fine)
        if (a > 0) both.insert(both.begin(), -a);
    struct Case {
        const char* name;
        std::vector<double> vertical, horizontal;
        Distribution light;
    };
    const Case cases[] = {
        {"symmetric, front half", both, fine, floodlight(20000, 0.45, 0.2)},
        {"all round with spill, vertical mirrored", steps(0, 180, 5), both, floodlight(8000, 0.3, 0.6, 40)},
    };
    for (const Case& c : cases) {
        const PhotometricWeb web = read(webFile(Type::B, c.vertical, c.horizontal, c.light));
        const double independent = denseFlux(web);
        EXPECT_NEAR(plsim::scene::webFlux(web), independent, 0.005 * independent) << c.name;
    }
}

TEST(WebGrid, CompletedGridsTakeEachColumnFromItsMirror) {
    struct Case {
        Type type;
        std::vector<double> vertical, horizontal;
        std::vector<double> completedVertical, completedHorizontal;
        std::vector<std::size_t> sourceOfHorizontal;  ///< the file's column each completed one repeats
    };
    const Case cases[] = {
        {Type::C, {0, 90}, {0}, {0, 90}, {0, 360}, {0, 0}},
        {Type::C, {0, 90}, {0, 45, 90}, {0, 90}, {0, 45, 90, 135, 180, 225, 270, 315, 360}, {0, 1, 2, 1, 0, 1, 2, 1, 0}},
        {Type::C, {0, 90}, {0, 90, 180}, {0, 90}, {0, 90, 180, 270, 360}, {0, 1, 2, 1, 0}},
        {Type::C, {0, 90}, {90, 180, 270}, {0, 90}, {0, 90, 180, 270, 360}, {1, 0, 1, 2, 1}},
        {Type::B, {0, 90, 180}, {0, 45, 90}, {-180, -90, 0, 90, 180}, {-90, -45, 0, 45, 90}, {2, 1, 0, 1, 2}},
        {Type::A, {-90, 0, 90}, {-90, 90}, {-90, 0, 90}, {-90, 90}, {0, 1}},
    };
    for (const Case& c : cases) {
        // Each column of the file holds its own number.
        std::string values;
        for (std::size_t h = 0; h < c.horizontal.size(); ++h)
            for (std::size_t v = 0; v < c.vertical.size(); ++v) values += std::to_string(h + 1) + " ";
        const PhotometricWeb web =
            read("TILT=NONE\n1 -1 1 " + std::to_string(c.vertical.size()) + " " + std::to_string(c.horizontal.size()) +
                 " " + std::to_string(static_cast<int>(c.type)) + " 2 0 0 0 1 1 0\n" + text(c.vertical) +
                 text(c.horizontal) + values);
        const PhotometricWeb full = plsim::scene::completedWeb(web);
        EXPECT_EQ(full.vertical, c.completedVertical);
        ASSERT_EQ(full.horizontal, c.completedHorizontal);
        for (std::size_t h = 0; h < full.horizontal.size(); ++h)
            for (std::size_t v = 0; v < full.vertical.size(); ++v)
                EXPECT_EQ(full.at(h, v), c.sourceOfHorizontal[h] + 1.0) << "column " << full.horizontal[h];
    }
}

TEST(WebSpread, BeamAndFieldAnglesGoOutFromTheAxisAndStayOnTheSphere) {
    const auto cosine = [](const PlGeVector3d& d) { return frontOnly(d, -100.0 * d.z); };
    // A batwing: a third of its peak on the axis, the most at 50 degrees from it.
    const auto batwing = [](const PlGeVector3d& d) {
        const double fromAxis = std::acos(std::clamp(-d.z, -1.0, 1.0)) / kDegree;
        return frontOnly(d, 100.0 * (0.33 + 0.67 * std::exp(-std::pow((fromAxis - 50.0) / 20.0, 2))));
    };
    // A narrow beam and bright poles, which lie 90 degrees from the axis whatever the vertical angle.
    const auto beamAndPoles = [](const PlGeVector3d& d) {
        const double fromAxis = std::acos(std::clamp(-d.z, -1.0, 1.0)) / kDegree;
        return 100.0 * std::exp(-std::pow(fromAxis / 15.0, 2)) + 80.0 * std::pow(d.x, 8);
    };
    const Distribution flood = floodlight(1000, 0.4, 0.2);
    // The flood's widest plane is the one across the poles: 0.5 at sin(h) = 0.4 sqrt(ln 2).
    const double floodBeam = 2 * std::asin(0.4 * std::sqrt(std::log(2.0))) / kDegree;
    struct Case {
        const char* name;
        Type type;
        std::vector<double> vertical, horizontal;
        Distribution light;
        double fraction;
        Spread::Kind kind;
        double degrees;
    };
    const Case cases[] = {
        {"cosine downlight", Type::C, steps(0, 90, 5), {0}, cosine, 0.5, Spread::Kind::Angle, 120},
        {"isotropic", Type::C, steps(0, 180, 10), {0}, [](const PlGeVector3d&) { return 5.0; }, 0.1,
         Spread::Kind::NeverFalls, 0},
        {"batwing beam", Type::C, steps(0, 90, 2.5), steps(0, 90, 45), batwing, 0.5, Spread::Kind::AxisBelow, 0},
        {"batwing field", Type::C, steps(0, 90, 2.5), steps(0, 90, 45), batwing, 0.1, Spread::Kind::Angle, 180},
        {"B flood, widest plane", Type::B, steps(-90, 90, 5), steps(-90, 90, 3), flood, 0.5, Spread::Kind::Angle,
         floodBeam},
        {"A flood, the same light", Type::A, steps(0, 90, 2.5), steps(-90, 90, 2.5),
         [&flood](const PlGeVector3d& d) { return flood({d.y, d.x, d.z}); }, 0.5, Spread::Kind::Angle, floodBeam},
        {"B beam between bright poles", Type::B, steps(-180, 180, 5), steps(-90, 90, 2.5), beamAndPoles, 0.5,
         Spread::Kind::Angle, 2 * 15 * std::sqrt(std::log(100.0 / 50.0))},
        {"B front half, never below", Type::B, steps(-90, 90, 30), steps(0, 90, 30),
         [](const PlGeVector3d& d) { return frontOnly(d, 1.0); }, 0.5, Spread::Kind::Angle, 180},
    };
    for (const Case& c : cases) {
        const Spread spread = plsim::scene::spreadAngle(read(webFile(c.type, c.vertical, c.horizontal, c.light)),
                                                        c.fraction);
        EXPECT_EQ(spread.kind, c.kind) << c.name;
        if (c.kind == Spread::Kind::Angle) {
            EXPECT_NEAR(spread.degrees, c.degrees, 0.5) << c.name;
        }
    }
}

TEST(WebReader, FirstLinesInUseNameTheirVersionAndOthersTheNearest) {
    using Version = PhotometricWeb::Version;
    struct Case {
        const char* firstLine;
        Version version;
        const char* warning;  ///< part of the one warning, or null for none
    };
    const Case cases[] = {
        {"IESNA95", Version::Lm63_1995, nullptr},
        {"IESNA91", Version::Lm63_1991, nullptr},
        {"IESNA:LM-63-1986", Version::Lm63_1986, nullptr},
        {"iesna: lm-63-2002", Version::Lm63_2002, nullptr},
        {"IES:LM-63-2019", Version::Lm63_2019, nullptr},
        {"Data of 1986 start with free text", Version::Lm63_1986, nullptr},
        {"IESNA:LM-63-2008", Version::Lm63_2002, "\"IESNA:LM-63-2008\" is not one this reader knows; it is read as "
                                                 "LM-63-2002"},
        {"IESNA:LM-63-2099", Version::Lm63_2019, "read as LM-63-2019"},
        {"IES photometric report, 1993", Version::Lm63_1995, "read as LM-63-1995"},
        {"IESNA:LM-63", Version::Lm63_2019, "read as LM-63-2019"},
    };
    const auto uniform = [](const PlGeVector3d&) { return 1.0; };
    for (const Case& c : cases) {
        const PhotometricWeb web = read(webFile(Type::C, {0, 90}, {0}, uniform, c.firstLine));
        EXPECT_EQ(web.version, c.version) << c.firstLine;
        ASSERT_EQ(web.warnings.size(), c.warning ? 1u : 0u) << c.firstLine;
        if (c.warning) {
            const std::string warning(web.warnings[0].begin(), web.warnings[0].end());
            EXPECT_EQ(warning.rfind("t.ies, line 1: the format version ", 0), 0u) << warning;
            EXPECT_NE(warning.find(c.warning), std::string::npos) << warning;
        }
    }
}

}  // namespace
