// Looking up the kinds of light by command and by kind.
#include "lights/LightKinds.h"

const LightKindRow* lightKindOf(LightType command) {
    for (const LightKindRow& row : kLightKinds)
        if (row.command == command) return &row;
    return nullptr;
}

const LightKindRow* lightKindOf(PlDbLight::LightKind kind, bool hasTarget) {
    for (const LightKindRow& row : kLightKinds)
        if (row.kind == kind && (row.hasTarget == hasTarget || kind == PlDbLight::kDistantLight)) return &row;
    return nullptr;
}
