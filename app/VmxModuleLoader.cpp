// VmxModuleLoader: load, compare and unload the dependent host module.
#include "app/VmxModuleLoader.h"

#include <cwctype>

#include "host/plrx.h"

namespace {

wchar_t foldModuleChar(wchar_t c) {
    if (c >= L'A' && c <= L'Z') return static_cast<wchar_t>(c - L'A' + L'a');
    if (static_cast<unsigned long>(c) > 127) return static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    return c;
}

}  // namespace

bool VmxModuleLoader::sameModuleName(const wchar_t* a, const wchar_t* b) {
    if (!a || !b) return a == b;
    for (;; ++a, ++b) {
        if (foldModuleChar(*a) != foldModuleChar(*b)) return false;
        if (*a == L'\0') return true;
    }
}

VmxModuleLoader::~VmxModuleLoader() { unload(); }

Plad::ErrorStatus VmxModuleLoader::load(const wchar_t* moduleName) {
    const bool requested = moduleName && *moduleName;
    if (!m_name.isEmpty() && requested && sameModuleName(m_name.kwszPtr(), moduleName)) return m_status;

    unload();
    m_name = PlString(moduleName);
    if (m_name.isEmpty()) {
        m_status = Plad::eNoDependentModule;
        return m_status;
    }
    m_status = plrxLoadModule(m_name.kwszPtr(), false, false) ? Plad::eOk : Plad::eLoadFailed;
    return m_status;
}

const wchar_t* VmxModuleLoader::name() const { return m_name.kwszPtr(); }

Plad::ErrorStatus VmxModuleLoader::unload() {
    if (!m_name.isEmpty()) {
        plrxUnloadModule(m_name.kwszPtr(), false);
        m_name.setEmpty();
    }
    m_status = Plad::eNoDependentModule;
    return Plad::eOk;
}
