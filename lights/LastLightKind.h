// The kind of the last light placed, remembered while the module is loaded.
#pragma once

#include "host/plscene.h"

/// The kind of the last light whose menu ran.
extern PlDbLight::LightKind lastLightKind;
/// Whether that light had a target.
extern bool lastLightTargeted;
