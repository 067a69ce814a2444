// The four property menus: completing a new light of each kind, then its keyword loop.
#include "lightedit/PropertyMenus.h"

#include "app/Messages.h"
#include "app/SysVars.h"
#include "app/ZuredUDKMX.h"
#include "host/nltaskdialog.h"
#include "host/pldocs.h"
#include "host/pled.h"
#include "lightedit/MenuState.h"
#include "lights/DirectionInput.h"
#include "lights/LastLightKind.h"
#include "lights/LightJig.h"

namespace {

const MenuEntry kSpotMenu[] = {
    {L"Name", menuName},         {L"Intensity", menuIntensity},
    {L"Status", menuStatus},     {L"shadoW", menuShadow},
    {L"Attenuation", menuAttenuation}, {L"Falloff", menuFalloff},
    {L"Hotspot", menuHotspot},   {L"Color", menuColor},
    {L"filterColor", menuColor}, {L"Photometry", menuPhotometryIfPhotometric},
    {L"eXit", menuExit},
};

const MenuEntry kPointMenu[] = {
    {L"Name", menuName},           {L"Intensity", menuIntensity},
    {L"Status", menuStatus},       {L"shadoW", menuShadow},
    {L"Attenuation", menuAttenuation}, {L"Color", menuColor},
    {L"filterColor", menuColor},   {L"Photometry", menuPhotometryIfPhotometric},
    {L"eXit", menuExit},
};

const MenuEntry kDistantMenu[] = {
    {L"Name", menuName},     {L"Intensity", menuIntensity},
    {L"Status", menuStatus}, {L"shadoW", menuShadow},
    {L"Color", menuColor},   {L"filterColor", menuColor},
    {L"Photometry", menuPhotometryIfPhotometric}, {L"eXit", menuExit},
};

const MenuEntry kWebMenu[] = {
    {L"Name", menuName},           {L"Intensityfactor", menuIntensity},
    {L"Status", menuStatus},       {L"Photometry", menuPhotometry},
    {L"weB", menuWeb},             {L"shadoW", menuShadow},
    {L"filterColor", menuColor},   {L"eXit", menuExit},
};

/// Records that the host could not do what the new light needs; false, the step's result.
bool hostFailed(LightEditContext& context, Plad::ErrorStatus es) {
    context.failure = es;
    return false;
}

template <std::size_t N>
MenuDefinition menuOf(unsigned keywords, unsigned genericPrompt, unsigned photometricPrompt,
                      const MenuEntry (&entries)[N]) {
    return MenuDefinition{keywords, genericPrompt, photometricPrompt, entries, N};
}

struct KindSetup {
    int kind;
    unsigned baseNameId;
};

/// Setup shared by the spot, point and web menus; false when a step failed.
bool completeTargetableLight(LightEditContext& context, MenuState& state, const KindSetup& setup, bool hasTarget,
                             bool isSpot) {
    PlDbLight& light = *context.light;
    const bool webLight = setup.kind == PlDbLight::kWebLight;
    if (webLight) {
        lastLightKind = setup.kind;
        lastLightTargeted = hasTarget;
    }
    if (const Plad::ErrorStatus es = light.shadowParameters(state.shadowRecord); es != Plad::eOk)
        return hostFailed(context, es);
    if (!webLight) {
        lastLightKind = setup.kind;
        lastLightTargeted = hasTarget;
    }
    readWorkingValues(light, state);
    if (isSpot) state.shadow.shape = PlGiShadowParameters::kRectangle;
    if (!assignLayerAndName(context, state, setup.kind, setup.baseNameId)) return false;

    PlDbLightJig jig(&light, hasTarget);
    if (!jig.dragLight()) return false;
    if (const Plad::ErrorStatus es = appendToCurrentSpace(context, &light); es != Plad::eOk)
        return hostFailed(context, es);
    if (const Plad::ErrorStatus es = light.setHasTarget(hasTarget); es != Plad::eOk) return hostFailed(context, es);
    if (isSpot) state.shadowRecord.setExtendedLightShape(PlGiShadowParameters::kRectangle);
    state.shadow.on = true;
    state.shadow.type = PlGiShadowParameters::kShadowsRayTraced;
    state.shadowRecord.setShadowsOn(true);
    state.shadowRecord.setShadowType(PlGiShadowParameters::kShadowsRayTraced);
    light.setShadowParameters(state.shadowRecord);
    return true;
}

}  // namespace

