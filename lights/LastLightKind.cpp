// The kind of the last light placed: a free spot light until one is placed.
#include "lights/LastLightKind.h"

PlDbLight::LightKind lastLightKind = PlDbLight::kSpotLight;
bool lastLightTargeted = false;
