// Object context menus: what a module offers when the user right-clicks selected objects.
#pragma once

#include <cstdint>
#include <vector>

#include "host/pldb.h"

using PlDbObjectIdArray = std::vector<PlDbObjectId>;

/// A sub-entity of an object, reached through the ids of its nesting.
struct PlDbFullSubentPath {
    std::vector<PlDbObjectId> objectIds;
    int subentType = 0;
    long subentIndex = 0;
};
using PlDbFullSubentPathArray = std::vector<PlDbFullSubentPath>;

/// A context menu registered for a class of objects. When the user
/// right-clicks a selection holding objects of that class (or of a class
/// derived from it), the host asks it once for its menu, with the whole
/// selection, and calls onMenuCommand with the item the user chose.
class PLHOST_API PlEdUIContext : public PlRxObject {
public:
    /// A menu is to be removed before it is deleted.
    ~PlEdUIContext() override;
    /// Asks for the menu with sub-entities; by default the same as without them.
    virtual void* getMenuContext(const PlRxClass* cls, const PlDbObjectIdArray& ids,
                                 const PlDbFullSubentPathArray& subentityPaths);
    /// Answers a pointer to the handle of an NlHostMenu that stays valid until
    /// the next request; null for no menu (the default).
    virtual void* getMenuContext(const PlRxClass* cls, const PlDbObjectIdArray& ids);
    /// The item `commandId` of the menu was chosen. By default nothing happens.
    virtual void onMenuCommand(std::uint32_t commandId);
    /// Called before the menu is shown, to tick, grey or change items. By
    /// default nothing changes.
    virtual void OnUpdateMenu();
    PlRxClass* isA() const override;
    static PlRxClass* desc();

protected:
    PlEdUIContext();
};

/// Registers `menu` for objects of `cls` on behalf of the application
/// `appHandle`. False for a null class or menu, or when that menu is
/// registered for that class already.
PLHOST_API bool pledAddObjectContextMenu(PlRxClass* cls, PlEdUIContext* menu, const void* appHandle);
/// Removes the registration; false when there is none.
PLHOST_API bool pledRemoveObjectContextMenu(PlRxClass* cls, PlEdUIContext* menu);
