// The actions behind the property menus' keywords.
#include "lightedit/MenuState.h"

#include "host/pled.h"
#include "lightedit/AttenuationOptions.h"
#include "lightedit/NameOption.h"
#include "lightedit/PhotometryOptions.h"
#include "lightedit/PropertyMenus.h"
#include "lightedit/ScalarOptions.h"
#include "lightedit/ShadowOptions.h"

namespace {

/// Options whose editing arrives in a later build answer so and return to the menu.
bool notAvailableYet() {
    plutPrintf(L"This option is not available in this build.\n");
    return false;
}

}  // namespace

bool menuName(LightEditContext& context, MenuState& state) {
    if (promptLightName(context, state.suggestedName, state.name)) context.light->setName(state.name);
    return false;
}

bool menuIntensity(LightEditContext& context, MenuState& state) {
    if (promptIntensity(context, state.intensity)) context.light->setIntensity(state.intensity);
    return false;
}

bool menuStatus(LightEditContext& context, MenuState& state) {
    if (promptOnOff(context, 2430, state.on)) context.light->setOn(state.on);
    return false;
}

bool menuShadow(LightEditContext& context, MenuState& state) {
    if (runShadowMenu(context, state.shadow)) storeShadowSettings(*context.light, state);
    return false;
}

// The record is the light's as it is now; the prompts start from the values
// the light had when the menu started.
bool menuAttenuation(LightEditContext& context, MenuState& state) {
    PlGiLightAttenuation record = context.light->lightAttenuation();
    if (runAttenuationMenu(context, record, state.attenuationType, state.useLimits, state.startLimit,
                           state.endLimit)) {
        context.light->setLightAttenuation(record);
    }
    return false;
}

bool menuFalloff(LightEditContext& context, MenuState& state) {
    promptFalloff(context, state.hotspot, state.falloff);
    return false;
}

bool menuHotspot(LightEditContext& context, MenuState& state) {
    promptHotspot(context, state.hotspot, state.falloff);
    return false;
}

bool menuColor(LightEditContext&, MenuState&) { return notAvailableYet(); }

bool menuPhotometryIfPhotometric(LightEditContext& context, MenuState& state) {
    if (!photometricUnits()) return false;
    return menuPhotometry(context, state);
}

bool menuPhotometry(LightEditContext& context, MenuState&) {
    runPhotometryMenu(context, context.light);
    return false;
}

bool menuWeb(LightEditContext&, MenuState&) { return notAvailableYet(); }

bool menuExit(LightEditContext&, MenuState&) { return true; }
