// The actions behind the property menus' keywords.
#include "lightedit/MenuState.h"

#include "common/Messages.h"
#include "common/SysVars.h"
#include "host/pled.h"
#include "lightedit/AttenuationOptions.h"
#include "lightedit/ColorEntry.h"
#include "lightedit/NameOption.h"
#include "lightedit/PhotometryOptions.h"
#include "lightedit/ScalarOptions.h"
#include "lightedit/ShadowOptions.h"
#include "lightedit/WebOptions.h"

bool menuName(LightEditContext& context, MenuState& state) {
    if (promptLightName(context, state.suggestedName, state.name)) context.light->setName(state.name);
    return false;
}

bool menuIntensity(LightEditContext& context, MenuState& state) {
    if (promptIntensity(context, state.intensity)) context.light->setIntensity(state.intensity);
    return false;
}

bool menuStatus(LightEditContext& context, MenuState& state) {
    if (promptOnOff(context, msg::kStatusPrompt, state.on)) context.light->setOn(state.on);
    return false;
}

bool menuShadow(LightEditContext& context, MenuState& state) {
    if (runShadowMenu(context, state.shadow)) storeShadowSettings(*context.light, state.shadow);
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

// The colour is stored only when the entry ends in Done; a cancel leaves the light alone.
bool menuColor(LightEditContext& context, MenuState& state) {
    if (runColorEntry(context, state.color) == ColorEntryState::Done) context.light->setLightColor(state.color);
    return false;
}

bool menuPhotometryIfPhotometric(LightEditContext& context, MenuState& state) {
    if (!photometricUnits()) return false;
    return menuPhotometry(context, state);
}

bool menuPhotometry(LightEditContext& context, MenuState&) {
    runPhotometryMenu(context);
    return false;
}

// The rotation is stored whenever the sub-menu ends well; the file only when it names one that
// can be read (the dialog's name is checked nowhere else), and the user is told when it does not.
bool menuWeb(LightEditContext& context, MenuState& state) {
    if (!promptWebOptions(context, state.webFile, state.webRotation)) return false;
    if (!state.webFile.isEmpty()) {
        if (isReadableFile(state.webFile)) {
            context.light->setWebFile(state.webFile);
        } else {
            printMessage(msg::kWebFileNotStored, state.webFile.kwszPtr());
        }
    }
    context.light->setWebRotation(state.webRotation);
    return false;
}

bool menuExit(LightEditContext&, MenuState&) { return true; }
