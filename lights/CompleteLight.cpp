// Completing a new light of each kind: layer and name, dragging or the direction, appending,
// then the property menu of the kind.
#include "lights/CompleteLight.h"

#include "common/Messages.h"
#include "common/SysVars.h"
#include "host/nltaskdialog.h"
#include "host/pldocs.h"
#include "host/pled.h"
#include "lightedit/MenuState.h"
#include "lightedit/PropertyMenus.h"
#include "lights/DefaultLighting.h"
#include "lights/DirectionInput.h"
#include "lights/LastLightKind.h"
#include "lights/LightJig.h"

namespace {

/// Records that the host could not do what the new light needs; false, the step's result.
bool hostFailed(LightEditContext& context, Plad::ErrorStatus es) {
    context.failure = es;
    return false;
}

void rememberKind(const LightKindRow& row) {
    lastLightKind = row.kind;
    lastLightTargeted = row.hasTarget;
}

/// Puts the light on the lights layer, sets its kind and gives it the next
/// free name of the kind's base name. False when the layer, the kind or the name fails.
bool assignLayerAndName(LightEditContext& context, MenuState& state, const LightKindRow& row) {
    PlDbLight& light = *context.light;
    PlDbObjectId layer;
    if (const Plad::ErrorStatus es = LightingUtil::getLightsLayer(layer); es != Plad::eOk)
        return hostFailed(context, es);
    light.setLayer(layer, true, true);
    if (const Plad::ErrorStatus es = light.setLightKind(row.kind); es != Plad::eOk) return hostFailed(context, es);
    const PlString& baseName = loadMessage(row.baseName);
    state.suggestedName = LightingUtil::findNextLightName(baseName.kwszPtr());
    if (state.suggestedName.isEmpty()) return hostFailed(context, Plad::eOutOfRange);
    light.setName(state.suggestedName.kwszPtr());
    return true;
}

/// New lights cast sharp shadows.
void castSharpShadows(PlDbLight& light, MenuState& state) {
    state.shadow.on = true;
    state.shadow.type = PlGiShadowParameters::kShadowsRayTraced;
    storeShadowSettings(light, state.shadow);
}

/// A spot, point or web light: dragged into place, with its target when it has one.
bool completeTargetableLight(LightEditContext& context, MenuState& state, const LightKindRow& row) {
    PlDbLight& light = *context.light;
    // A web light counts as the last kind placed even when its record cannot be read.
    const bool webLight = row.kind == PlDbLight::kWebLight;
    if (webLight) rememberKind(row);
    if (!readWorkingValues(light, state)) return hostFailed(context, Plad::eInvalidInput);
    if (!webLight) rememberKind(row);
    const bool isSpot = row.kind == PlDbLight::kSpotLight;
    if (isSpot) state.shadow.shape = PlGiShadowParameters::kRectangle;
    if (!assignLayerAndName(context, state, row)) return false;

    PlDbLightJig jig(light, row.hasTarget);
    if (!jig.dragLight()) return false;
    if (const Plad::ErrorStatus es = appendToCurrentSpace(context, &light); es != Plad::eOk)
        return hostFailed(context, es);
    if (const Plad::ErrorStatus es = light.setHasTarget(row.hasTarget); es != Plad::eOk)
        return hostFailed(context, es);
    castSharpShadows(light, state);
    return true;
}

/// The photometric distant-light warning; false when the user does not go on.
bool confirmDistantLight() {
    if (!photometricUnits() || pledIsLispOrScriptActive()) return true;
    NlHostTaskDialog dialog;
    if (!dialog.loadFromFile(kTaskDialogs, L"ZuredUD.PhotometricDistantLights", nullptr, 1)) return true;
    dialog.setCallback(DistantLightCheckBoxCallBack, 0);
    return dialog.showDialog(plHostMainWindow()) == 1002;
}

/// A distant light: its direction from two points or a vector, then appended.
bool completeDistantLight(LightEditContext& context, MenuState& state, const LightKindRow& row) {
    if (!confirmDistantLight()) return false;
    lastLightKind = PlDbLight::kDistantLight;
    PlDbLight& light = *context.light;
    if (!readWorkingValues(light, state)) return hostFailed(context, Plad::eInvalidInput);
    if (!assignLayerAndName(context, state, row)) return false;

    PlGeVector3d direction = light.lightDirection();
    PlGePoint3d from, to;
    if (!JigUtil::GetVectorDirection(direction, from, to)) return false;
    light.setLightDirection(direction);
    light.setTargetLocation(to);
    light.setPosition(from);
    castSharpShadows(light, state);
    if (const Plad::ErrorStatus es = appendToCurrentSpace(context, &light); es != Plad::eOk)
        return hostFailed(context, es);
    return true;
}

}  // namespace

Plad::ErrorStatus appendToCurrentSpace(LightEditContext& context, PlDbEntity* entity) {
    PlApDocManager* docs = plDocManagerPtr();
    PlApDocument* doc = docs ? docs->curDocument() : nullptr;
    if (!doc) return Plad::eNoDocument;
    PlDbDatabase* db = doc->database();
    if (!db) return Plad::eNoDatabase;
    PlDbBlockTableRecord* space = nullptr;
    Plad::ErrorStatus es = pldbOpenObject(space, db->currentSpaceId(), PlDb::kForWrite);
    if (es != Plad::eOk) return es;
    es = space->appendPlDbEntity(entity);
    if (es == Plad::eOk) context.appended = true;
    if (space->objectId().isNull()) delete space;
    else space->close();
    return es;
}

bool completeAndEditLight(LightEditContext& context, const LightKindRow& row) {
    MenuState state;
    switch (row.kind) {
        case PlDbLight::kDistantLight:
            if (!completeDistantLight(context, state, row)) return false;
            break;
        case PlDbLight::kWebLight:
            if (!photometricUnits()) {
                printMessage(msg::kWebNeedsPhotometry);
                return false;
            }
            [[fallthrough]];
        case PlDbLight::kPointLight:
        case PlDbLight::kSpotLight:
            if (!completeTargetableLight(context, state, row)) return false;
            break;
    }
    return runKeywordLoop(context, state, propertyMenuOf(row.kind));
}
