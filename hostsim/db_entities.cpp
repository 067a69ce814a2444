// Entities with geometry: the curves, text and regions, each checking the geometry it is
// given and moving by an offset.
#include "host/pldbents.h"

#include <cmath>

namespace {

constexpr double kTwoPi = 6.283185307179586;

bool finite(const PlGePoint3d& p) { return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z); }
bool finite(const PlGeVector3d& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }
bool positive(double value) { return std::isfinite(value) && value > 0.0; }

/// Finite points, at least `least` of them, no two neighbours equal; with
/// `flat` all at one elevation.
bool validPoints(const std::vector<PlGePoint3d>& points, std::size_t least, bool flat) {
    if (points.size() < least) return false;
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (!finite(points[i])) return false;
        if (flat && points[i].z != points[0].z) return false;
        if (i > 0 && points[i].isEqualTo(points[i - 1])) return false;
    }
    return true;
}

/// A polygon that bounds an area: in one plane and not all on one line.
bool boundsArea(const std::vector<PlGePoint3d>& points) {
    if (!validPoints(points, 3, false)) return false;
    PlGeVector3d normal;
    for (std::size_t i = 2; i < points.size() && normal.isZeroLength(); ++i) {
        const PlGeVector3d a = points[1] - points[0], b = points[i] - points[0];
        normal = {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
    }
    if (normal.isZeroLength()) return false;
    normal.normalize();
    double extent = 0.0;
    for (const PlGePoint3d& p : points) extent = std::fmax(extent, (p - points[0]).length());
    for (const PlGePoint3d& p : points) {
        const PlGeVector3d d = p - points[0];
        if (std::fabs(d.x * normal.x + d.y * normal.y + d.z * normal.z) > 1e-9 * std::fmax(1.0, extent)) return false;
    }
    return true;
}

double normalAngle(double angle) {
    const double a = std::fmod(angle, kTwoPi);
    return a < 0.0 ? a + kTwoPi : a;
}

void move(std::vector<PlGePoint3d>& points, const PlGeVector3d& offset) {
    for (PlGePoint3d& p : points) p = p + offset;
}

}  // namespace

/// Checks that the entity may change and that the new geometry is sound.
#define PL_CHECK_CHANGE(valid)                                                   \
    if (const Plad::ErrorStatus es = assertWriteEnabled(); es != Plad::eOk) return es; \
    if (!(valid)) return Plad::eInvalidInput

