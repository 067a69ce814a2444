// RxPladApplication: dependent module and command group, removed in reverse order.
#include "app/RxPladApplication.h"

#include "app/HostRegistry.h"
#include "host/pledcmd.h"

RxPladApplication::RxPladApplication(const RxPladApplication& other)
    : RxBaseApplication(other), m_commandGroup(other.m_commandGroup) {
    m_moduleLoader.load(other.m_moduleLoader.name());
}

RxPladApplication& RxPladApplication::operator=(const RxPladApplication& other) {
    if (this == &other) return *this;
    RxBaseApplication::operator=(other);
    m_commandGroup = other.m_commandGroup;
    m_moduleLoader.load(other.m_moduleLoader.name());
    return *this;
}

RxPladApplication::~RxPladApplication() {
    uninitializePlad();
    RxBaseApplication::uninitialize();
}

Plad::ErrorStatus RxPladApplication::uninitializePlad() {
    m_moduleLoader.unload();
    if (!m_commandGroup.isEmpty()) {
        if (auto* commands = registryEntry<PlEdCommandStack>(L"PLAD_REGISTERED_COMMANDS"))
            commands->removeGroup(m_commandGroup.kwszPtr());
        m_commandGroup.setEmpty();
    }
    return Plad::eOk;
}

Plad::ErrorStatus RxPladApplication::uninitialize() {
    uninitializePlad();
    return RxBaseApplication::uninitialize();
}

Plad::ErrorStatus RxPladApplication::initialize(void* appHandle, bool unloadable, const wchar_t* resourceModule,
                                                const wchar_t* serviceName, const wchar_t* commandGroup,
                                                const wchar_t* dependentModule) {
    Plad::ErrorStatus es = initializeBase(appHandle, unloadable, resourceModule, serviceName);
    if (es != Plad::eOk) return es;
    m_commandGroup = PlString(commandGroup);
    if (dependentModule && *dependentModule) return m_moduleLoader.load(dependentModule);
    return Plad::eOk;
}
