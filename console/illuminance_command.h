// The console's ILLUMINANCE command: the direct illuminance at a point, or on a work-plane grid
// with its statistics, a CSV file of its points and the picture's isolux plan.
#pragma once

#include "console/drawing_commands.h"
#include "picture/isolux.h"

namespace plandor {

/// ILLUMINANCE x,y,z [nx,ny,nz] and ILLUMINANCE GRID x0,y0 x1,y1 SPACING [HEIGHT] [CSV FILE],
/// a command of the table of drawing commands.
DrawingCommand illuminanceCommand();

/// The values of the last grid computed on the open drawing, as the picture draws them; null
/// before the first.
const IsoluxGrid* lastIlluminanceGrid();
/// Forgets the last grid: it belongs to a drawing that was closed.
void forgetIlluminanceGrid();

}  // namespace plandor
