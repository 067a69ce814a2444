// Object context menus by class, the editor's pick selection, and the right-click that
// gathers the menus of the selection and hands the chosen item to its menu.
#include "host/pleduicontext.h"

#include <algorithm>
#include <utility>

#include "host/nlhostmenu.h"
#include "hostsim/db_internal.h"
#include "hostsim/internal.h"
#include "hostsim/selection_driver.h"

namespace {

struct Registration {
    const PlRxClass* cls;
    PlEdUIContext* menu;
    const void* app;
};

struct Editor {
    std::vector<Registration> menus;  ///< in the order registered
    std::vector<PlDbObjectId> selection;
};

/// Never destroyed: modules remove their menus from their own static destructors.
Editor& editor() {
    static auto* state = new Editor;
    return *state;
}

/// Each menu that applies to the selection, once, with the items it answered.
std::vector<std::pair<PlEdUIContext*, std::vector<NlHostMenuItem>>> gatherMenus() {
    std::vector<std::pair<PlEdUIContext*, std::vector<NlHostMenuItem>>> shown;
    const PlDbObjectIdArray selection = plsim::pickSelection();
    if (selection.empty()) return shown;
    // A copy: a menu may add or remove registrations while it is asked.
    const std::vector<Registration> menus = editor().menus;
    for (const Registration& r : menus) {
        const bool asked = std::any_of(shown.begin(), shown.end(), [&](const auto& s) { return s.first == r.menu; });
        const bool applies = std::any_of(selection.begin(), selection.end(), [&](const PlDbObjectId& id) {
            const PlDbObject* object = plsim::detail::objectOf(id);
            return object && object->isKindOf(r.cls);
        });
        if (asked || !applies) continue;
        void* const* handle = static_cast<void* const*>(r.menu->getMenuContext(r.cls, selection, {}));
        if (!handle) continue;
        r.menu->OnUpdateMenu();
        const std::vector<NlHostMenuItem>* items = plsim::detail::popupMenuItems(*handle);
        if (items) shown.emplace_back(r.menu, *items);
    }
    return shown;
}

}  // namespace

// ---- The menus' base class ----------------------------------------------------------

PlEdUIContext::PlEdUIContext() = default;

PlEdUIContext::~PlEdUIContext() {
    // A menu must be removed before it is deleted; one that is not would be
    // asked after its end. Drop it and say so.
    auto& menus = editor().menus;
    const auto left = std::remove_if(menus.begin(), menus.end(), [this](const Registration& r) { return r.menu == this; });
    if (left == menus.end()) return;
    plsim::detail::reportDrawingError(L"an object context menu was deleted while still added");
    menus.erase(left, menus.end());
}

void* PlEdUIContext::getMenuContext(const PlRxClass* cls, const PlDbObjectIdArray& ids,
                                    const PlDbFullSubentPathArray& /*subentityPaths*/) {
    return getMenuContext(cls, ids);
}
void* PlEdUIContext::getMenuContext(const PlRxClass* /*cls*/, const PlDbObjectIdArray& /*ids*/) { return nullptr; }
void PlEdUIContext::onMenuCommand(std::uint32_t /*commandId*/) {}
void PlEdUIContext::OnUpdateMenu() {}

PlRxClass* PlEdUIContext::isA() const { return desc(); }

PlRxClass* PlEdUIContext::desc() {
    static PlRxClass* const cls = plrxFindPlRxClass(L"PlEdUIContext");
    return cls;
}

bool pledAddObjectContextMenu(PlRxClass* cls, PlEdUIContext* menu, const void* appHandle) {
    auto& menus = editor().menus;
    if (!cls || !menu) return false;
    if (std::any_of(menus.begin(), menus.end(), [&](const Registration& r) { return r.cls == cls && r.menu == menu; }))
        return false;
    menus.push_back({cls, menu, appHandle});
    return true;
}

bool pledRemoveObjectContextMenu(PlRxClass* cls, PlEdUIContext* menu) {
    auto& menus = editor().menus;
    const auto it = std::find_if(menus.begin(), menus.end(),
                                 [&](const Registration& r) { return r.cls == cls && r.menu == menu; });
    if (it == menus.end()) return false;
    menus.erase(it);
    return true;
}

// ---- What the host keeps of them ---------------------------------------------------

namespace plsim::detail {

void forgetContextMenusOf(const PlRxClass* cls) {
    auto& menus = editor().menus;
    menus.erase(std::remove_if(menus.begin(), menus.end(), [cls](const Registration& r) { return r.cls == cls; }),
                menus.end());
}

void forgetContextMenusOfApp(const void* appHandle) {
    auto& menus = editor().menus;
    const auto left = std::remove_if(menus.begin(), menus.end(), [&](const Registration& r) { return r.app == appHandle; });
    if (left != menus.end()) reportDrawingError(L"an application went away with its object context menu still added");
    menus.erase(left, menus.end());
}

void resetSelection() { editor().selection.clear(); }

}  // namespace plsim::detail

// ---- Driver ----------------------------------------------------------------------

namespace plsim {

void setPickSelection(const std::vector<PlDbObjectId>& ids) {
    auto& selection = editor().selection;
    selection.clear();
    for (const PlDbObjectId& id : ids)
        if (std::find(selection.begin(), selection.end(), id) == selection.end()) selection.push_back(id);
}

std::vector<PlDbObjectId> pickSelection() {
    std::vector<PlDbObjectId> live;
    for (const PlDbObjectId& id : editor().selection)
        if (id.isValid() && !id.isErased()) live.push_back(id);
    return live;
}

std::vector<ContextMenuItem> contextMenu() {
    std::vector<ContextMenuItem> items;
    for (const auto& [menu, menuItems] : gatherMenus())
        for (const NlHostMenuItem& item : menuItems)
            items.push_back({item.id(), item.text(), item.isChecked(), item.isEnabled()});
    return items;
}

bool chooseContextMenuItem(unsigned id) {
    for (const auto& [menu, items] : gatherMenus()) {
        for (const NlHostMenuItem& item : items) {
            if (item.id() != id || !item.isEnabled()) continue;
            menu->onMenuCommand(id);
            return true;
        }
    }
    return false;
}

int objectContextMenuCount() { return static_cast<int>(editor().menus.size()); }

}  // namespace plsim
