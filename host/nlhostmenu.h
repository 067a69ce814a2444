// The hostable-UI popup menu and its items.
#pragma once

#include <string>
#include <vector>

#include "host/plexport.h"

/// One item of a popup menu.
class PLHOST_API NlHostMenuItem {
public:
    /// `checked` shows a tick beside the item; an item that is not `enabled`
    /// is shown greyed and cannot be chosen. `bitmapId` 0: no picture.
    NlHostMenuItem(unsigned id, const wchar_t* text, bool checked, bool enabled, unsigned bitmapId, void* data);
    ~NlHostMenuItem();

    unsigned id() const { return m_id; }
    const wchar_t* text() const { return m_text.c_str(); }
    bool isChecked() const { return m_checked; }
    bool isEnabled() const { return m_enabled; }
    unsigned bitmapId() const { return m_bitmapId; }
    void* data() const { return m_data; }

private:
    unsigned m_id;
    std::wstring m_text;
    bool m_checked;
    bool m_enabled;
    unsigned m_bitmapId;
    void* m_data;
};

/// A popup menu the host can show. It exists for the host between create and
/// destroy, and is known to it by its handle.
class PLHOST_API NlHostMenu {
public:
    NlHostMenu();
    /// Destroys the menu if that was not done.
    ~NlHostMenu();
    NlHostMenu(const NlHostMenu&) = delete;
    NlHostMenu& operator=(const NlHostMenu&) = delete;

    /// Makes an empty menu; false when it exists already.
    bool create();
    /// Appends a copy of `item`; false when the menu does not exist or already
    /// has an item of that id.
    bool appendItem(const NlHostMenuItem& item);
    /// Ends the menu; false when it did not exist.
    bool destroy();
    /// Null unless the menu exists.
    void* handle() const { return m_handle; }

private:
    void* m_handle = nullptr;
};
