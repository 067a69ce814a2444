// The driver's view of what a drawing keeps besides its objects: whether it changed since it
// was opened or saved, its system variables and its user coordinate system.
#pragma once

#include <string>
#include <vector>

#include "host/plexport.h"
#include "host/plge.h"
#include "hostsim/driver.h"

class PlApDocument;

namespace plsim {

// ---- Changes ---------------------------------------------------------------

/// True when `doc` changed since it was opened or last marked saved: an object was added,
/// changed or erased, or one of its system variables or its user coordinate system was set
/// while it was the current drawing.
PLHOST_API bool drawingModified(const PlApDocument* doc);
/// Takes what `doc` holds now as saved: it is not modified until it changes again.
PLHOST_API void markDrawingSaved(PlApDocument* doc);

// ---- System variables ------------------------------------------------------

/// A system variable that a drawing keeps, with its value as setVar reads it.
struct DrawingVariable {
    std::wstring name;
    VarType type = VarType::Short;
    std::wstring value;
};
/// The variables the drawing keeps (the stand-in keeps one set for the session, which is the
/// current drawing's), by name, with their values now.
PLHOST_API std::vector<DrawingVariable> drawingVariables();
/// Gives the variables a drawing keeps the values of a new drawing.
PLHOST_API void resetDrawingVariables();

// ---- User coordinate system ------------------------------------------------

/// The user coordinate system: its origin and unit axes in world coordinates.
struct UcsInfo {
    PlGePoint3d origin;
    PlGeVector3d xAxis = PlGeVector3d::kXAxis;
    PlGeVector3d yAxis = PlGeVector3d::kYAxis;
    PlGeVector3d zAxis = PlGeVector3d::kZAxis;
};
PLHOST_API UcsInfo currentUcs();
/// Makes the system with that origin, X axis and Y axis the user coordinate system, keeping
/// axes that are unit length and perpendicular already exactly as given (Z is their cross
/// product); others are made so as setUcs makes them. False, and nothing changed, when setUcs
/// would refuse them.
PLHOST_API bool restoreUcs(const PlGePoint3d& origin, const PlGeVector3d& xAxis, const PlGeVector3d& yAxis);

}  // namespace plsim
