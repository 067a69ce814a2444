// Dictionaries: entries in the order added, found by name (ignoring case) or by object in
// constant time, and iterators that step past entries removed while they walk.
#include "host/pldbdict.h"

#include <string>
#include <unordered_map>
#include <vector>

#include "hostsim/db_internal.h"
#include "hostsim/internal.h"

/// The entries in slots, in the order added. A removed entry leaves an empty
/// slot behind; the slots are packed again once most are empty and no
/// iterator walks them, so every step and every removal costs the same
/// however many entries there are.
struct PlDbDictionary::Impl {
    struct Slot {
        const PlDbStub* stub;
        bool removed;
    };
    std::vector<Slot> slots;           ///< walked by iterators: kept small
    std::vector<std::wstring> names;  ///< beside the slots
    std::unordered_map<std::wstring, std::size_t> byKey;
    std::unordered_map<const PlDbStub*, std::size_t> byId;
    int walkers = 0;
    bool dictionaryGone = false;

    void add(std::wstring name, std::wstring key, const PlDbStub* stub) {
        byKey.emplace(std::move(key), slots.size());
        byId.emplace(stub, slots.size());
        slots.push_back({stub, false});
        names.push_back(std::move(name));
    }

    void remove(std::size_t slot) {
        byKey.erase(plsim::detail::toLower(names[slot]));
        byId.erase(slots[slot].stub);
        slots[slot].removed = true;
        pack();
    }

    /// Packs the slots once fewer than half are used and nobody walks them.
    void pack() {
        if (walkers > 0 || byId.size() * 2 >= slots.size()) return;
        std::size_t used = 0;
        for (std::size_t i = 0; i < slots.size(); ++i) {
            if (slots[i].removed) continue;
            slots[used] = slots[i];
            names[used] = std::move(names[i]);
            byKey[plsim::detail::toLower(names[used])] = used;
            byId[slots[used].stub] = used;
            ++used;
        }
        slots.resize(used);
        names.resize(used);
    }

    /// One iterator fewer; the last one may pack the slots.
    void release() {
        if (--walkers > 0) return;
        if (dictionaryGone) {
            delete this;
            return;
        }
        pack();
    }
};

struct PlDbDictionaryIterator::State {
    PlDbDictionary::Impl* dictionary;
    std::size_t position;

    /// Steps past removed entries. A walk mostly opens each entry it passes:
    /// the stubs some steps ahead, and the objects half as far ahead, are
    /// fetched from memory while the current entry is worked on. (Written
    /// here, not in a function of its own, which the compiler would take for
    /// one without effect and leave out.)
    void skipRemoved() {
        const auto& slots = dictionary->slots;
        while (position < slots.size() && slots[position].removed) ++position;
        if (position + 2 * kAhead < slots.size()) __builtin_prefetch(slots[position + 2 * kAhead].stub);
        if (position + kAhead < slots.size()) {
            const PlDbStub* stub = slots[position + kAhead].stub;
            __builtin_prefetch(stub->object);
            __builtin_prefetch(stub->state);
        }
    }
    static constexpr std::size_t kAhead = 8;
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
    m_impl->add(name, std::move(key), id.stub());
    db->impl()->announceAppended(object);
    return Plad::eOk;
}

Plad::ErrorStatus PlDbDictionary::getAt(const wchar_t* name, PlDbObjectId& id) const {
    id = PlDbObjectId::kNull;
    if (!name) return Plad::eKeyNotFound;
    const auto it = m_impl->byKey.find(plsim::detail::toLower(name));
    if (it == m_impl->byKey.end()) return Plad::eKeyNotFound;
    id = PlDbObjectId(const_cast<PlDbStub*>(m_impl->slots[it->second].stub));
    return Plad::eOk;
}

bool PlDbDictionary::has(const wchar_t* name) const {
    PlDbObjectId id;
    return getAt(name, id) == Plad::eOk;
}

bool PlDbDictionary::has(PlDbObjectId id) const { return m_impl->byId.count(id.stub()) > 0; }

const wchar_t* PlDbDictionary::nameAt(PlDbObjectId id) const {
    const auto it = m_impl->byId.find(id.stub());
    return it == m_impl->byId.end() ? nullptr : m_impl->names[it->second].c_str();
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
    auto* state = new PlDbDictionaryIterator::State{m_impl, 0};
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

bool PlDbDictionaryIterator::done() const { return m_state->position >= m_state->dictionary->slots.size(); }

bool PlDbDictionaryIterator::next() {
    if (done()) return false;
    ++m_state->position;
    m_state->skipRemoved();
    return !done();
}

// The entry under it may have been removed: its name and object are still known.
const wchar_t* PlDbDictionaryIterator::name() const {
    return done() ? L"" : m_state->dictionary->names[m_state->position].c_str();
}

PlDbObjectId PlDbDictionaryIterator::objectId() const {
    return done() ? PlDbObjectId() : PlDbObjectId(const_cast<PlDbStub*>(m_state->dictionary->slots[m_state->position].stub));
}

Plad::ErrorStatus PlDbDictionaryIterator::getObject(PlDbObject*& object, PlDb::OpenMode mode) const {
    return pldbOpenPlDbObject(object, objectId(), mode);
}
