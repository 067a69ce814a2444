// Named views: the view table of a drawing and its records.
#include "host/pldbview.h"

#include <algorithm>
#include <string>
#include <vector>

#include "hostsim/db_internal.h"
#include "hostsim/internal.h"

struct PlDbViewTableRecord::Impl {
    std::wstring name;
};

struct PlDbViewTable::Impl {
    std::vector<PlDbObjectId> records;
};

// ---- Records -------------------------------------------------------------------

PlDbViewTableRecord::PlDbViewTableRecord() : m_impl(new Impl) {}
PlDbViewTableRecord::~PlDbViewTableRecord() { delete m_impl; }

const wchar_t* PlDbViewTableRecord::name() const { return m_impl->name.c_str(); }

Plad::ErrorStatus PlDbViewTableRecord::setName(const wchar_t* name) {
    if (const Plad::ErrorStatus es = assertWriteEnabled(); es != Plad::eOk) return es;
    const std::wstring text = name ? name : L"";
    if (text.empty() || std::any_of(text.begin(), text.end(), [](wchar_t c) { return c < 0x20 || c == 0x7F; }))
        return Plad::eInvalidInput;
    m_impl->name = text;
    return Plad::eOk;
}

PlRxClass* PlDbViewTableRecord::isA() const { return desc(); }

PlRxClass* PlDbViewTableRecord::desc() {
    static PlRxClass* const cls = plrxFindPlRxClass(L"PlDbViewTableRecord");
    return cls;
}

// ---- The table -----------------------------------------------------------------

PlDbViewTable::PlDbViewTable() : m_impl(new Impl) {}
PlDbViewTable::~PlDbViewTable() { delete m_impl; }

Plad::ErrorStatus PlDbViewTable::add(PlDbObjectId& id, PlDbViewTableRecord* record) {
    id = PlDbObjectId::kNull;
    PlDbDatabase* db = database();
    if (!record) return Plad::eNullObjectPointer;
    if (!db) return Plad::eNoDatabase;
    if (const Plad::ErrorStatus es = assertWriteEnabled(); es != Plad::eOk) return es;
    if (record->database() || !*record->name()) return Plad::eInvalidInput;
    PlDbObjectId existing;
    if (getAt(record->name(), existing) == Plad::eOk) return Plad::eDuplicateKey;
    id = db->impl()->adoptOpen(record, objectId());
    m_impl->records.push_back(id);
    db->impl()->announceAppended(record);
    return Plad::eOk;
}

Plad::ErrorStatus PlDbViewTable::getAt(const wchar_t* name, PlDbObjectId& id) const {
    id = PlDbObjectId::kNull;
    for (const PlDbObjectId& candidate : m_impl->records) {
        const auto* record = static_cast<const PlDbViewTableRecord*>(plsim::detail::objectOf(candidate));
        if (record && !record->isErased() && name && plsim::detail::iequals(record->name(), name)) {
            id = candidate;
            return Plad::eOk;
        }
    }
    return Plad::eKeyNotFound;
}

unsigned PlDbViewTable::recordCount() const { return static_cast<unsigned>(m_impl->records.size()); }

PlDbObjectId PlDbViewTable::recordAt(unsigned index) const {
    return index < m_impl->records.size() ? m_impl->records[index] : PlDbObjectId::kNull;
}

PlRxClass* PlDbViewTable::isA() const { return desc(); }

PlRxClass* PlDbViewTable::desc() {
    static PlRxClass* const cls = plrxFindPlRxClass(L"PlDbViewTable");
    return cls;
}
