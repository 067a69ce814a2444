// Library attach: the application object exists as soon as the host maps the module.
#include "app/ZuredUDKMX.h"

#if defined(_WIN32)
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID /*reserved*/) {
    if (reason == DLL_PROCESS_ATTACH) {
        ZuredUDKMX::initDll();
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}
#else
namespace {
__attribute__((constructor)) void onLibraryAttach() { ZuredUDKMX::initDll(); }
}  // namespace
#endif
