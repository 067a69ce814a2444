// RxBaseApplication: owns an application's resource module, runtime classes and service.
#pragma once

#include <deque>

#include "host/plres.h"
#include "host/plrx.h"
#include "host/plstatus.h"
#include "host/plstring.h"

class RxBaseApplication {
public:
    RxBaseApplication() = default;
    /// Takes the other's resource module name (its module is loaded again on
    /// first need), service name and initialised flag. Runtime classes are
    /// owned by one application only, so the copy starts with none.
    RxBaseApplication(const RxBaseApplication& other);
    RxBaseApplication& operator=(const RxBaseApplication& other);

    /// Frees the loaded resource module and loads `moduleName` in its place.
    /// 0, or 503 when it cannot be loaded. An empty name only frees.
    virtual Plad::ErrorStatus setResourceModule(const wchar_t* moduleName);
    /// Registers the application with the host, once: 20051 when called again,
    /// 503 when a given resource module cannot be loaded, 23 when the service
    /// name is already registered (the service is then not this application's).
    virtual Plad::ErrorStatus initializeBase(void* appHandle, bool unloadable, const wchar_t* resourceModule,
                                             const wchar_t* serviceName);
    virtual ~RxBaseApplication();
    /// Deletes the runtime classes and removes the application's service.
    virtual Plad::ErrorStatus uninitialize();
    /// Deletes the held runtime classes, last first.
    virtual void deleteRuntimeClasses();

    PlResModuleHandle resourceModule() const { return m_resourceModule; }
    const wchar_t* resourceModuleName() const { return m_resourceModuleName.kwszPtr(); }
    /// Loads the resource module by its name when it is not loaded; true when it is loaded then.
    bool ensureResourceModule();
    const wchar_t* serviceName() const { return m_serviceName.kwszPtr(); }
    bool isInitialized() const { return m_initialized; }
    /// Hands a runtime class to the application, which deletes it when it uninitialises.
    void addRuntimeClass(PlRxClass* cls) { if (cls) m_runtimeClasses.push_back(cls); }

private:
    void freeResourceModule();
    Plad::ErrorStatus uninitializeBase();

    PlResModuleHandle m_resourceModule = nullptr;
    PlString m_resourceModuleName;
    std::deque<PlRxClass*> m_runtimeClasses;
    PlString m_serviceName;
    bool m_initialized = false;
};
