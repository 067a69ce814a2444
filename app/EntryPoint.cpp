// The module's entry points: the host's messages and its API version query.
#include "app/ZuredUDKMX.h"
#include "common/PlZuredUDExport.h"

namespace {
constexpr long kApiVersion = 0x190000;  // version 25 in the upper 16 bits
}

extern "C" PLZUREDUD_API int plrxEntryPoint(int message, void* appHandle) {
    switch (message) {
        case PlRx::kInitAppMsg:
            ZuredUDKMX::initDll();
            return ZuredUDKMX::initApp(appHandle);
        case PlRx::kUnloadAppMsg:
            ZuredUDKMX::uninitApp();
            return PlRx::kRetOK;
        case PlRx::kLoadDwgMsg:
            ZuredUDKMX::watchDb();
            return PlRx::kRetOK;
        case PlRx::kUnloadDwgMsg:
            ZuredUDKMX::clearDbReactor();
            return PlRx::kRetOK;
        default:
            return PlRx::kRetOK;
    }
}

extern "C" PLZUREDUD_API long plrxGetApiVersion() { return kApiVersion; }
