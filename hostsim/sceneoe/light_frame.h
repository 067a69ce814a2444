// The orientation of a light's distribution: the light's own axes in world coordinates, and
// where each direction of a photometric web lies among them.
//
// A light shines along its own -Z axis. Its frame is the shortest turn that brings world -Z
// onto the light's direction (a light pointing straight down keeps the world axes; one
// pointing straight up is turned half a turn about world X), followed by the web rotation:
// first about the light's X axis, then about its Y axis as that turn left it, then about
// its Z axis as both left it, each in degrees, counter-clockwise seen from the positive end
// of the axis (the right-hand rule). So a light pointing straight down without rotation has
// its X axis along world +X and its Y axis along world +Y, and 180 degrees about X make it
// shine straight up.
//
// In that frame a photometric web lies as its type says. Type C: vertical angle 0 on -Z, 90
// in the X-Y plane, 180 on +Z; horizontal angle 0 towards +X, 90 towards +Y. Types A and B
// have their beam axis (vertical 0, horizontal 0) on -Z. Type B: the poles, horizontal
// angles -90 and +90, lie on -X and +X; the vertical angle turns about the X axis, positive
// towards +Y. Type A: the poles, vertical angles -90 and +90, lie on -Y and +Y; the
// horizontal angle turns about the Y axis, positive towards +X.
#pragma once

#include "host/plexport.h"
#include "host/plge.h"
#include "hostsim/sceneoe/photometric_web.h"

namespace plsim::scene {

/// A light's own axes, unit vectors in world coordinates, right-handed.
struct LightFrame {
    PlGeVector3d x{1.0, 0.0, 0.0}, y{0.0, 1.0, 0.0}, z{0.0, 0.0, 1.0};

    /// A vector of the light's frame in world coordinates, and back.
    PlGeVector3d toWorld(const PlGeVector3d& local) const { return x * local.x + y * local.y + z * local.z; }
    PlGeVector3d toLocal(const PlGeVector3d& world) const;
};

/// The frame of a light shining along `direction` (any length but zero; a zero or
/// non-finite direction counts as straight down) with `webRotationDegrees` about its X, Y
/// and Z axes in that order.
PLSCENEOE_API LightFrame lightFrame(const PlGeVector3d& direction, const PlGeVector3d& webRotationDegrees = {});

/// The unit vector, in the light's frame, of the web direction at `verticalDeg` and
/// `horizontalDeg` of a web of `type`.
PLSCENEOE_API PlGeVector3d webDirection(PhotometricWeb::Type type, double verticalDeg, double horizontalDeg);

/// The web angles of a direction given in the light's frame (any length but zero), in
/// degrees: type C vertical 0 to 180 and horizontal 0 to below 360; type B horizontal -90
/// to 90 and vertical above -180 to 180; type A vertical -90 to 90 and horizontal above
/// -180 to 180. At a pole the angle about it is 0.
struct WebAngles {
    double vertical = 0.0, horizontal = 0.0;
};
PLSCENEOE_API WebAngles webAngles(PhotometricWeb::Type type, const PlGeVector3d& local);

}  // namespace plsim::scene
