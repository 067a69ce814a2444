// The light commands: what each of them runs, and placing the new light.
#pragma once

#include "host/plstatus.h"
#include "lights/LightType.h"

/// A light command: refuses a paper-space viewport, asks about default
/// lighting, places the light and switches default lighting off once it exists.
void runLightCommand(LightType type);

/// Makes a light of `type` (LIGHT: asks for the kind), completes it through the
/// property menu of its kind, and discards it when the user ends placement.
/// 0 when the light was kept; 180 (user break) when it was not; 330 without a
/// document, 124 without a database, 15 when no light could be made.
Plad::ErrorStatus appendNewLight(LightType type);
