// JigUtil::GetVectorDirection: a direction given by two points or typed as a vector.
#pragma once

#include "common/PlZuredUDExport.h"
#include "host/plge.h"

namespace JigUtil {

/// Asks for a direction: a first point (Enter: the origin) and a second point
/// (Enter: 1,1,1), or the vector keyword and a typed vector "x,y,z". Writes
/// the unit direction and both points. False when the user cancelled.
PLZUREDUD_API bool GetVectorDirection(PlGeVector3d& direction, PlGePoint3d& firstPoint, PlGePoint3d& secondPoint);

/// Asks for a point seen from `basePoint`; the direction to it is written
/// with the point. False when the user cancelled; other answers leave both as they were.
PLZUREDUD_API bool GetVectorDirection(PlGeVector3d& direction, const double basePoint[3], PlGePoint3d& point);

/// The unit vector from `from` to `to`, for any two finite points (worked out from
/// halves, as their difference may be too large for a double). False, and `unit` left
/// alone, when the points coincide.
bool directionBetween(const PlGePoint3d& from, const PlGePoint3d& to, PlGeVector3d& unit);

/// Reads "x,y,z" (split at the first and the last comma) into a vector.
/// False when the text is not three distances or the vector has no length.
bool parseDirectionVector(const wchar_t* text, PlGeVector3d& vector);

}  // namespace JigUtil
