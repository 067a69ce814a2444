// The kind of the last light placed: a free spot light until one is placed.
#include "lights/LastLightKind.h"

int lastLightKind = 3;
bool lastLightTargeted = false;
