// Host modules loaded by name (plrxLoadModule) with reference counts, and the dynamic linker.
#include "host/plrx.h"

#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>

#include "hostsim/internal.h"

namespace {

using EntryPoint = int (*)(int, void*);

/// A loaded module; its address is the application handle it is given.
struct Module {
    std::wstring path;
    void* library = nullptr;
    EntryPoint entry = nullptr;
    int references = 0;
};

struct Modules {
    /// Keyed by the lower-case module name: names match ignoring case.
    std::map<std::wstring, std::unique_ptr<Module>> loaded;
    std::set<void*> unloadable;
    std::set<void*> mdiAware;
};

/// Never destroyed: modules may unload from their own static destructors.
Modules& modules() {
    static Modules* const state = new Modules;
    return *state;
}

bool failLoad(bool printErrors, const std::wstring& name, const std::wstring& why) {
    if (printErrors) {
        plsim::finishOutputLine();
        plsim::detail::emit(L"Unable to load module \"" + name + L"\": " + why + L"\n");
    }
    return false;
}

/// Takes the module of that key out of the table, if it is still `module`.
std::unique_ptr<Module> takeOut(const std::wstring& key, const Module* module) {
    auto& loaded = modules().loaded;
    const auto it = loaded.find(key);
    if (it == loaded.end() || it->second.get() != module) return nullptr;
    std::unique_ptr<Module> taken = std::move(it->second);
    loaded.erase(it);
    return taken;
}

}  // namespace

bool plrxLoadModule(const wchar_t* moduleName, bool printErrors, bool /*asCommand*/) {
    const std::wstring name = moduleName ? moduleName : L"";
    if (name.empty()) return failLoad(printErrors, name, L"no module name was given");
    const std::wstring key = plsim::detail::toLower(name);
    auto& loaded = modules().loaded;
    if (const auto it = loaded.find(key); it != loaded.end()) {
        ++it->second->references;
        return true;
    }
    // A module already in memory only gains a reference: only a load from its file can fail.
    if (plsim::detail::takeFault(plsim::Fault::ModuleLoad)) {
        return failLoad(printErrors, name, L"the host could not load it");
    }
    const std::wstring path = plsim::detail::moduleFilePath(name);
    if (path.empty()) {
        return failLoad(printErrors, name, L"there is no such module in " + plsim::moduleDirectory());
    }
    std::wstring error;
    void* library = plsim::detail::openLibrary(path, &error);
    if (!library) return failLoad(printErrors, name, error);

    auto record = std::make_unique<Module>();
    record->path = path;
    record->library = library;
    record->entry = reinterpret_cast<EntryPoint>(plsim::detail::librarySymbol(library, "plrxEntryPoint"));
    record->references = 1;
    Module* module = record.get();
    // In the table before it initialises, so that it finds itself loaded.
    loaded.emplace(key, std::move(record));
    if (module->entry && module->entry(PlRx::kInitAppMsg, module) != PlRx::kRetOK) {
        const std::unique_ptr<Module> failed = takeOut(key, module);
        plsim::detail::forgetAppHandle(module);
        plsim::detail::closeLibrary(library);
        return failLoad(printErrors, name, L"its initialisation failed");
    }
    return true;
}

bool plrxUnloadModule(const wchar_t* moduleName, bool /*asCommand*/) {
    if (!moduleName || !*moduleName) return false;
    const std::wstring key = plsim::detail::toLower(moduleName);
    auto& loaded = modules().loaded;
    const auto it = loaded.find(key);
    if (it == loaded.end()) return false;
    if (--it->second->references > 0) return true;
    // Out of the table first: what the module unloads while it goes cannot reach it again.
    const std::unique_ptr<Module> module = takeOut(key, it->second.get());
    if (module->entry) module->entry(PlRx::kUnloadAppMsg, module.get());
    plsim::detail::forgetAppHandle(module.get());
    plsim::detail::closeLibrary(module->library);
    return true;
}

bool plrxAppIsLoaded(const wchar_t* moduleName) {
    if (!moduleName || !*moduleName) return false;
    return modules().loaded.count(plsim::detail::toLower(moduleName)) > 0 ||
           plsim::detail::applicationIsLoaded(moduleName);
}

bool plrxRegisterAppMDIAware(void* appHandle) {
    if (!appHandle) return false;
    modules().mdiAware.insert(appHandle);
    return true;
}

namespace plsim::detail {

std::wstring moduleFilePath(const std::wstring& fileName) { return findFileInFolder(moduleDirectory(), fileName); }

void forgetAppHandle(void* appHandle) {
    forgetContextMenusOfApp(appHandle);
    modules().unloadable.erase(appHandle);
    modules().mdiAware.erase(appHandle);
}

}  // namespace plsim::detail

// ---- The dynamic linker --------------------------------------------------------

PlRxDynamicLinker::PlRxDynamicLinker() = default;
PlRxDynamicLinker::~PlRxDynamicLinker() = default;

bool PlRxDynamicLinker::setAppUnloadable(void* appHandle) {
    if (!appHandle) return false;
    modules().unloadable.insert(appHandle);
    return true;
}

bool PlRxDynamicLinker::isAppUnloadable(void* appHandle) const { return modules().unloadable.count(appHandle) > 0; }

PlRxClass* PlRxDynamicLinker::isA() const { return desc(); }

PlRxClass* PlRxDynamicLinker::desc() {
    static PlRxClass* const cls = plrxFindPlRxClass(L"PlRxDynamicLinker");
    return cls;
}
