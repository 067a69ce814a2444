// The module's command table, its handlers and its registration in the host's command stack.
#include "app/ZuredUDKMX.h"

#include "app/HostRegistry.h"
#include "common/Messages.h"
#include "host/pledcmd.h"
#include "host/plres.h"
#include "lights/LightCommands.h"

namespace {

struct CommandEntry {
    const wchar_t* globalName;
    unsigned localNameId;
    int flags;
    PlRxFunctionPtr handler;
    const wchar_t* helpTopic;
};

const CommandEntry kCommands[] = {
    {L"SPOTLIGHT", msg::kCommandSpotLight, PLRX_CMD_MODAL, &ZuredUDKMX::spotlight, L"SPOTLIGHT"},
    {L"POINTLIGHT", msg::kCommandPointLight, PLRX_CMD_MODAL, &ZuredUDKMX::pointlight, L"POINTLIGHT"},
    {L"DISTANTLIGHT", msg::kCommandDistantLight, PLRX_CMD_MODAL, &ZuredUDKMX::distantlight, L"DISTANTLIGHT"},
    {L"LIGHT", msg::kCommandLight, PLRX_CMD_MODAL, &ZuredUDKMX::lightnew, L"LIGHT"},
    {L"WEBLIGHT", msg::kCommandWebLight, PLRX_CMD_MODAL, &ZuredUDKMX::weblight, L"WEBLIGHT"},
    {L"TARGETPOINT", msg::kCommandTargetPoint, PLRX_CMD_MODAL, &ZuredUDKMX::targetpoint, L"TARGETPOINT"},
    {L"FREESPOT", msg::kCommandFreeSpot, PLRX_CMD_MODAL, &ZuredUDKMX::freespot, L"FREESPOT"},
    {L"FREEWEB", msg::kCommandFreeWeb, PLRX_CMD_MODAL, &ZuredUDKMX::freeweb, L"FREEWEB"},
};

}  // namespace

void ZuredUDKMX::lightnew() { doLightCommand(kLightAnyKind); }
void ZuredUDKMX::distantlight() { doLightCommand(kLightDistant); }
void ZuredUDKMX::pointlight() { doLightCommand(kLightPoint); }
void ZuredUDKMX::spotlight() { doLightCommand(kLightSpot); }
void ZuredUDKMX::weblight() { doLightCommand(kLightWeb); }
void ZuredUDKMX::targetpoint() { doLightCommand(kLightTargetPoint); }
void ZuredUDKMX::freespot() { doLightCommand(kLightFreeSpot); }
void ZuredUDKMX::freeweb() { doLightCommand(kLightFreeWeb); }
void ZuredUDKMX::doLightCommand(LightType type) { runLightCommand(type); }

Plad::ErrorStatus ZuredUDKMX::initialize(void* appHandle, bool unloadable, const wchar_t* resourceDll,
                                         const wchar_t* serviceName, const wchar_t* commandGroup,
                                         const wchar_t* dependentModule) {
    Plad::ErrorStatus es = RxPladApplication::initialize(appHandle, unloadable, resourceDll, serviceName,
                                                         commandGroup, dependentModule);
    if (es != Plad::eOk) return es;

    ensureResourceModule();
    // Local names are read by id from the current resource source: ours, for now.
    PlResourceOverride resources(resourceModule());
    for (const CommandEntry& entry : kCommands) {
        auto* commands = registryEntry<PlEdCommandStack>(L"PLAD_REGISTERED_COMMANDS");
        if (!commands) continue;
        PlString localName;
        localName.loadString(entry.localNameId);
        commands->addCommand(commandGroupName(), entry.globalName, localName.kwszPtr(), entry.flags, entry.handler,
                             nullptr, -1, PlRxResourceInstance(resourceModule()), nullptr);
        if (entry.helpTopic && *entry.helpTopic) pledSetFunHelp(entry.globalName, L"", entry.helpTopic, 0);
    }
    return Plad::eOk;
}