/// The class descriptor of a host class (host classes are never deleted).
#define PL_HOST_CLASS(Class)                                              \
    PlRxClass* Class::isA() const { return desc(); }                      \
    PlRxClass* Class::desc() {                                            \
        static PlRxClass* const cls = plrxFindPlRxClass(L## #Class);      \
        return cls;                                                       \
    }

PlDbCurve::PlDbCurve() = default;
PlDbCurve::~PlDbCurve() = default;
PL_HOST_CLASS(PlDbCurve)

PlDbLine::PlDbLine() : m_end(1.0, 0.0, 0.0) {}
PlDbLine::~PlDbLine() = default;
Plad::ErrorStatus PlDbLine::set(const PlGePoint3d& start, const PlGePoint3d& end) {
    PL_CHECK_CHANGE(finite(start) && finite(end) && !start.isEqualTo(end));
    m_start = start;
    m_end = end;
    return Plad::eOk;
}
Plad::ErrorStatus PlDbLine::moveBy(const PlGeVector3d& offset) { return set(m_start + offset, m_end + offset); }
PL_HOST_CLASS(PlDbLine)

PlDbCircle::PlDbCircle() = default;
PlDbCircle::~PlDbCircle() = default;
Plad::ErrorStatus PlDbCircle::set(const PlGePoint3d& center, double radius) {
    PL_CHECK_CHANGE(finite(center) && positive(radius));
    m_center = center;
    m_radius = radius;
    return Plad::eOk;
}
Plad::ErrorStatus PlDbCircle::moveBy(const PlGeVector3d& offset) { return set(m_center + offset, m_radius); }
PL_HOST_CLASS(PlDbCircle)

PlDbArc::PlDbArc() = default;
PlDbArc::~PlDbArc() = default;
Plad::ErrorStatus PlDbArc::set(const PlGePoint3d& center, double radius, double startAngle, double endAngle) {
    PL_CHECK_CHANGE(finite(center) && positive(radius) && std::isfinite(startAngle) && std::isfinite(endAngle) &&
                    normalAngle(startAngle) != normalAngle(endAngle));
    m_center = center;
    m_radius = radius;
    m_start = normalAngle(startAngle);
    m_end = normalAngle(endAngle);
    return Plad::eOk;
}
Plad::ErrorStatus PlDbArc::moveBy(const PlGeVector3d& offset) { return set(m_center + offset, m_radius, m_start, m_end); }
PL_HOST_CLASS(PlDbArc)

PlDbEllipse::PlDbEllipse() = default;
PlDbEllipse::~PlDbEllipse() = default;
Plad::ErrorStatus PlDbEllipse::set(const PlGePoint3d& center, const PlGeVector3d& majorAxis, double radiusRatio) {
    PL_CHECK_CHANGE(finite(center) && finite(majorAxis) && !majorAxis.isZeroLength() && positive(radiusRatio) &&
                    radiusRatio <= 1.0);
    m_center = center;
    m_majorAxis = majorAxis;
    m_ratio = radiusRatio;
    return Plad::eOk;
}
Plad::ErrorStatus PlDbEllipse::moveBy(const PlGeVector3d& offset) {
    return set(m_center + offset, m_majorAxis, m_ratio);
}
PL_HOST_CLASS(PlDbEllipse)

#define PL_POINT_CURVE(Class, flat)                                                \
    Class::Class() = default;                                                      \
    Class::~Class() = default;                                                     \
    Plad::ErrorStatus Class::setPoints(const std::vector<PlGePoint3d>& points) {   \
        PL_CHECK_CHANGE(validPoints(points, 2, flat));                             \
        m_points = points;                                                         \
        return Plad::eOk;                                                          \
    }                                                                              \
    Plad::ErrorStatus Class::moveBy(const PlGeVector3d& offset) {                  \
        std::vector<PlGePoint3d> moved = m_points;                                 \
        move(moved, offset);                                                       \
        return setPoints(moved);                                                   \
    }                                                                              \
    PL_HOST_CLASS(Class)
PL_POINT_CURVE(PlDbPolyline, true)
PL_POINT_CURVE(PlDb3dPolyline, false)
PL_POINT_CURVE(PlDbSpline, false)
PL_POINT_CURVE(PlDb2dPolyline, true)

PlDbText::PlDbText() : m_text(L"Text") {}
PlDbText::~PlDbText() = default;
Plad::ErrorStatus PlDbText::set(const PlGePoint3d& position, const wchar_t* text, double height) {
    PL_CHECK_CHANGE(finite(position) && text && *text && positive(height));
    m_position = position;
    m_text = text;
    m_height = height;
    return Plad::eOk;
}
Plad::ErrorStatus PlDbText::moveBy(const PlGeVector3d& offset) {
    const std::wstring text = m_text;
    return set(m_position + offset, text.c_str(), m_height);
}
PL_HOST_CLASS(PlDbText)

PlDbRegion::PlDbRegion() = default;
PlDbRegion::~PlDbRegion() = default;
Plad::ErrorStatus PlDbRegion::setBoundary(const std::vector<PlGePoint3d>& boundary) {
    PL_CHECK_CHANGE(boundsArea(boundary));
    m_boundary = boundary;
    return Plad::eOk;
}
Plad::ErrorStatus PlDbRegion::moveBy(const PlGeVector3d& offset) {
    std::vector<PlGePoint3d> moved = m_boundary;
    move(moved, offset);
    return setBoundary(moved);
}
PL_HOST_CLASS(PlDbRegion)
