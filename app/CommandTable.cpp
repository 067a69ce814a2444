// The module's command table and its registration in the host's command stack.
#include "app/ZuredUDKMX.h"

#include "app/HostRegistry.h"
#include "host/pledcmd.h"
#include "host/plres.h"

namespace {

struct CommandEntry {
    const wchar_t* globalName;
    unsigned localNameId;
    int flags;
    PlRxFunctionPtr handler;
    const wchar_t* helpTopic;
};

const CommandEntry kCommands[] = {
    {L"SPOTLIGHT", 2727, PLRX_CMD_MODAL, &ZuredUDKMX::spotlight, L"SPOTLIGHT"},
    {L"POINTLIGHT", 2658, PLRX_CMD_MODAL, &ZuredUDKMX::pointlight, L"POINTLIGHT"},
    {L"DISTANTLIGHT", 2365, PLRX_CMD_MODAL, &ZuredUDKMX::distantlight, L"DISTANTLIGHT"},
    {L"LIGHT", 2566, PLRX_CMD_MODAL, &ZuredUDKMX::lightnew, L"LIGHT"},
    {L"WEBLIGHT", 2954, PLRX_CMD_MODAL, &ZuredUDKMX::weblight, L"WEBLIGHT"},
    {L"TARGETPOINT", 2931, PLRX_CMD_MODAL, &ZuredUDKMX::targetpoint, L"TARGETPOINT"},
    {L"FREESPOT", 2465, PLRX_CMD_MODAL, &ZuredUDKMX::freespot, L"FREESPOT"},
    {L"FREEWEB", 2466, PLRX_CMD_MODAL, &ZuredUDKMX::freeweb, L"FREEWEB"},
};

}  // namespace

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
