// The orientation of a light's distribution: its frame and the web's directions within it.
#include "hostsim/sceneoe/light_frame.h"

#include <cmath>

namespace plsim::scene {
namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kRadiansPerDegree = kPi / 180.0;

double dot(const PlGeVector3d& a, const PlGeVector3d& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

bool isFinite(const PlGeVector3d& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

/// Turns the frame by `degrees` about its own axis `axis` (the right-hand rule).
void turnAbout(LightFrame& frame, int axis, double degrees) {
    if (degrees == 0.0 || !std::isfinite(degrees)) return;
    const double c = std::cos(degrees * kRadiansPerDegree);
    const double s = std::sin(degrees * kRadiansPerDegree);
    PlGeVector3d* const axes[3] = {&frame.x, &frame.y, &frame.z};
    PlGeVector3d& u = *axes[(axis + 1) % 3];
    PlGeVector3d& v = *axes[(axis + 2) % 3];
    const PlGeVector3d turnedU = u * c + v * s;
    const PlGeVector3d turnedV = v * c - u * s;
    u = turnedU;
    v = turnedV;
}

/// Degrees of atan2, 0 for a zero vector, above -180 to 180 (a -0 side gives 180, not -180).
double angleDeg(double y, double x) {
    if (y == 0.0 && x == 0.0) return 0.0;
    const double degrees = std::atan2(y, x) / kRadiansPerDegree;
    return degrees <= -180.0 ? 180.0 : degrees;
}

}  // namespace

PlGeVector3d LightFrame::toLocal(const PlGeVector3d& world) const { return {dot(world, x), dot(world, y), dot(world, z)}; }

LightFrame lightFrame(const PlGeVector3d& direction, const PlGeVector3d& webRotationDegrees) {
    LightFrame frame;
    const double length = direction.length();
    if (isFinite(direction) && length > 0.0 && std::isfinite(length)) {
        const double dx = direction.x / length, dy = direction.y / length, dz = direction.z / length;
        const double across = dx * dx + dy * dy;
        if (across == 0.0) {
            if (dz > 0.0) frame = {{1.0, 0.0, 0.0}, {0.0, -1.0, 0.0}, {0.0, 0.0, -1.0}};
        } else {
            // The shortest turn from -Z onto d (Rodrigues): 1 / (1 - dz) without cancellation.
            const double f = dz > 0.0 ? (1.0 + dz) / across : 1.0 / (1.0 - dz);
            frame.x = {1.0 - dx * dx * f, -dx * dy * f, dx};
            frame.y = {-dx * dy * f, 1.0 - dy * dy * f, dy};
            frame.z = {-dx, -dy, -dz};
        }
    }
    turnAbout(frame, 0, webRotationDegrees.x);
    turnAbout(frame, 1, webRotationDegrees.y);
    turnAbout(frame, 2, webRotationDegrees.z);
    return frame;
}

PlGeVector3d webDirection(PhotometricWeb::Type type, double verticalDeg, double horizontalDeg) {
    const double v = verticalDeg * kRadiansPerDegree, h = horizontalDeg * kRadiansPerDegree;
    switch (type) {
        case PhotometricWeb::Type::C: return {std::sin(v) * std::cos(h), std::sin(v) * std::sin(h), -std::cos(v)};
        case PhotometricWeb::Type::B: return {std::sin(h), std::cos(h) * std::sin(v), -std::cos(h) * std::cos(v)};
        case PhotometricWeb::Type::A: return {std::cos(v) * std::sin(h), std::sin(v), -std::cos(v) * std::cos(h)};
    }
    return {0.0, 0.0, -1.0};
}

WebAngles webAngles(PhotometricWeb::Type type, const PlGeVector3d& local) {
    const double x = local.x, y = local.y, z = local.z;
    switch (type) {
        case PhotometricWeb::Type::C: {
            double horizontal = angleDeg(y, x);
            if (horizontal < 0.0) horizontal += 360.0;
            if (horizontal >= 360.0) horizontal = 0.0;
            return {angleDeg(std::hypot(x, y), -z), horizontal};
        }
        case PhotometricWeb::Type::B: return {angleDeg(y, -z), angleDeg(x, std::hypot(y, z))};
        case PhotometricWeb::Type::A: return {angleDeg(y, std::hypot(x, z)), angleDeg(x, -z)};
    }
    return {};
}

}  // namespace plsim::scene
