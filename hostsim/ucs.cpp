// The user coordinate system of the session and conversions between it and the world system.
#include "host/pled.h"

#include <cmath>

#include "host/plge.h"
#include "hostsim/document_driver.h"
#include "hostsim/driver.h"
#include "hostsim/internal.h"

namespace plsim {
namespace {

struct Ucs {
    PlGePoint3d origin;
    PlGeVector3d xAxis = PlGeVector3d::kXAxis;
    PlGeVector3d yAxis = PlGeVector3d::kYAxis;
    PlGeVector3d zAxis = PlGeVector3d::kZAxis;
};

Ucs& ucs() {
    static Ucs current;
    return current;
}

double dot(const PlGeVector3d& a, const PlGeVector3d& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

PlGeVector3d cross(const PlGeVector3d& a, const PlGeVector3d& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

bool finite(const PlGeVector3d& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

}  // namespace

bool setUcs(double ox, double oy, double oz, double xx, double xy, double xz, double yx, double yy, double yz) {
    const PlGeVector3d origin(ox, oy, oz);
    PlGeVector3d x(xx, xy, xz);
    PlGeVector3d y(yx, yy, yz);
    if (!finite(origin) || !finite(x) || !finite(y)) return false;
    const double xLength = x.length();
    const double yLength = y.length();
    if (!std::isfinite(xLength) || !std::isfinite(yLength) || xLength <= PlGeContext::gTol.equalVector ||
        yLength <= PlGeContext::gTol.equalVector)
        return false;
    x = x * (1.0 / xLength);
    y = y * (1.0 / yLength);
    // The part of Y across X; parallel axes leave (almost) nothing of it.
    PlGeVector3d across = y - x * dot(x, y);
    const double acrossLength = across.length();
    if (acrossLength <= 1e-9) return false;
    across = across * (1.0 / acrossLength);
    Ucs& u = ucs();
    u.origin = PlGePoint3d(ox, oy, oz);
    u.xAxis = x;
    u.yAxis = across;
    u.zAxis = cross(x, across);
    detail::noteDrawingChanged();
    return true;
}

void resetUcs() {
    ucs() = Ucs{};
    detail::noteDrawingChanged();
}

UcsInfo currentUcs() {
    const Ucs& u = ucs();
    return {u.origin, u.xAxis, u.yAxis, u.zAxis};
}

bool restoreUcs(const PlGePoint3d& origin, const PlGeVector3d& xAxis, const PlGeVector3d& yAxis) {
    // What setUcs leaves is unit length and perpendicular to within a few units in the last place.
    constexpr double kExact = 1e-12;
    const bool orthonormal = finite(origin.asVector()) && finite(xAxis) && finite(yAxis) &&
                             std::fabs(xAxis.length() - 1.0) <= kExact && std::fabs(yAxis.length() - 1.0) <= kExact &&
                             std::fabs(dot(xAxis, yAxis)) <= kExact;
    if (!orthonormal) {
        return setUcs(origin.x, origin.y, origin.z, xAxis.x, xAxis.y, xAxis.z, yAxis.x, yAxis.y, yAxis.z);
    }
    ucs() = Ucs{origin, xAxis, yAxis, cross(xAxis, yAxis)};
    detail::noteDrawingChanged();
    return true;
}

}  // namespace plsim

int pledTrans(const double in[3], int from, int to, bool displacement, double out[3]) {
    const bool known = (from == PLED_WCS || from == PLED_UCS) && (to == PLED_WCS || to == PLED_UCS);
    if (!known || !in || !out) return PLRTERROR;
    const plsim::Ucs& u = plsim::ucs();
    const PlGeVector3d v(in[0], in[1], in[2]);
    PlGeVector3d result = v;
    if (from == PLED_WCS && to == PLED_UCS) {
        const PlGeVector3d rel = displacement ? v : v - u.origin.asVector();
        result = PlGeVector3d(plsim::dot(rel, u.xAxis), plsim::dot(rel, u.yAxis), plsim::dot(rel, u.zAxis));
    } else if (from == PLED_UCS && to == PLED_WCS) {
        result = u.xAxis * v.x + u.yAxis * v.y + u.zAxis * v.z;
        if (!displacement) result = result + u.origin.asVector();
    }
    out[0] = result.x;
    out[1] = result.y;
    out[2] = result.z;
    return PLRTNORM;
}
