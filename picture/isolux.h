// The illuminance grid in the picture of the drawing: a false-colour image of the work plane in
// the plan, isolux lines at round values with their values on them, a colour scale, and the
// work plane seen edge on in the front elevation.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "picture/plan_geometry.h"
#include "picture/svg_writer.h"

namespace plandor {

/// A work-plane grid as the picture draws it: its rectangle and values at points spaced
/// evenly across it (a grid's own points, or every so many of them).
struct IsoluxGrid {
    double left = 0.0, bottom = 0.0, width = 0.0, depth = 0.0;  ///< the rectangle, drawing units
    double height = 0.0;                                        ///< of the plane
    std::size_t columns = 0, rows = 0;                          ///< of `values`
    double x0 = 0.0, y0 = 0.0;                                  ///< where the first value lies
    double dx = 0.0, dy = 0.0;                                  ///< from one value to the next in X and in Y
    std::vector<double> values;                                 ///< rows from the bottom up, x running fastest
    std::wstring unit;                                          ///< "lx" or "fc"
};

/// The panel a view is drawn in, in pixels.
struct PanelBox {
    double left = 0.0, top = 0.0, width = 0.0, height = 0.0;
};

/// Adds the grid's rectangle (plan) or the plane's edge (front) to `box`.
void addIsoluxExtent(Box2& box, ViewKind view, const IsoluxGrid& grid);

/// Draws the grid under everything else of a view: in the plan the false-colour image and the
/// isolux lines with their values, in the front elevation the plane's edge.
void writeIsolux(SvgWriter& svg, ViewKind view, const Frame& frame, const IsoluxGrid& grid);

/// Draws the colour scale of the plan in the lower right corner of its panel.
void writeIsoluxScale(SvgWriter& svg, const PanelBox& panel, const IsoluxGrid& grid);

/// The round values the isolux lines are drawn at: multiples of 1, 2 or 5 times a power of
/// ten that cut the values' range into about six steps, strictly between its ends.
std::vector<double> isoluxLevels(double minimum, double maximum);

}  // namespace plandor