bool photometricUnits() {
    const int units = getSysVarInt(L"LIGHTINGUNITS");
    return units == 1 || units == 2;
}

bool assignLayerAndName(LightEditContext& context, MenuState& state, int kind, unsigned baseNameId) {
    PlDbLight& light = *context.light;
    PlDbObjectId layer;
    if (const Plad::ErrorStatus es = LightingUtil::getLightsLayer(layer); es != Plad::eOk)
        return hostFailed(context, es);
    light.setLayer(layer, true, true);
    if (const Plad::ErrorStatus es = light.setLightKind(kind); es != Plad::eOk) return hostFailed(context, es);
    const PlString baseName = loadMessage(baseNameId);
    state.suggestedName = LightingUtil::findNextLightName(baseName.kwszPtr());
    if (state.suggestedName.isEmpty()) return hostFailed(context, Plad::eOutOfRange);
    light.setName(state.suggestedName.kwszPtr());
    return true;
}

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

bool editSpotLight(LightEditContext& context, bool hasTarget) {
    MenuState state;
    if (!completeTargetableLight(context, state, {PlDbLight::kSpotLight, 2839}, hasTarget, true)) return false;
    return runKeywordLoop(context, state, menuOf(2638, 2424, 2425, kSpotMenu));
}

bool editPointLight(LightEditContext& context, bool hasTarget) {
    MenuState state;
    if (!completeTargetableLight(context, state, {PlDbLight::kPointLight, 2838}, hasTarget, false)) return false;
    return runKeywordLoop(context, state, menuOf(2638, 2411, 2412, kPointMenu));
}

bool editWebLight(LightEditContext& context, bool hasTarget) {
    if (!photometricUnits()) {
        printMessage(2561);
        return false;
    }
    MenuState state;
    if (!completeTargetableLight(context, state, {PlDbLight::kWebLight, 2840}, hasTarget, false)) return false;
    return runKeywordLoop(context, state, menuOf(2640, 2436, 2436, kWebMenu));
}

namespace {

/// The photometric distant-light warning; false when the user does not go on.
bool confirmDistantLight() {
    if (!photometricUnits() || pledIsLispOrScriptActive()) return true;
    NlHostTaskDialog dialog;
    if (!dialog.loadFromFile(L"/PlTaskDialogs;component/TaskDialogs.xaml", L"ZuredUD.PhotometricDistantLights",
                             nullptr, 1))
        return true;
    dialog.setCallback(DistantLightCheckBoxCallBack, 0);
    return dialog.showDialog(plHostMainWindow()) == 1002;
}

}  // namespace

bool editDistantLight(LightEditContext& context) {
    if (!confirmDistantLight()) return false;
    lastLightKind = PlDbLight::kDistantLight;
    PlDbLight& light = *context.light;
    MenuState state;
    if (const Plad::ErrorStatus es = light.shadowParameters(state.shadowRecord); es != Plad::eOk)
        return hostFailed(context, es);
    readWorkingValues(light, state);

    if (!assignLayerAndName(context, state, PlDbLight::kDistantLight, 2837)) return false;

    PlGePoint3d from, to;
    if (!JigUtil::GetVectorDirection(state.direction, from, to)) return false;
    light.setLightDirection(state.direction);
    light.setTargetLocation(to);
    light.setPosition(from);

    state.shadow.on = true;
    state.shadow.type = PlGiShadowParameters::kShadowsRayTraced;
    state.shadowRecord.setShadowsOn(true);
    state.shadowRecord.setShadowType(PlGiShadowParameters::kShadowsRayTraced);
    light.setShadowParameters(state.shadowRecord);
    if (const Plad::ErrorStatus es = appendToCurrentSpace(context, &light); es != Plad::eOk)
        return hostFailed(context, es);
    return runKeywordLoop(context, state, menuOf(2639, 2378, 2379, kDistantMenu));
}
