// The geometry of the picture of the drawing: the two views, fitting them into their panels,
// round steps for grids and scale bars, and a light's cone as it is seen in a view.
#include "picture/plan_geometry.h"

#include <algorithm>
#include <cmath>

namespace plandor {

namespace {

constexpr double kPi = 3.141592653589793;
/// Below this many pixels a cone's end is taken as seen edge on, and a whole cone as unseen.
constexpr double kEdgeOnPixels = 0.005;
constexpr double kUnseenPixels = 0.01;

PlGeVector3d cross(const PlGeVector3d& a, const PlGeVector3d& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
double cross(Point2 a, Point2 b) { return a.x * b.y - a.y * b.x; }
Point2 operator+(Point2 a, Point2 b) { return {a.x + b.x, a.y + b.y}; }
Point2 operator-(Point2 a, Point2 b) { return {a.x - b.x, a.y - b.y}; }
Point2 operator*(Point2 a, double s) { return {a.x * s, a.y * s}; }

/// The disc at a cone's end: its centre and two perpendicular radii.
struct ConeEnd {
    PlGePoint3d center;
    PlGeVector3d u, v;
};

ConeEnd coneEnd(const Cone& cone) {
    const PlGeVector3d& d = cone.axis;
    const PlGeVector3d helper = std::abs(d.z) < 0.9 ? PlGeVector3d::kZAxis : PlGeVector3d::kXAxis;
    const PlGeVector3d u = cross(d, helper).normal();
    const PlGeVector3d v = cross(d, u);
    const double radius = cone.length * std::sin(cone.halfAngle);
    return {cone.apex + d * (cone.length * std::cos(cone.halfAngle)), u * radius, v * radius};
}

/// The ellipse c + U cos t + V sin t: its radii along its own axes and the angle of its
/// first axis, in degrees.
void principalAxes(Point2 U, Point2 V, ConeOutline& out) {
    const double a11 = U.x * U.x + V.x * V.x;
    const double a12 = U.x * U.y + V.x * V.y;
    const double a22 = U.y * U.y + V.y * V.y;
    const double mean = (a11 + a22) / 2.0;
    const double root = std::hypot((a11 - a22) / 2.0, a12);
    out.radiusX = std::sqrt(mean + root);
    out.radiusY = std::sqrt(std::max(mean - root, 0.0));
    out.rotationDeg = 0.5 * std::atan2(2.0 * a12, a11 - a22) * 180.0 / kPi;
}

}  // namespace

Point2 viewPoint(ViewKind view, const PlGePoint3d& point) {
    switch (view) {
        case ViewKind::Plan: return {point.x, point.y};
        case ViewKind::Front: return {point.x, point.z};
    }
    return {};
}

Point2 viewVector(ViewKind view, const PlGeVector3d& vector) {
    return viewPoint(view, PlGePoint3d(vector.x, vector.y, vector.z));
}

double towardViewer(ViewKind view, const PlGeVector3d& vector) {
    switch (view) {
        case ViewKind::Plan: return vector.z;
        case ViewKind::Front: return -vector.y;
    }
    return 0.0;
}

void Box2::add(Point2 p) {
    constexpr double kLargest = std::numeric_limits<double>::max();
    if (std::isnan(p.x) || std::isnan(p.y)) return;
    p = {std::clamp(p.x, -kLargest, kLargest), std::clamp(p.y, -kLargest, kLargest)};
    minX = std::min(minX, p.x);
    maxX = std::max(maxX, p.x);
    minY = std::min(minY, p.y);
    maxY = std::max(maxY, p.y);
}

Frame fitFrame(const Box2& box, double left, double top, double width, double height, double margin) {
    const double innerWidth = width - 2.0 * margin;
    const double innerHeight = height - 2.0 * margin;
    const bool empty = box.empty();
    const double halfX = empty ? 0.0 : halfSpan(box.minX, box.maxX);
    const double halfY = empty ? 0.0 : halfSpan(box.minY, box.maxY);
    const double inf = std::numeric_limits<double>::infinity();
    double scale = std::min(halfX > 0.0 ? innerWidth / 2.0 / halfX : inf, halfY > 0.0 ? innerHeight / 2.0 / halfY : inf);
    if (!(scale > 0.0) || !std::isfinite(scale)) scale = std::min(innerWidth, innerHeight);
    const double centerX = empty ? 0.0 : box.minX / 2.0 + box.maxX / 2.0;
    const double centerY = empty ? 0.0 : box.minY / 2.0 + box.maxY / 2.0;
    return {scale, centerX, centerY, left + width / 2.0, top + height / 2.0};
}

namespace {

/// 1, 2 or 5 times the power of ten at or below `value`, and that power.
double powerOfTenBelow(double value) {
    double power = std::pow(10.0, std::floor(std::log10(value)));
    if (power > value) power /= 10.0;
    return power;
}

}  // namespace

double roundStepAtLeast(double value) {
    if (!(value > 0.0) || !std::isfinite(value)) return 1.0;
    const double power = powerOfTenBelow(value);
    for (const double m : {1.0, 2.0, 5.0}) {
        if (m * power >= value * (1.0 - 1e-12)) return m * power;
    }
    return 10.0 * power;
}

double roundStepAtMost(double value) {
    if (!(value > 0.0) || !std::isfinite(value)) return 1.0;
    const double power = powerOfTenBelow(value);
    for (const double m : {5.0, 2.0}) {
        if (m * power <= value * (1.0 + 1e-12)) return m * power;
    }
    return power;
}

void addCone(Box2& box, ViewKind view, const Cone& cone) {
    const ConeEnd end = coneEnd(cone);
    const Point2 c = viewPoint(view, end.center);
    const Point2 U = viewVector(view, end.u);
    const Point2 V = viewVector(view, end.v);
    const double extentX = std::hypot(U.x, V.x);
    const double extentY = std::hypot(U.y, V.y);
    box.add(viewPoint(view, cone.apex));
    box.add({c.x - extentX, c.y - extentY});
    box.add({c.x + extentX, c.y + extentY});
}

// The end's ellipse is e(t) = c + U cos t + V sin t in pixels. A side of the outline runs
// from the apex a to where it touches the ellipse: where e(t) - a is parallel to e'(t), that
// is where cross(w, V) cos t - cross(w, U) sin t = -cross(U, V) with w = c - a. Without such
// a point the apex lies within the ellipse, which is all that shows.
ConeOutline coneOutline(ViewKind view, const Frame& frame, const Cone& cone) {
    ConeOutline out;
    const ConeEnd end = coneEnd(cone);
    const Point2 a = frame.toPixels(viewPoint(view, cone.apex));
    const Point2 c = frame.toPixels(viewPoint(view, end.center));
    const Point2 U = frame.toPixelVector(viewVector(view, end.u));
    const Point2 V = frame.toPixelVector(viewVector(view, end.v));
    const Point2 w = c - a;
    if (std::hypot(U.x, U.y) + std::hypot(V.x, V.y) + std::hypot(w.x, w.y) < kUnseenPixels) return out;
    out.apex = a;
    out.center = c;
    principalAxes(U, V, out);
    const auto at = [&](double t) { return c + U * std::cos(t) + V * std::sin(t); };

    if (out.radiusY < kEdgeOnPixels) {
        const double angle = out.rotationDeg * kPi / 180.0;
        const Point2 major{std::cos(angle) * out.radiusX, std::sin(angle) * out.radiusX};
        out.shape = ConeOutline::Shape::Wedge;
        out.first = c + major;
        out.last = c - major;
        return out;
    }
    const double K = cross(U, V);
    const double P = cross(w, V);
    const double Q = -cross(w, U);
    const double R = std::hypot(P, Q);
    out.sweep = K > 0.0;  // increasing t runs in the positive-angle direction of the pixels
    if (R <= std::abs(K)) {
        out.shape = ConeOutline::Shape::EndOnly;
        out.first = at(0.0);
        out.opposite = at(kPi);
        return out;
    }
    const double middle = std::atan2(Q, P);
    const double half = std::acos(std::clamp(-K / R, -1.0, 1.0));
    const Point2 e1 = at(middle - half);
    const Point2 e2 = at(middle + half);
    // The far arc lies across the chord from the apex.
    const Point2 chord = e2 - e1;
    const bool arcFromFirstIsFar = cross(chord, a - e1) * cross(chord, at(middle) - e1) < 0.0;
    const double span = arcFromFirstIsFar ? 2.0 * half : 2.0 * kPi - 2.0 * half;
    out.shape = ConeOutline::Shape::Cone;
    out.first = arcFromFirstIsFar ? e1 : e2;
    out.last = arcFromFirstIsFar ? e2 : e1;
    out.largeArc = span > kPi;
    return out;
}

}  // namespace plandor
