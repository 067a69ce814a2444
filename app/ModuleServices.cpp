// Module-wide services offered to other host modules.
#include "app/ZuredUDKMX.h"

#include "app/EnvironmentVariable.h"
#include "lights/DefaultLighting.h"
#include "host/pldb.h"
#include "host/pldocs.h"

PlString ZuredUDKMX::GetRoamableRootFolder() {
    if (m_sRoamableRootFolder.isEmpty()) {
        const wchar_t* folder = nullptr;
        if (PlDbHostApplicationServices* services = pldbHostApplicationServices())
            services->getRoamableRootFolder(folder);
        m_sRoamableRootFolder = PlString(folder);
    }
    return m_sRoamableRootFolder;
}

PlDbDatabase& ZuredUDKMX::getTempDb() {
    if (!m_pTempDatabase) m_pTempDatabase = new PlDbDatabase(true, true);
    return *m_pTempDatabase;
}

void ZuredUDKMX::destroyTempDb() {
    delete m_pTempDatabase;
    m_pTempDatabase = nullptr;
}

bool ZuredUDKMX::isMaterialsMigrated() { return mbMaterialsMigrated; }

void ZuredUDKMX::setMaterialMigrated(bool migrated) { mbMaterialsMigrated = migrated; }

bool ZuredUDKMX::isValidDatabaseState() {
    PlApDocManager* docs = plDocManagerPtr();
    PlApDocument* doc = docs ? docs->curDocument() : nullptr;
    PlDbHostApplicationServices* services = pldbHostApplicationServices();
    PlDbDatabase* working = services ? services->workingDatabase() : nullptr;
    if (!doc || !working) return false;
    return doc->database() != nullptr && doc->database() == working;
}

namespace {
bool gMarrowEnvironmentUnread = true;
bool gMarrowEnabled = true;
}  // namespace

bool ZuredUDKMX::marrowIsEnabled() {
    if (gMarrowEnvironmentUnread) {
        gMarrowEnvironmentUnread = false;
        wchar_t value[8] = {};
        const std::size_t length = readEnvironmentVariable(L"DISABLEMARROW", value, 8);
        gMarrowEnabled = marrowEnabledFor(length, value);
    }
    return gMarrowEnabled;
}

bool ZuredUDKMX::getTurnOffDefaultLighting(bool& turnOff) { return ::getTurnOffDefaultLighting(turnOff); }

int ZuredUDKMX::PopupSunWarningDlg() { return sunWarning(); }
