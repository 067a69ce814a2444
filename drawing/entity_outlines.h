// The drawing's entities as the picture draws them: each curve as a line through points, texts
// at their place.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/pldb.h"

namespace plandor {

struct EntityOutline {
    std::wstring kind;  ///< as the console's commands name it: "line", "arc", "spline", "text", ...
    /// The curve as a polyline in world coordinates, fine enough to look smooth; a text's
    /// position (its one point).
    std::vector<PlGePoint3d> points;
    bool closed = false;
    std::wstring text;   ///< a text's string
    double height = 0.0; ///< a text's height
    std::uint64_t handle = 0;
};

/// The entities of `db` that are not erased, lights left out, in the order they were made.
/// Arcs, circles and ellipses are drawn through points 5 degrees apart; an ellipse lies in
/// the plane of its major axis and a horizontal minor axis (perpendicular to world Z, or
/// along world X when its major axis is upright); a spline is the smooth (centripetal
/// Catmull-Rom) curve through its fit points, 12 points a span. A `chordTolerance` above 0
/// (in drawing units) divides curves more finely where need be, so that no chord strays
/// farther than that from its curve (for a spline, at the middle of each chord).
std::vector<EntityOutline> entityOutlinesOf(PlDbDatabase* db, double chordTolerance = 0.0);

/// The width a line of `text` of `height` takes in the picture: a common estimate, six
/// tenths of the height a character.
double textWidth(const std::wstring& text, double height);

}  // namespace plandor
