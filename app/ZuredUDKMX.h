// ZuredUDKMX: the module's application object and its exported module-wide services.
#pragma once

#include <cstdint>

#include "common/PlZuredUDExport.h"
#include "app/RxPladApplication.h"
#include "host/plrx.h"
#include "host/plstring.h"
#include "lights/DefaultLighting.h"
#include "lights/LightType.h"
#include "reserved/ReservedStringType.h"

class PlDbDatabase;
class contextMenuLight;
class CMotionPathDbRector;

class PLZUREDUD_API ZuredUDKMX : public RxPladApplication {
public:
    ZuredUDKMX() = default;
    ZuredUDKMX(const ZuredUDKMX& other) = default;
    ZuredUDKMX& operator=(const ZuredUDKMX& other) = default;
    ~ZuredUDKMX() override;

    /// Registers the commands of the command table after the base initialisation.
    Plad::ErrorStatus initialize(void* appHandle, bool unloadable, const wchar_t* resourceModule,
                                 const wchar_t* serviceName, const wchar_t* commandGroup,
                                 const wchar_t* dependentModule) override;

    // ---- Lifetime --------------------------------------------------------
    /// The application object, created when it does not exist yet (may stay null).
    static ZuredUDKMX* app();
    /// Creates the application object and loads its resource module; 1, or 0
    /// when either failed (an object created keeps existing).
    static int initDll();
    /// Module load: runtime classes, service, dependent module, commands.
    static PlRx::AppRetCode initApp(void* appHandle);
    /// Module unload: everything initApp made, in reverse.
    static void uninitApp();

    // ---- Module services -------------------------------------------------
    static PlString GetRoamableRootFolder();
    static PlDbDatabase& getTempDb();
    static void destroyTempDb();
    static bool isMaterialsMigrated();
    static void setMaterialMigrated(bool migrated);
    static bool isValidDatabaseState();
    static bool marrowIsEnabled();

    // ---- Light commands --------------------------------------------------
    static void lightnew();
    static void distantlight();
    static void pointlight();
    static void spotlight();
    static void weblight();
    static void targetpoint();
    static void freespot();
    static void freeweb();
    static void doLightCommand(LightType type);
    /// Asks whether default lighting is to be switched off. False: the user cancelled.
    static bool getTurnOffDefaultLighting(bool& turnOff);
    /// The default-lighting question for other modules: 1 go on, 2 stop.
    static int PopupSunWarningDlg();

    // ---- Reserved scene names (reserved/) ---------------------------------
    /// The global or local form of `type`; the host's for its own types
    /// (below kSceneStringBase); null for a type out of range.
    static const wchar_t* getReservedString(ReservedStringType type, bool localized);
    /// True when `text` is a form of `type`, or for a host type when the host says so.
    static bool isReservedString(const wchar_t* text, ReservedStringType type);
    /// True when `text` is a form of any of the module's own names.
    static bool isReservedString(const wchar_t* text);
    /// True when `text` is a form of "*Current*" or of a standard view.
    static bool isReservedViewString(const wchar_t* text);
    /// The other form of one of the module's own names (lowest type first); null when none.
    static const wchar_t* translateReservedString(const wchar_t* text, bool toLocalized);
    // ---- Light context menu and motion-path reactor -----------------------
    /// Creates the light context menu and registers it for lights; prints
    /// message msg::kContextMenuNotAdded when the host refuses it (the menu is kept either way).
    static void initLightContextMenu(void* appHandle);
    /// Creates the reactor when there is none and adds it to the working database.
    static void watchDb();
    /// Removes the reactor from the working database.
    static void clearDbReactor();

    // ---- State -----------------------------------------------------------
    static ZuredUDKMX* pThis;
    static contextMenuLight* pcmLight;
    static CMotionPathDbRector* m_pMotionPathDbRector;
    static PlDbDatabase* m_pTempDatabase;
    static PlString m_sRoamableRootFolder;
    static bool mbMaterialsMigrated;
    static const int kSceneStringBase = 10025;
};
