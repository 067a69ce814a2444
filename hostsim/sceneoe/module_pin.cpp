// Pinning the light-entity module in the process, the way each system allows it.
#include "hostsim/sceneoe/module_pin.h"

#if defined(_WIN32)
#  define WIN32_LEAN_AND_MEAN
#  define NOMINMAX
#  include <windows.h>
#else
#  include <dlfcn.h>
#endif

namespace plsim::scene {
namespace {

/// Any address inside this module names it.
const char kAnchor = 0;

bool pin() {
#if defined(_WIN32)
    HMODULE self = nullptr;
    return GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                              reinterpret_cast<LPCWSTR>(&kAnchor), &self) != 0;
#else
    Dl_info info{};
    if (dladdr(&kAnchor, &info) == 0 || !info.dli_fname) return false;
    // Not a new load: the module is marked never to be unloaded.
    return dlopen(info.dli_fname, RTLD_LAZY | RTLD_NOLOAD | RTLD_NODELETE) != nullptr;
#endif
}

}  // namespace

void keepModuleLoaded() {
    static const bool pinned = pin();
    (void)pinned;
}

}  // namespace plsim::scene
