// Dictionaries: entries in the order added, found by name (ignoring case) or by object in
// constant time, and iterators that step past entries removed while they walk.
#include "host/pldbdict.h"

#include <list>
#include <string>
#include <unordered_map>
#include <vector>

#include "hostsim/db_internal.h"
#include "hostsim/internal.h"

namespace {

struct Entry {
    std::wstring name;
    std::wstring key;  ///< the name folded
    PlDbObjectId id;
    bool removed = false;
};
using EntryList = std::list<Entry>;

}  // namespace

/// Outlives the dictionary while an iterator still walks it.
struct PlDbDictionary::Impl {
    EntryList entries;
    std::unordered_map<std::wstring, EntryList::iterator> byKey;
    std::unordered_map<const PlDbStub*, EntryList::iterator> byId;
    /// Entries removed while iterators walk: unlinked when the last one ends,
    /// so that no iterator is left standing on a freed entry.
    std::vector<EntryList::iterator> removedWhileWalked;
    int walkers = 0;
    bool dictionaryGone = false;

    void remove(EntryList::iterator entry) {
        byKey.erase(entry->key);
        byId.erase(entry->id.stub());
        if (walkers > 0) {
            entry->removed = true;
            removedWhileWalked.push_back(entry);
        } else {
            entries.erase(entry);
        }
    }

    /// One iterator fewer; the last one unlinks what was removed under it.
    void release() {
        if (--walkers > 0) return;
        for (const EntryList::iterator& entry : removedWhileWalked) entries.erase(entry);
        removedWhileWalked.clear();
        if (dictionaryGone) delete this;
    }
};

struct PlDbDictionaryIterator::State {
    PlDbDictionary::Impl* dictionary;
    EntryList::iterator position;

    void skipRemoved() {
        while (position != dictionary->entries.end() && position->removed) ++position;
    }
};

PlDbDictionary::PlDbDictionary() : m_impl(new Impl) {}

PlDbDictionary::~PlDbDictionary() {
    if (m_impl->walkers > 0) {
        m_impl->dictionaryGone = true;
    } else {
        delete m_impl;
    }
}

Plad::ErrorStatus PlDbDictionary::setAt(const wchar_t* name, PlDbObject* object, PlDbObjectId& id) {
    id = PlDbObjectId::kNull;
    PlDbDatabase* db = database();
    if (!object) return Plad::eNullObjectPointer;
    if (!name || !*name || object->database()) return Plad::eInvalidInput;
    if (!db) return Plad::eNoDatabase;
    if (const Plad::ErrorStatus es = assertWriteEnabled(); es != Plad::eOk) return es;
    std::wstring key = plsim::detail::toLower(name);
    if (m_impl->byKey.count(key)) return Plad::eDuplicateKey;

    id = db->impl()->adoptOpen(object, objectId());
    const auto entry = m_impl->entries.insert(m_impl->entries.end(), Entry{name, key, id});
    m_impl->byKey.emplace(std::move(key), entry);
    m_impl->byId.emplace(id.stub(), entry);
    db->impl()->announceAppended(object);
    return Plad::eOk;
}

Plad::ErrorStatus PlDbDictionary::getAt(const wchar_t* name, PlDbObjectId& id) const {
    id = PlDbObjectId::kNull;
    if (!name) return Plad::eKeyNotFound;
    const auto it = m_impl->byKey.find(plsim::detail::toLower(name));
    if (it == m_impl->byKey.end()) return Plad::eKeyNotFound;
    id = it->second->id;
    return Plad::eOk;
}

bool PlDbDictionary::has(const wchar_t* name) const {
    PlDbObjectId id;
    return getAt(name, id) == Plad::eOk;
}

bool PlDbDictionary::has(PlDbObjectId id) const { return m_impl->byId.count(id.stub()) > 0; }

const wchar_t* PlDbDictionary::nameAt(PlDbObjectId id) const {
    const auto it = m_impl->byId.find(id.stub());
    return it == m_impl->byId.end() ? nullptr : it->second->name.c_str();
}

Plad::ErrorStatus PlDbDictionary::remove(PlDbObjectId id) {
    if (const Plad::ErrorStatus es = assertWriteEnabled(); es != Plad::eOk) return es;
    const auto it = m_impl->byId.find(id.stub());
    if (id.isNull() || it == m_impl->byId.end()) return Plad::eKeyNotFound;
    if (PlDbObject* object = plsim::detail::objectOf(id)) PlDbObjectAccess::impl(object).owner = PlDbObjectId::kNull;
    m_impl->remove(it->second);
    return Plad::eOk;
}

unsigned PlDbDictionary::numEntries() const { return static_cast<unsigned>(m_impl->byId.size()); }

PlDbDictionaryIterator* PlDbDictionary::newIterator() const {
    ++m_impl->walkers;
    auto* state = new PlDbDictionaryIterator::State{m_impl, m_impl->entries.begin()};
    state->skipRemoved();
    return new PlDbDictionaryIterator(state);
}

PlRxClass* PlDbDictionary::isA() const { return desc(); }

PlRxClass* PlDbDictionary::desc() {
    static PlRxClass* const cls = plrxFindPlRxClass(L"PlDbDictionary");
    return cls;
}

// ---- Iterators -----------------------------------------------------------------

PlDbDictionaryIterator::~PlDbDictionaryIterator() {
    m_state->dictionary->release();
    delete m_state;
}

bool PlDbDictionaryIterator::done() const { return m_state->position == m_state->dictionary->entries.end(); }

bool PlDbDictionaryIterator::next() {
    if (done()) return false;
    ++m_state->position;
    m_state->skipRemoved();
    return !done();
}

const wchar_t* PlDbDictionaryIterator::name() const { return done() ? L"" : m_state->position->name.c_str(); }

PlDbObjectId PlDbDictionaryIterator::objectId() const { return done() ? PlDbObjectId() : m_state->position->id; }

Plad::ErrorStatus PlDbDictionaryIterator::getObject(PlDbObject*& object, PlDb::OpenMode mode) const {
    return pldbOpenPlDbObject(object, objectId(), mode);
}
