// ReservedStringTable: the global and local forms of the module's reserved scene names, and the
// queries on them and on the host's reserved names.
#pragma once

#include <array>
#include <functional>

#include "host/plstring.h"
#include "reserved/ReservedNameIndex.h"
#include "reserved/ReservedStringType.h"

class ReservedStringTable {
public:
    /// Takes the local form of each type, in type order, from `loadLocal`
    /// (the text of a message id).
    explicit ReservedStringTable(const std::function<PlString(unsigned)>& loadLocal);
    ReservedStringTable(const ReservedStringTable&) = delete;
    ReservedStringTable& operator=(const ReservedStringTable&) = delete;

    /// A form of one of the module's own types; null for any other type.
    const wchar_t* form(int type, bool localized) const;

    /// The form of `type`: the host's for types below kViewCurrent, null
    /// outside 0..kRenderPresetOvernight.
    const wchar_t* anyForm(int type, bool localized) const;
    /// True when `text` is either form of `type` (the global form tested
    /// first), else, for a host type, when the host says so.
    bool isReservedString(const wchar_t* text, int type) const;
    /// True when `text` is a form of any of the module's types (the host's
    /// are not consulted); answers as scanForReservedString does.
    bool isReservedString(const wchar_t* text) const;
    /// The same question by comparing with every form in type order.
    bool scanForReservedString(const wchar_t* text) const;
    /// True when `text` is a form of a view name (kViewCurrent..kViewNWIsometric).
    bool isReservedViewString(const wchar_t* text) const;
    /// The wanted form of the first type (lowest first) whose other form is
    /// `text`; null when none is. The host's names are not translated.
    const wchar_t* translateReservedString(const wchar_t* text, bool toLocalized) const;

private:
    /// True when `text` is a form of a type from `first` to `last`, compared in type order.
    bool isFormOfTypes(const wchar_t* text, int first, int last) const;

    /// Local form of type k at 2k, global form at 2k + 1.
    std::array<PlString, 2 * kSceneStringCount> m_forms;
    ReservedNameIndex m_index;
};

/// The host's form of one of its types (below kViewCurrent); null for any other type.
const wchar_t* hostReservedString(int type, bool localized);
