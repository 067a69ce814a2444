// The routine every light command runs.
#include "lights/LightCommands.h"

#include "common/Messages.h"
#include "common/SysVars.h"
#include "lights/DefaultLighting.h"

void runLightCommand(LightType type) {
    if (getSysVarInt(L"CVPORT") == 1) {
        printMessage(msg::kNotInThisViewport);
        return;
    }
    const bool defaultLightingOn = getSysVarInt(L"DEFAULTLIGHTING") == 1;
    bool turnOff = false;
    if (defaultLightingOn && !getTurnOffDefaultLighting(turnOff)) return;

    const Plad::ErrorStatus es = appendNewLight(type);
    if (es == Plad::eOk) {
        // Default lighting goes off only once a light really exists.
        if (defaultLightingOn && turnOff) turnOffDefaultLighting();
        return;
    }
    if (es == Plad::eUserBreak) return;
    printMessage(msg::kLightNotCreated);
}
