// Resource modules: loading by name with reference counts, texts by id, the current source.
#include "host/plres.h"

#include <algorithm>
#include <cwchar>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "host/plstring.h"
#include "hostsim/internal.h"
#include "resources/PlResTable.h"

#if defined(_WIN32)
#include <windows.h>
#endif

namespace {

/// A loaded resource module; its address is the handle callers get.
struct ResourceModule {
    std::wstring key;  ///< lower-case path
    void* library = nullptr;
    int references = 0;
#if !defined(_WIN32)
    std::vector<PlResEntry> table;  ///< sorted by id; the texts live in the library
    std::vector<std::size_t> lengths;  ///< of the texts, in the order of `table`
#endif
};

struct Resources {
    std::map<std::wstring, std::unique_ptr<ResourceModule>> loaded;
    PlResModuleHandle current = nullptr;
};

/// Never destroyed: modules free their resource modules from their own static destructors.
Resources& resources() {
    static Resources* const state = new Resources;
    return *state;
}

/// The loaded module behind a handle; null for a handle that is not (or no
/// longer) one of ours.
ResourceModule* moduleOf(PlResModuleHandle handle) {
    if (!handle) return nullptr;
    for (const auto& [key, module] : resources().loaded) {
        if (module.get() == handle) return module.get();
    }
    return nullptr;
}

#if defined(_WIN32)

void* openResourceLibrary(const std::wstring& path, ResourceModule&) {
    // As data only: no code of it runs, and it needs no imports.
    return reinterpret_cast<void*>(LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
}

void closeResourceLibrary(void* library) { FreeLibrary(static_cast<HMODULE>(library)); }

bool findString(const ResourceModule& module, unsigned id, std::wstring& text) {
    // Length 0 asks for a read-only pointer to the text itself, which is not
    // zero-terminated; the handle is used exactly as LoadLibraryExW gave it.
    const wchar_t* resource = nullptr;
    const int length = LoadStringW(static_cast<HINSTANCE>(module.library), id,
                                   reinterpret_cast<LPWSTR>(&resource), 0);
    if (length <= 0 || !resource) return false;
    text.assign(resource, static_cast<std::size_t>(length));
    return true;
}

#else

void* openResourceLibrary(const std::wstring& path, ResourceModule& module) {
    void* library = plsim::detail::openLibrary(path, nullptr);
    if (!library) return nullptr;
    auto tableOf = reinterpret_cast<PlResStringTableFn>(
        plsim::detail::librarySymbol(library, PL_RES_STRING_TABLE_SYMBOL));
    unsigned count = 0;
    const PlResEntry* entries = tableOf ? tableOf(&count) : nullptr;
    if (!entries) {
        // Not a resource module.
        plsim::detail::closeLibrary(library);
        return nullptr;
    }
    module.table.assign(entries, entries + count);
    // Sorted here as well, so that a table written out of order still finds
    // every id; of two entries with one id the first written wins.
    std::stable_sort(module.table.begin(), module.table.end(),
                     [](const PlResEntry& a, const PlResEntry& b) { return a.id < b.id; });
    for (const PlResEntry& e : module.table) module.lengths.push_back(e.text ? std::wcslen(e.text) : 0);
    return library;
}

void closeResourceLibrary(void* library) { plsim::detail::closeLibrary(library); }

bool findString(const ResourceModule& module, unsigned id, std::wstring& text) {
    const auto it = std::lower_bound(module.table.begin(), module.table.end(), id,
                                     [](const PlResEntry& e, unsigned key) { return e.id < key; });
    if (it == module.table.end() || it->id != id || !it->text) return false;
    text.assign(it->text, module.lengths[static_cast<std::size_t>(it - module.table.begin())]);
    return true;
}

#endif

}  // namespace

PlResModuleHandle PlUtResource::loadDll(const wchar_t* name, int reserved1, int reserved2) {
    if (!name || !*name || reserved1 != 0 || reserved2 != 0) return nullptr;
    if (plsim::detail::takeFault(plsim::Fault::ResourceLoad)) return nullptr;
    const std::wstring path = plsim::detail::resourceModulePath(plsim::detail::platformLibraryName(name), true);
    if (path.empty()) return nullptr;
    const std::wstring key = plsim::detail::toLower(path);
    auto& loaded = resources().loaded;
    if (const auto it = loaded.find(key); it != loaded.end()) {
        ++it->second->references;
        return it->second.get();
    }
    auto module = std::make_unique<ResourceModule>();
    module->key = key;
    module->library = openResourceLibrary(path, *module);
    if (!module->library) return nullptr;
    module->references = 1;
    ResourceModule* handle = module.get();
    loaded.emplace(key, std::move(module));
    return handle;
}

void PlUtResource::freeDll(PlResModuleHandle handle, int /*reserved*/) {
    ResourceModule* module = moduleOf(handle);
    if (!module || --module->references > 0) return;
    auto& loaded = resources().loaded;
    const auto it = loaded.find(module->key);
    const std::unique_ptr<ResourceModule> owned = std::move(it->second);
    loaded.erase(it);
    if (resources().current == handle) resources().current = nullptr;
    closeResourceLibrary(owned->library);
}

PlResModuleHandle plResCurrentSource() { return resources().current; }

int plsim::resourceModuleReferences(const std::wstring& name) {
    const std::wstring path = plsim::detail::resourceModulePath(plsim::detail::platformLibraryName(name), false);
    if (path.empty()) return 0;
    const auto it = resources().loaded.find(plsim::detail::toLower(path));
    return it == resources().loaded.end() ? 0 : it->second->references;
}

PlResModuleHandle plResSetCurrentSource(PlResModuleHandle handle) {
    const PlResModuleHandle previous = resources().current;
    resources().current = handle;
    return previous;
}

bool PlString::loadString(const PlRxResourceInstance& module, unsigned id) {
    m_text.clear();
    const ResourceModule* loaded = moduleOf(module.handle());
    return loaded && findString(*loaded, id, m_text);
}

bool PlString::loadString(unsigned id) { return loadString(PlRxResourceInstance(plResCurrentSource()), id); }
