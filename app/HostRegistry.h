// Typed lookups in the host's system registry.
#pragma once

#include "host/plrx.h"

/// The registry entry `name` when it is an object of class T; null when it is
/// missing or of another class.
template <class T>
T* registryEntry(const wchar_t* name) {
    PlRxDictionary* registry = plrxSysRegistry();
    PlRxObject* entry = registry ? registry->at(name) : nullptr;
    if (!entry || !entry->isKindOf(T::desc())) return nullptr;
    return static_cast<T*>(entry);
}
