// VmxModuleLoader: keeps one dependent host module loaded.
#pragma once

#include "host/plstatus.h"
#include "host/plstring.h"

class VmxModuleLoader {
public:
    VmxModuleLoader() = default;
    VmxModuleLoader(const VmxModuleLoader&) = delete;
    VmxModuleLoader& operator=(const VmxModuleLoader&) = delete;
    virtual ~VmxModuleLoader();

    /// Loads `moduleName`, unloading the module held before. Asking again for
    /// the held module (in any letter case) answers the first load's status
    /// and does nothing. An empty or null name unloads and answers 374;
    /// otherwise 0 when loaded, 503 when not. The name is held either way.
    virtual Plad::ErrorStatus load(const wchar_t* moduleName);
    /// The held module's name; empty when none.
    virtual const wchar_t* name() const;
    /// Unloads the held module, if any; answers 0.
    virtual Plad::ErrorStatus unload();

    Plad::ErrorStatus status() const { return m_status; }

    /// Case-insensitive equality of module names: A-Z fold to a-z, characters
    /// above 127 through towlower, everything else as it is.
    static bool sameModuleName(const wchar_t* a, const wchar_t* b);

private:
    PlString m_name;
    Plad::ErrorStatus m_status = Plad::eNoDependentModule;
};
