// contextMenuLight: the object context menu of lights, whose one item turns the selected
// lights to face the opposite way.
#pragma once

#include <cstdint>

#include "host/pleduicontext.h"

class NlHostMenu;

class contextMenuLight : public PlEdUIContext {
public:
    /// The item that reverses the selected lights.
    static constexpr unsigned kReverseLightItem = 2006;

    /// Makes the menu with its one item, labelled from the resource module.
    contextMenuLight();
    ~contextMenuLight() override;
    contextMenuLight(const contextMenuLight&) = delete;
    contextMenuLight& operator=(const contextMenuLight&) = delete;

    using PlEdUIContext::getMenuContext;
    /// Keeps a copy of the selection for the command to come and answers the
    /// address of the menu's handle. The class is not looked at.
    void* getMenuContext(const PlRxClass* cls, const PlDbObjectIdArray& ids) override;
    /// Runs the chosen item on the kept selection under a write lock of the
    /// current document, object by object, until one cannot be opened.
    void onMenuCommand(std::uint32_t commandId) override;

private:
    NlHostMenu* m_pMenu = nullptr;
    void* m_menuHandle = nullptr;
    PlDbObjectIdArray m_selection;
};
