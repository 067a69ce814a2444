// What a light read from a drawing's file is given beyond what its setters give.
#pragma once

#include "host/plscene.h"

namespace plsim::scene {

/// Gives `light` the unit vector `direction` as it is, to the last bit: the light's own
/// setter makes a vector unit length, which may move a unit one by a bit.
void fileDirection(PlDbLight& light, const PlGeVector3d& direction);

}  // namespace plsim::scene
