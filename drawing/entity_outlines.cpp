// The drawing's entities as the picture draws them: each curve as a line through points, texts
// at their place.
#include "drawing/entity_outlines.h"

#include <algorithm>
#include <cmath>

#include "drawing/entity_kind.h"
#include "host/pldbents.h"
#include "hostsim/drawing_driver.h"

namespace plandor {

namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kStep = 5.0 * kPi / 180.0;  ///< between the points of an arc
constexpr int kSplineSteps = 12;             ///< points a span of a spline
constexpr int kMostSteps = 1 << 16;          ///< chords of one arc or one span of a spline, at most

PlGePoint3d lerp(const PlGePoint3d& a, const PlGePoint3d& b, double from, double to, double t) {
    const double f = (t - from) / (to - from);
    return a + (b - a) * f;
}

double dot(const PlGeVector3d& a, const PlGeVector3d& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

/// How far `p` lies from the segment from `a` to `b`.
double distanceToSegment(const PlGePoint3d& p, const PlGePoint3d& a, const PlGePoint3d& b) {
    const PlGeVector3d ab = b - a;
    const double squared = dot(ab, ab);
    const double f = squared > 0.0 ? std::clamp(dot(p - a, ab) / squared, 0.0, 1.0) : 0.0;
    return p.distanceTo(a + ab * f);
}

/// One span of a centripetal Catmull-Rom spline: from p1 to p2, p0 and p3 its neighbours,
/// t0 to t3 their knots.
struct Span {
    PlGePoint3d p0, p1, p2, p3;
    double t0, t1, t2, t3;

    PlGePoint3d at(double t) const {
        const PlGePoint3d a1 = lerp(p0, p1, t0, t1, t);
        const PlGePoint3d a2 = lerp(p1, p2, t1, t2, t);
        const PlGePoint3d a3 = lerp(p2, p3, t2, t3, t);
        const PlGePoint3d b1 = lerp(a1, a2, t0, t2, t);
        const PlGePoint3d b2 = lerp(a2, a3, t1, t3, t);
        return lerp(b1, b2, t1, t2, t);
    }
    /// The point `step` of `steps` along the span (0 at p1).
    PlGePoint3d step(int step, int steps) const { return at(t1 + (t2 - t1) * step / steps); }
};

/// Chords a span is divided into: 12, or as many more (doubling) as keep the middle of each
/// chord within `tolerance` of the curve.
int spanSteps(const Span& span, double tolerance) {
    int steps = kSplineSteps;
    for (; tolerance > 0.0 && steps < kMostSteps; steps *= 2) {
        bool fine = true;
        PlGePoint3d from = span.p1;
        for (int step = 1; step <= steps && fine; ++step) {
            const PlGePoint3d to = span.step(step, steps);
            fine = distanceToSegment(span.at(span.t1 + (span.t2 - span.t1) * (step - 0.5) / steps), from, to) <= tolerance;
            from = to;
        }
        if (fine) break;
    }
    return steps;
}

/// The points of a spline through `fit`: centripetal Catmull-Rom, each span sampled in
/// steps, the ends continued by mirroring their neighbours.
std::vector<PlGePoint3d> splinePoints(const std::vector<PlGePoint3d>& fit, double tolerance) {
    if (fit.size() < 3) return fit;
    std::vector<PlGePoint3d> p;
    p.push_back(fit[0] + (fit[0] - fit[1]));
    p.insert(p.end(), fit.begin(), fit.end());
    p.push_back(fit.back() + (fit.back() - fit[fit.size() - 2]));
    std::vector<PlGePoint3d> out{fit.front()};
    for (std::size_t i = 1; i + 2 < p.size(); ++i) {
        Span span{p[i - 1], p[i], p[i + 1], p[i + 2], 0.0, 0.0, 0.0, 0.0};
        span.t1 = span.t0 + std::sqrt(p[i].distanceTo(p[i - 1]));
        span.t2 = span.t1 + std::sqrt(p[i + 1].distanceTo(p[i]));
        span.t3 = span.t2 + std::sqrt(p[i + 2].distanceTo(p[i + 1]));
        const int steps = spanSteps(span, tolerance);
        for (int step = 1; step <= steps; ++step) out.push_back(step == steps ? p[i + 1] : span.step(step, steps));
    }
    return out;
}

/// The angle between the points of an arc of `radius`: 5 degrees, or less where a chord
/// would stray farther than `tolerance` from the arc (its sagitta r (1 - cos(a/2)) =
/// 2 r sin^2(a/4)).
double angleStep(double radius, double tolerance) {
    if (!(tolerance > 0.0) || !(tolerance < 2.0 * radius)) return kStep;
    return std::min(kStep, 4.0 * std::asin(std::sqrt(tolerance / (2.0 * radius))));
}

/// Points of center + major cos t + minor sin t for t from `start` to `end`, `step` apart at most.
std::vector<PlGePoint3d> ellipsePoints(const PlGePoint3d& center, const PlGeVector3d& major, const PlGeVector3d& minor,
                                       double start, double end, double step) {
    const double chords = std::min<double>(kMostSteps, std::ceil((end - start) / step - 1e-9));
    const int steps = std::max(2, static_cast<int>(chords));
    std::vector<PlGePoint3d> out;
    for (int i = 0; i <= steps; ++i) {
        const double t = start + (end - start) * i / steps;
        out.push_back(center + major * std::cos(t) + minor * std::sin(t));
    }
    return out;
}

/// The shape of `entity`; false for an entity the picture does not draw.
bool shapeOf(const PlDbObject* entity, double tolerance, EntityOutline& shape) {
    // The entity's class asked once: a light's class is looked up by name each time.
    const PlRxClass* const cls = entity->isA();
    const auto is = [cls](const PlRxClass* kind) { return cls != nullptr && cls->isDerivedFrom(kind); };
    if (is(PlDbLine::desc())) {
        const auto* line = static_cast<const PlDbLine*>(entity);
        shape.points = {line->startPoint(), line->endPoint()};
    } else if (is(PlDbArc::desc())) {
        const auto* arc = static_cast<const PlDbArc*>(entity);
        double end = arc->endAngle();
        if (end <= arc->startAngle()) end += 2.0 * kPi;
        shape.points = ellipsePoints(arc->center(), PlGeVector3d::kXAxis * arc->radius(),
                                     PlGeVector3d::kYAxis * arc->radius(), arc->startAngle(), end,
                                     angleStep(arc->radius(), tolerance));
    } else if (is(PlDbCircle::desc())) {
        const auto* circle = static_cast<const PlDbCircle*>(entity);
        shape.points = ellipsePoints(circle->center(), PlGeVector3d::kXAxis * circle->radius(),
                                     PlGeVector3d::kYAxis * circle->radius(), 0.0, 2.0 * kPi,
                                     angleStep(circle->radius(), tolerance));
        shape.closed = true;
    } else if (is(PlDbEllipse::desc())) {
        const auto* ellipse = static_cast<const PlDbEllipse*>(entity);
        const PlGeVector3d& major = ellipse->majorAxis();
        PlGeVector3d across(-major.y, major.x, 0.0);  // world Z x major
        if (across.isZeroLength()) across = PlGeVector3d::kXAxis;
        const PlGeVector3d minor = across.normal() * (major.length() * ellipse->radiusRatio());
        // An affine image of a circle of the major radius: no chord strays farther than there.
        shape.points = ellipsePoints(ellipse->center(), major, minor, 0.0, 2.0 * kPi, angleStep(major.length(), tolerance));
        shape.closed = true;
    } else if (is(PlDbPolyline::desc())) {
        shape.points = static_cast<const PlDbPolyline*>(entity)->points();
    } else if (is(PlDb3dPolyline::desc())) {
        shape.points = static_cast<const PlDb3dPolyline*>(entity)->points();
    } else if (is(PlDb2dPolyline::desc())) {
        shape.points = static_cast<const PlDb2dPolyline*>(entity)->points();
    } else if (is(PlDbSpline::desc())) {
        shape.points = splinePoints(static_cast<const PlDbSpline*>(entity)->points(), tolerance);
    } else if (is(PlDbText::desc())) {
        const auto* text = static_cast<const PlDbText*>(entity);
        shape.points = {text->position()};
        shape.text = text->textString();
        shape.height = text->height();
    } else if (is(PlDbRegion::desc())) {
        shape.points = static_cast<const PlDbRegion*>(entity)->boundary();
        shape.closed = true;
    } else {
        return false;
    }
    shape.kind = entityKind(entity);
    return true;
}

}  // namespace

std::vector<EntityOutline> entityOutlinesOf(PlDbDatabase* db, double chordTolerance) {
    std::vector<EntityOutline> entities;
    if (!db) return entities;
    for (const PlDbObjectId& id : plsim::entityIds(db)) {
        PlDbObject* entity = nullptr;
        if (pldbOpenPlDbObject(entity, id, PlDb::kForNotify, false) != Plad::eOk) continue;  // erased
        EntityOutline shape;
        shape.handle = id.handle();
        if (shapeOf(entity, chordTolerance, shape)) entities.push_back(std::move(shape));
        entity->close();
    }
    return entities;
}

double textWidth(const std::wstring& text, double height) {
    const auto characters = std::count_if(text.begin(), text.end(), [](wchar_t c) { return !(c >= 0xDC00 && c <= 0xDFFF); });
    return 0.6 * height * static_cast<double>(characters);
}

}  // namespace plandor
