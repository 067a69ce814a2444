// The property menus of the four kinds of light: they complete a new light,
// append it and let the user edit it until eXit, Enter or a cancel.
#pragma once

#include "host/pldb.h"
#include "lightedit/LightEditContext.h"

/// Each answers true to keep the light, false to discard it.
bool editSpotLight(LightEditContext& context, bool hasTarget);
bool editPointLight(LightEditContext& context, bool hasTarget);
bool editWebLight(LightEditContext& context, bool hasTarget);
bool editDistantLight(LightEditContext& context);

/// Adds `entity` to the current space of the current document's database and
/// marks the context appended. 0, 330 without a document, 124 without a
/// database, or the status of opening the space or appending.
Plad::ErrorStatus appendToCurrentSpace(LightEditContext& context, PlDbEntity* entity);

/// True when "LIGHTINGUNITS" selects photometric lighting (1 or 2).
bool photometricUnits();
