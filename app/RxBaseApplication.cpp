// RxBaseApplication: resource module, initialisation with the host, service registration.
#include "app/RxBaseApplication.h"

#include "app/HostRegistry.h"
#include "common/Messages.h"

RxBaseApplication::RxBaseApplication(const RxBaseApplication& other)
    : m_resourceModuleName(other.m_resourceModuleName),
      m_serviceName(other.m_serviceName),
      m_initialized(other.m_initialized) {}

RxBaseApplication& RxBaseApplication::operator=(const RxBaseApplication& other) {
    if (this == &other) return *this;
    freeResourceModule();
    m_resourceModuleName = other.m_resourceModuleName;
    m_serviceName = other.m_serviceName;
    m_initialized = other.m_initialized;
    return *this;
}

RxBaseApplication::~RxBaseApplication() {
    uninitializeBase();
    freeResourceModule();
}

void RxBaseApplication::freeResourceModule() {
    if (m_resourceModule) {
        forgetLoadedMessages();
        PlUtResource::freeDll(m_resourceModule, 0);
        m_resourceModule = nullptr;
    }
}

bool RxBaseApplication::ensureResourceModule() {
    if (!m_resourceModule && !m_resourceModuleName.isEmpty())
        m_resourceModule = PlUtResource::loadDll(m_resourceModuleName.kwszPtr(), 0, 0);
    return m_resourceModule != nullptr;
}

Plad::ErrorStatus RxBaseApplication::setResourceModule(const wchar_t* moduleName) {
    freeResourceModule();
    m_resourceModuleName = PlString(moduleName);
    if (m_resourceModuleName.isEmpty()) return Plad::eOk;
    return ensureResourceModule() ? Plad::eOk : Plad::eLoadFailed;
}

Plad::ErrorStatus RxBaseApplication::initializeBase(void* appHandle, bool unloadable, const wchar_t* resourceModule,
                                                    const wchar_t* serviceName) {
    if (m_initialized) return Plad::eAlreadyInitialized;
    m_initialized = true;

    if (unloadable) {
        if (auto* linker = registryEntry<PlRxDynamicLinker>(L"DynamicLinker")) linker->setAppUnloadable(appHandle);
    }
    plrxRegisterAppMDIAware(appHandle);

    if (resourceModule) {
        freeResourceModule();
        m_resourceModuleName = PlString(resourceModule);
        if (!m_resourceModuleName.isEmpty() && !ensureResourceModule()) return Plad::eLoadFailed;
    }

    Plad::ErrorStatus result = Plad::eOk;
    if (serviceName && *serviceName) {
        PlRxDictionary* services = registryEntry<PlRxDictionary>(L"ServiceDictionary");
        const bool present = services ? services->has(serviceName) : plrxServiceIsRegistered(serviceName);
        if (!present) {
            plrxRegisterService(serviceName);
            m_serviceName = PlString(serviceName);
        } else {
            result = Plad::eDuplicateKey;
        }
    }
    return result;
}

void RxBaseApplication::deleteRuntimeClasses() {
    while (!m_runtimeClasses.empty()) {
        deletePlRxClass(m_runtimeClasses.back());
        m_runtimeClasses.pop_back();
    }
}

Plad::ErrorStatus RxBaseApplication::uninitializeBase() {
    deleteRuntimeClasses();
    if (!m_serviceName.isEmpty()) {
        PlRxDictionary* services = registryEntry<PlRxDictionary>(L"ServiceDictionary");
        PlRxObject* removed = services ? services->remove(m_serviceName.kwszPtr()) : nullptr;
        if (removed && removed->isKindOf(PlRxService::desc())) delete removed;
        m_serviceName.setEmpty();
    }
    return Plad::eOk;
}

Plad::ErrorStatus RxBaseApplication::uninitialize() { return uninitializeBase(); }
