// The hostable-UI popup menus: items, and the menus the host knows by handle.
#include "host/nlhostmenu.h"

#include <algorithm>
#include <unordered_set>

#include "hostsim/internal.h"

namespace {

struct PopupMenu {
    std::vector<NlHostMenuItem> items;
};

/// The menus that exist, by handle. Never destroyed: menus may end while the process does.
std::unordered_set<const void*>& liveMenus() {
    static auto* menus = new std::unordered_set<const void*>;
    return *menus;
}

}  // namespace

NlHostMenuItem::NlHostMenuItem(unsigned id, const wchar_t* text, bool checked, bool enabled, unsigned bitmapId,
                               void* data)
    : m_id(id), m_text(text ? text : L""), m_checked(checked), m_enabled(enabled), m_bitmapId(bitmapId), m_data(data) {}

NlHostMenuItem::~NlHostMenuItem() = default;

NlHostMenu::NlHostMenu() = default;

NlHostMenu::~NlHostMenu() { destroy(); }

bool NlHostMenu::create() {
    if (m_handle) return false;
    auto* menu = new PopupMenu;
    liveMenus().insert(menu);
    m_handle = menu;
    return true;
}

bool NlHostMenu::appendItem(const NlHostMenuItem& item) {
    if (!m_handle) return false;
    auto& items = static_cast<PopupMenu*>(m_handle)->items;
    if (std::any_of(items.begin(), items.end(), [&](const NlHostMenuItem& i) { return i.id() == item.id(); }))
        return false;
    items.push_back(item);
    return true;
}

bool NlHostMenu::destroy() {
    if (!m_handle) return false;
    liveMenus().erase(m_handle);
    delete static_cast<PopupMenu*>(m_handle);
    m_handle = nullptr;
    return true;
}

namespace plsim::detail {

const std::vector<NlHostMenuItem>* popupMenuItems(const void* handle) {
    if (!handle || !liveMenus().count(handle)) return nullptr;
    return &static_cast<const PopupMenu*>(handle)->items;
}

}  // namespace plsim::detail
