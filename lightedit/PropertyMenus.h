// The property menus of the four kinds of light.
#pragma once

#include "host/plscene.h"
#include "lightedit/MenuState.h"

/// The menu a light of `kind` is edited with.
const MenuDefinition& propertyMenuOf(PlDbLight::LightKind kind);
