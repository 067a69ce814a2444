// ZuredUDKMX: creation, module load and unload, the light context menu and the reactor it adds.
#include "app/ZuredUDKMX.h"

#include <cstring>
#include <new>

#include "app/HostRegistry.h"
#include "common/Messages.h"
#include "contextmenu/contextMenuLight.h"
#include "host/pldb.h"
#include "host/pled.h"
#include "host/plscene.h"
#include "lightedit/IESFileNavParams.h"
#include "reactors/CMotionPathDbRector.h"

ZuredUDKMX* ZuredUDKMX::pThis = nullptr;
contextMenuLight* ZuredUDKMX::pcmLight = nullptr;
CMotionPathDbRector* ZuredUDKMX::m_pMotionPathDbRector = nullptr;
PlDbDatabase* ZuredUDKMX::m_pTempDatabase = nullptr;
PlString ZuredUDKMX::m_sRoamableRootFolder;
bool ZuredUDKMX::mbMaterialsMigrated = false;

namespace {
const wchar_t kServiceName[] = L"ZuredUD_Service_KMX";
const wchar_t kCommandGroup[] = L"PLORE_ZuredUD";
const wchar_t kDependentModule[] = L"PlSceneOE.dbx";
}  // namespace

ZuredUDKMX::~ZuredUDKMX() = default;

int ZuredUDKMX::initDll() {
    if (pThis) return 1;
    void* memory = ::operator new(sizeof(ZuredUDKMX), std::nothrow);
    if (!memory) return 0;
    std::memset(memory, 0, sizeof(ZuredUDKMX));
    pThis = new (memory) ZuredUDKMX();
    return pThis->setResourceModule(kResourceModuleName) == Plad::eOk ? 1 : 0;
}

ZuredUDKMX* ZuredUDKMX::app() {
    if (!pThis) initDll();
    return pThis;
}

PlResModuleHandle applicationResources(const wchar_t** missingName) {
    ZuredUDKMX* application = ZuredUDKMX::app();
    if (application && application->ensureResourceModule()) return application->resourceModule();
    if (missingName) *missingName = application ? application->resourceModuleName() : L"";
    return nullptr;
}

PlRx::AppRetCode ZuredUDKMX::initApp(void* appHandle) {
    PlApHostIESFileNavParams::rxInit();
    if (!pThis) return PlRx::kRetError;
    if (pThis->initialize(appHandle, true, nullptr, kServiceName, kCommandGroup, kDependentModule) != Plad::eOk)
        return PlRx::kRetError;
    initLightContextMenu(appHandle);
    return PlRx::kRetOK;
}

void ZuredUDKMX::uninitApp() {
    PlApHostIESFileNavParams::rxUninit();
    // Its destructor takes it out of every database that still holds it.
    delete m_pMotionPathDbRector;
    m_pMotionPathDbRector = nullptr;
    if (pcmLight) {
        if (plrxServiceIsRegistered(kServiceName) && plrxAppIsLoaded(kDependentModule) && PlDbLight::desc())
            pledRemoveObjectContextMenu(PlDbLight::desc(), pcmLight);
        delete pcmLight;
        pcmLight = nullptr;
    }
    if (pThis) {
        delete pThis;
        pThis = nullptr;
    }
    // The direction input's own hold on the resource module ends with the
    // module too, so unloading leaves no resource module behind.
    releaseModuleMessages();
    // Texts asked for after the application object went (they read as missing) go too.
    forgetLoadedMessages();
}

void ZuredUDKMX::initLightContextMenu(void* appHandle) {
    pcmLight = new contextMenuLight;
    if (!pledAddObjectContextMenu(PlDbLight::desc(), pcmLight, appHandle)) printMessage(msg::kContextMenuNotAdded);
}

void ZuredUDKMX::watchDb() {
    if (!m_pMotionPathDbRector) m_pMotionPathDbRector = new CMotionPathDbRector;
    if (PlDbDatabase* db = pldbHostApplicationServices()->workingDatabase()) m_pMotionPathDbRector->watch(db);
}

void ZuredUDKMX::clearDbReactor() {
    PlDbDatabase* db = pldbHostApplicationServices()->workingDatabase();
    if (db && m_pMotionPathDbRector) m_pMotionPathDbRector->unwatch(db);
}
