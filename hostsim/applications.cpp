// Applications the driver loads by file name and drives through their entry points,
// and the folder modules are loaded from.
#include "hostsim/driver.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "host/plrx.h"
#include "hostsim/internal.h"

namespace plsim {

/// A loaded application; its address is the handle its entry point is given.
struct Application {
    std::wstring fileName;
    std::wstring path;
    void* library = nullptr;
    int (*entry)(int, void*) = nullptr;
    long (*apiVersion)() = nullptr;
};

namespace {

struct Applications {
    std::wstring moduleDirectory;
    bool directoryChosen = false;
    std::vector<std::unique_ptr<Application>> loaded;
};

/// Never destroyed: applications left loaded at exit stay mapped.
Applications& applications() {
    static Applications* const state = new Applications;
    return *state;
}

bool isLive(const Application* app) {
    const auto& loaded = applications().loaded;
    return app && std::any_of(loaded.begin(), loaded.end(), [app](const auto& a) { return a.get() == app; });
}

bool hasFolderPart(const std::wstring& name) { return name.find_first_of(L"/\\") != std::wstring::npos; }

std::wstring fileNameOf(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L"/\\");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

}  // namespace

std::wstring moduleDirectory() {
    Applications& apps = applications();
    if (!apps.directoryChosen) return detail::hostLibraryDirectory();
    return apps.moduleDirectory;
}

void setModuleDirectory(const std::wstring& folder) {
    // An empty folder goes back to the host library's own.
    applications().moduleDirectory = folder;
    applications().directoryChosen = !folder.empty();
}

Application* loadApplication(const std::wstring& fileName, std::wstring* error, int* initResult) {
    auto fail = [error](const std::wstring& why) -> Application* {
        if (error) *error = why;
        return nullptr;
    };
    if (fileName.empty()) return fail(L"no application file was given");
    const std::wstring path = hasFolderPart(fileName) ? fileName : detail::moduleFilePath(fileName);
    if (path.empty()) return fail(L"\"" + fileName + L"\" is not in " + moduleDirectory());

    std::wstring why;
    void* library = detail::openLibrary(path, &why);
    if (!library) return fail(L"\"" + path + L"\" could not be loaded: " + why);
    auto entry = reinterpret_cast<int (*)(int, void*)>(detail::librarySymbol(library, "plrxEntryPoint"));
    if (!entry) {
        detail::closeLibrary(library);
        return fail(L"\"" + path + L"\" has no entry point plrxEntryPoint");
    }
    auto app = std::make_unique<Application>();
    app->fileName = fileNameOf(path);
    app->path = path;
    app->library = library;
    app->entry = entry;
    app->apiVersion = reinterpret_cast<long (*)()>(detail::librarySymbol(library, "plrxGetApiVersion"));
    Application* handle = app.get();
    applications().loaded.push_back(std::move(app));
    const int result = handle->entry(PlRx::kInitAppMsg, handle);
    if (initResult) *initResult = result;
    return handle;
}

int sendAppMessage(Application* app, int message) {
    if (!isLive(app)) return PlRx::kRetError;
    return app->entry(message, app);
}

long applicationApiVersion(Application* app) {
    if (!isLive(app) || !app->apiVersion) return 0;
    return app->apiVersion();
}

void unloadApplication(Application* app) {
    auto& loaded = applications().loaded;
    const auto it = std::find_if(loaded.begin(), loaded.end(), [app](const auto& a) { return a.get() == app; });
    if (it == loaded.end()) return;
    // Out of the list first, so that a second unload while it goes does nothing.
    const std::unique_ptr<Application> owned = std::move(*it);
    loaded.erase(it);
    owned->entry(PlRx::kUnloadAppMsg, owned.get());
    detail::forgetAppHandle(owned.get());
    detail::closeLibrary(owned->library);
}

void* applicationHandle(Application* app) { return isLive(app) ? app : nullptr; }

void* findApplicationSymbol(const char* symbol) {
    for (const auto& app : applications().loaded) {
        if (void* address = detail::librarySymbol(app->library, symbol)) return address;
    }
    return nullptr;
}

namespace detail {

void broadcastAppMessage(int message) {
    std::vector<Application*> apps;
    for (const auto& app : applications().loaded) apps.push_back(app.get());
    // One may unload another while it is told; each is told only while it is loaded.
    for (Application* app : apps)
        if (isLive(app)) app->entry(message, app);
}

bool applicationIsLoaded(const std::wstring& fileName) {
    const auto& loaded = applications().loaded;
    return std::any_of(loaded.begin(), loaded.end(),
                       [&fileName](const auto& a) { return iequals(a->fileName, fileName); });
}

void* moduleSymbol(const std::wstring& fileName, const char* name) {
    for (const auto& app : applications().loaded)
        if (iequals(app->fileName, fileName)) return librarySymbol(app->library, name);
    return programSymbol(name);
}

}  // namespace detail

}  // namespace plsim
