// contextMenuLight: building the menu, keeping the selection, and reversing the selected lights.
#include "contextmenu/contextMenuLight.h"

#include "common/DocLock.h"
#include "common/Messages.h"
#include "host/nlhostmenu.h"
#include "host/plres.h"
#include "host/plscene.h"

contextMenuLight::contextMenuLight() {
    m_selection.reserve(8);
    PlResourceOverride resources(applicationResources());
    m_pMenu = new NlHostMenu;
    m_pMenu->create();
    NlHostMenuItem item(kReverseLightItem, loadMessage(msg::kReverseLightLabel).kwszPtr(), false, true, 0, nullptr);
    m_pMenu->appendItem(item);
}

contextMenuLight::~contextMenuLight() {
    if (m_pMenu) {
        if (m_pMenu->handle()) m_pMenu->destroy();
        delete m_pMenu;
    }
}

void* contextMenuLight::getMenuContext(const PlRxClass* /*cls*/, const PlDbObjectIdArray& ids) {
    m_selection = ids;
    m_menuHandle = m_pMenu ? m_pMenu->handle() : nullptr;
    return &m_menuHandle;
}

void contextMenuLight::onMenuCommand(std::uint32_t commandId) {
    PlResourceOverride resources(applicationResources());
    PlApDocument* document = plDocManagerPtr()->curDocument();
    if (!document) return;
    DocLock lock;  // unlocks on the way out what it locked here
    if (lock.lockDocument(document, PlAp::kWrite, nullptr, nullptr) != Plad::eOk) return;
    for (const PlDbObjectId& id : m_selection) {
        PlDbObject* object = nullptr;
        if (pldbOpenPlDbObject(object, id, PlDb::kForWrite) != Plad::eOk) break;
        if (commandId == kReverseLightItem && object->isKindOf(PlDbLight::desc())) {
            auto* light = static_cast<PlDbLight*>(object);
            const PlGePoint3d p = light->position();
            const PlGePoint3d t = light->targetLocation();
            static_cast<void>(light->setTargetLocation(PlGePoint3d(2 * p.x - t.x, 2 * p.y - t.y, 2 * p.z - t.z)));
        }
        object->close();
    }
}
