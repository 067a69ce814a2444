// RxPladApplication: an application with a dependent host module and a command group.
#pragma once

#include "app/RxBaseApplication.h"
#include "app/VmxModuleLoader.h"

class RxPladApplication : public RxBaseApplication {
public:
    RxPladApplication() = default;
    /// Takes the other's command group name and loads the same dependent module.
    RxPladApplication(const RxPladApplication& other);
    RxPladApplication& operator=(const RxPladApplication& other);
    ~RxPladApplication() override;

    Plad::ErrorStatus uninitialize() override;
    /// initializeBase, then keeps the command group name and loads the
    /// dependent module (none when the name is empty).
    virtual Plad::ErrorStatus initialize(void* appHandle, bool unloadable, const wchar_t* resourceModule,
                                         const wchar_t* serviceName, const wchar_t* commandGroup,
                                         const wchar_t* dependentModule);

    const wchar_t* commandGroupName() const { return m_commandGroup.kwszPtr(); }
    const VmxModuleLoader& moduleLoader() const { return m_moduleLoader; }

private:
    Plad::ErrorStatus uninitializePlad();

    VmxModuleLoader m_moduleLoader;
    PlString m_commandGroup;
};
