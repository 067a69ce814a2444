// The eight light commands and the routine they share.
#include "app/Messages.h"
#include "app/SysVars.h"
#include "app/ZuredUDKMX.h"

void ZuredUDKMX::lightnew() { doLightCommand(kLightAnyKind); }
void ZuredUDKMX::distantlight() { doLightCommand(kLightDistant); }
void ZuredUDKMX::pointlight() { doLightCommand(kLightPoint); }
void ZuredUDKMX::spotlight() { doLightCommand(kLightSpot); }
void ZuredUDKMX::weblight() { doLightCommand(kLightWeb); }
void ZuredUDKMX::targetpoint() { doLightCommand(kLightTargetPoint); }
void ZuredUDKMX::freespot() { doLightCommand(kLightFreeSpot); }
void ZuredUDKMX::freeweb() { doLightCommand(kLightFreeWeb); }

void ZuredUDKMX::doLightCommand(LightType type) {
    if (getSysVarInt(L"CVPORT") == 1) {
        printMessage(2634);
        return;
    }
    const bool defaultLightingOn = getSysVarInt(L"DEFAULTLIGHTING") == 1;
    bool turnOff = false;
    if (defaultLightingOn && !getTurnOffDefaultLighting(turnOff)) return;

    const Plad::ErrorStatus es = appendNewLightToModelSpace(type);
    if (es == Plad::eOk) {
        // Default lighting goes off only once a light really exists.
        if (defaultLightingOn && turnOff) turnOffDefaultLighting();
        return;
    }
    if (es == Plad::eUserBreak) return;
    printMessage(2285);
}
