// The driver's view of the editor's pick selection and of the right-click context menu.
#pragma once

#include <string>
#include <vector>

#include "host/pldb.h"
#include "host/plexport.h"

namespace plsim {

/// Makes `ids` the pick selection, in that order (repeats dropped).
PLHOST_API void setPickSelection(const std::vector<PlDbObjectId>& ids);
/// The pick selection, without the objects erased or gone since they were picked.
PLHOST_API std::vector<PlDbObjectId> pickSelection();

/// One item of the context menu the host shows.
struct ContextMenuItem {
    unsigned id = 0;
    std::wstring text;
    bool checked = false;
    bool enabled = true;
};

/// Right-clicks the pick selection: asks every object context menu that is
/// registered for the class of a selected object, or for a class it derives
/// from, once and with the whole selection; answers the items of their menus
/// in the order the menus were registered. Empty when nothing is selected.
PLHOST_API std::vector<ContextMenuItem> contextMenu();
/// Right-clicks and chooses the item `id`: the first menu offering it,
/// enabled, is told. False when none offers it.
PLHOST_API bool chooseContextMenuItem(unsigned id);
/// How many object context menus are registered now.
PLHOST_API int objectContextMenuCount();

}  // namespace plsim
