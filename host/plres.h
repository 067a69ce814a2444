// Resource modules: loading by name, texts by id, and the current resource source.
#pragma once

#include "host/plexport.h"

/// An opaque handle of a loaded resource module; null when none.
using PlResModuleHandle = void*;

/// Wraps a resource module handle so texts can be read from it.
class PlRxResourceInstance {
public:
    PlRxResourceInstance() = default;
    explicit PlRxResourceInstance(PlResModuleHandle handle) : m_handle(handle) {}
    PlResModuleHandle handle() const { return m_handle; }
    bool isLoaded() const { return m_handle != nullptr; }

private:
    PlResModuleHandle m_handle = nullptr;
};

namespace PlUtResource {
/// Loads the resource module called `name` ("PlSceneRes.dll"); the host finds
/// it beside its own libraries. Null when it cannot be loaded. The two flags
/// are reserved and must be 0.
PLHOST_API PlResModuleHandle loadDll(const wchar_t* name, int reserved1, int reserved2);
/// Frees a module from loadDll. Null is ignored.
PLHOST_API void freeDll(PlResModuleHandle handle, int reserved);
}  // namespace PlUtResource

/// The host reads texts that are named only by id (command local names, menu
/// labels) from the current resource source. A module makes its own resource
/// module current while it registers such things and restores the previous
/// one afterwards.
PLHOST_API PlResModuleHandle plResCurrentSource();
PLHOST_API PlResModuleHandle plResSetCurrentSource(PlResModuleHandle handle);  ///< answers the previous one

/// Makes a resource module the current source for a scope.
class PlResourceOverride {
public:
    explicit PlResourceOverride(PlResModuleHandle handle) : m_previous(plResSetCurrentSource(handle)) {}
    ~PlResourceOverride() { plResSetCurrentSource(m_previous); }
    PlResourceOverride(const PlResourceOverride&) = delete;
    PlResourceOverride& operator=(const PlResourceOverride&) = delete;

private:
    PlResModuleHandle m_previous;
};
