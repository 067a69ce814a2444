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

PlGePoint3d lerp(const PlGePoint3d& a, const PlGePoint3d& b, double from, double to, double t) {
    const double f = (t - from) / (to - from);
    return a + (b - a) * f;
}

/// The points of a spline through `fit`: centripetal Catmull-Rom, each span sampled in
/// steps, the ends continued by mirroring their neighbours.
std::vector<PlGePoint3d> splinePoints(const std::vector<PlGePoint3d>& fit) {
    if (fit.size() < 3) return fit;
    std::vector<PlGePoint3d> p;
    p.push_back(fit[0] + (fit[0] - fit[1]));
    p.insert(p.end(), fit.begin(), fit.end());
    p.push_back(fit.back() + (fit.back() - fit[fit.size() - 2]));
    std::vector<PlGePoint3d> out{fit.front()};
    for (std::size_t i = 1; i + 2 < p.size(); ++i) {
        const double t0 = 0.0;
        const double t1 = t0 + std::sqrt(p[i].distanceTo(p[i - 1]));
        const double t2 = t1 + std::sqrt(p[i + 1].distanceTo(p[i]));
        const double t3 = t2 + std::sqrt(p[i + 2].distanceTo(p[i + 1]));
        for (int step = 1; step <= kSplineSteps; ++step) {
            const double t = t1 + (t2 - t1) * step / kSplineSteps;
            const PlGePoint3d a1 = lerp(p[i - 1], p[i], t0, t1, t);
            const PlGePoint3d a2 = lerp(p[i], p[i + 1], t1, t2, t);
            const PlGePoint3d a3 = lerp(p[i + 1], p[i + 2], t2, t3, t);
            const PlGePoint3d b1 = lerp(a1, a2, t0, t2, t);
            const PlGePoint3d b2 = lerp(a2, a3, t1, t3, t);
            out.push_back(step == kSplineSteps ? p[i + 1] : lerp(b1, b2, t1, t2, t));
        }
    }
    return out;
}

/// Points of center + major cos t + minor sin t for t from `start` to `end`.
std::vector<PlGePoint3d> ellipsePoints(const PlGePoint3d& center, const PlGeVector3d& major, const PlGeVector3d& minor,
                                       double start, double end) {
    const int steps = std::max(2, static_cast<int>(std::ceil((end - start) / kStep - 1e-9)));
    std::vector<PlGePoint3d> out;
    for (int i = 0; i <= steps; ++i) {
        const double t = start + (end - start) * i / steps;
        out.push_back(center + major * std::cos(t) + minor * std::sin(t));
    }
    return out;
}

/// The shape of `entity`; false for an entity the picture does not draw.
bool shapeOf(const PlDbObject* entity, EntityOutline& shape) {
    if (entity->isKindOf(PlDbLine::desc())) {
        const auto* line = static_cast<const PlDbLine*>(entity);
        shape.points = {line->startPoint(), line->endPoint()};
    } else if (entity->isKindOf(PlDbArc::desc())) {
        const auto* arc = static_cast<const PlDbArc*>(entity);
        double end = arc->endAngle();
        if (end <= arc->startAngle()) end += 2.0 * kPi;
        shape.points = ellipsePoints(arc->center(), PlGeVector3d::kXAxis * arc->radius(),
                                     PlGeVector3d::kYAxis * arc->radius(), arc->startAngle(), end);
    } else if (entity->isKindOf(PlDbCircle::desc())) {
        const auto* circle = static_cast<const PlDbCircle*>(entity);
        shape.points = ellipsePoints(circle->center(), PlGeVector3d::kXAxis * circle->radius(),
                                     PlGeVector3d::kYAxis * circle->radius(), 0.0, 2.0 * kPi);
        shape.closed = true;
    } else if (entity->isKindOf(PlDbEllipse::desc())) {
        const auto* ellipse = static_cast<const PlDbEllipse*>(entity);
        const PlGeVector3d& major = ellipse->majorAxis();
        PlGeVector3d across(-major.y, major.x, 0.0);  // world Z x major
        if (across.isZeroLength()) across = PlGeVector3d::kXAxis;
        const PlGeVector3d minor = across.normal() * (major.length() * ellipse->radiusRatio());
        shape.points = ellipsePoints(ellipse->center(), major, minor, 0.0, 2.0 * kPi);
        shape.closed = true;
    } else if (entity->isKindOf(PlDbPolyline::desc())) {
        shape.points = static_cast<const PlDbPolyline*>(entity)->points();
    } else if (entity->isKindOf(PlDb3dPolyline::desc())) {
        shape.points = static_cast<const PlDb3dPolyline*>(entity)->points();
    } else if (entity->isKindOf(PlDb2dPolyline::desc())) {
        shape.points = static_cast<const PlDb2dPolyline*>(entity)->points();
    } else if (entity->isKindOf(PlDbSpline::desc())) {
        shape.points = splinePoints(static_cast<const PlDbSpline*>(entity)->points());
    } else if (entity->isKindOf(PlDbText::desc())) {
        const auto* text = static_cast<const PlDbText*>(entity);
        shape.points = {text->position()};
        shape.text = text->textString();
        shape.height = text->height();
    } else if (entity->isKindOf(PlDbRegion::desc())) {
        shape.points = static_cast<const PlDbRegion*>(entity)->boundary();
        shape.closed = true;
    } else {
        return false;
    }
    shape.kind = entityKind(entity);
    return true;
}

}  // namespace

std::vector<EntityOutline> entityOutlinesOf(PlDbDatabase* db) {
    std::vector<EntityOutline> entities;
    if (!db) return entities;
    for (const PlDbObjectId& id : plsim::entityIds(db)) {
        PlDbObject* entity = nullptr;
        if (pldbOpenPlDbObject(entity, id, PlDb::kForNotify, false) != Plad::eOk) continue;  // erased
        EntityOutline shape;
        if (shapeOf(entity, shape)) entities.push_back(std::move(shape));
        entity->close();
    }
    return entities;
}

double textWidth(const std::wstring& text, double height) {
    const auto characters = std::count_if(text.begin(), text.end(), [](wchar_t c) { return !(c >= 0xDC00 && c <= 0xDFFF); });
    return 0.6 * height * static_cast<double>(characters);
}

}  // namespace plandor
