// Completing a new light of each kind: its layer and name, its position (and target, or
// direction) and its place in the drawing, before its property menu runs.
#pragma once

#include "host/pldb.h"
#include "lightedit/LightEditContext.h"
#include "lights/LightKinds.h"

/// Completes the context's light as `row` says, appends it and runs the
/// property menu of its kind. True to keep the light, false to discard it.
bool completeAndEditLight(LightEditContext& context, const LightKindRow& row);

/// Adds `entity` to the current space of the current document's database and
/// marks the context appended. 0, 330 without a document, 124 without a
/// database, or the status of opening the space or appending.
Plad::ErrorStatus appendToCurrentSpace(LightEditContext& context, PlDbEntity* entity);
