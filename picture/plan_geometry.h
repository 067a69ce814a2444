// The geometry of the picture of the drawing: the two views, fitting them into their panels,
// round steps for grids and scale bars, and a light's cone as it is seen in a view.
#pragma once

#include <limits>

#include "host/plge.h"

namespace plandor {

struct Point2 {
    double x = 0.0, y = 0.0;
};

/// The views of the picture: the plan looks down, world X across and Y up; the front
/// elevation looks from the front (from -Y towards +Y), world X across and Z up.
enum class ViewKind { Plan, Front };

/// A world point, or vector, in the coordinates of a view's plane.
Point2 viewPoint(ViewKind view, const PlGePoint3d& point);
Point2 viewVector(ViewKind view, const PlGeVector3d& vector);
/// How much a world vector points at the person looking at the view.
double towardViewer(ViewKind view, const PlGeVector3d& vector);

/// A box in a view's coordinates, grown by what is added to it. A coordinate beyond the
/// range of double (an overflow) counts as the largest one; one that is no number is left out.
struct Box2 {
    double minX = std::numeric_limits<double>::infinity(), minY = minX;
    double maxX = -minX, maxY = -minX;
    void add(Point2 p);
    bool empty() const { return minX > maxX; }
};

/// Half the distance from `low` to `high`, which does not overflow where the distance would
/// (from near the lowest double to near the largest).
inline double halfSpan(double low, double high) { return high / 2.0 - low / 2.0; }

/// From a view's coordinates to the picture's pixels: one scale for both directions (so
/// angles and circles stay as they are), pixel y running down. Points are taken relative to
/// the centre of the view, in halves, so that coordinates near the ends of the range of
/// double reach their pixels without overflow.
struct Frame {
    double scale = 1.0;  ///< pixels per drawing unit
    double centerX = 0.0, centerY = 0.0;  ///< the view point shown at the pixel (pixelX, pixelY)
    double pixelX = 0.0, pixelY = 0.0;
    Point2 toPixels(Point2 p) const {
        return {pixelX + halfSpan(centerX, p.x) * scale * 2.0, pixelY - halfSpan(centerY, p.y) * scale * 2.0};
    }
    Point2 toPixelVector(Point2 v) const { return {v.x * scale, -v.y * scale}; }
    /// The view coordinate of a pixel column or row, held to the range of double.
    double viewX(double pixel) const { return inRange(centerX + (pixel - pixelX) / scale); }
    double viewY(double pixel) const { return inRange(centerY - (pixel - pixelY) / scale); }

private:
    static double inRange(double value) {
        constexpr double kLargest = std::numeric_limits<double>::max();
        return value > kLargest ? kLargest : value < -kLargest ? -kLargest : value;
    }
};

/// The frame that shows `box` as large as it fits, centred in the pixel rectangle at
/// `left`, `top` of `width` by `height` less `margin` on every side. A box without extent
/// in one direction is fitted by the other; one without any (or an empty one) shows one
/// drawing unit around its centre (the origin for an empty one).
Frame fitFrame(const Box2& box, double left, double top, double width, double height, double margin);

/// The smallest of 1, 2 and 5 times a power of ten that is at least `value`, and the
/// largest that is at most `value`; 1 for a value that is not positive and finite.
double roundStepAtLeast(double value);
double roundStepAtMost(double value);

/// A cone of light: its apex, the unit vector of its axis, its half-angle (below a quarter
/// turn) and the length of its sides; its end is the flat disc where the sides end.
struct Cone {
    PlGePoint3d apex;
    PlGeVector3d axis;
    double halfAngle = 0.0;
    double length = 0.0;
};

/// Adds what `cone` covers in `view` to `box`.
void addCone(Box2& box, ViewKind view, const Cone& cone);

/// A cone's outline in pixels: its apex, the two points where its sides touch the outline
/// of its end, and the arc of the end's ellipse between them round the far side.
struct ConeOutline {
    enum class Shape {
        None,     ///< too small to see
        Wedge,    ///< seen from the side: the end is edge on, a triangle apex-first-last
        Cone,     ///< apex, first, the arc to last
        EndOnly,  ///< seen along its axis: the apex is inside the end, only the ellipse shows
    };
    Shape shape = Shape::None;
    Point2 apex, first, last;
    Point2 center;            ///< of the end's ellipse
    double radiusX = 0.0, radiusY = 0.0, rotationDeg = 0.0;  ///< as an SVG arc takes them
    bool largeArc = false, sweep = false;                    ///< of the arc from first to last
    Point2 opposite;          ///< EndOnly: the point of the ellipse across from `first`
};

ConeOutline coneOutline(ViewKind view, const Frame& frame, const Cone& cone);

}  // namespace plandor
