// The drawing database: its objects, spaces, layers and reactors, and the end of a database
// that deletes everything it owns.
#include "host/pldb.h"

#include <algorithm>

#include "host/pldbdict.h"
#include "host/pldbview.h"
#include <unordered_set>

#include "hostsim/db_internal.h"
#include "hostsim/internal.h"

namespace {

/// Never destroyed: databases may end while the process does.
std::unordered_set<PlDbDatabase*>& live() {
    static auto* all = new std::unordered_set<PlDbDatabase*>;
    return *all;
}

}  // namespace

namespace plsim::detail {

std::vector<PlDbDatabase*> liveDatabases() { return {live().begin(), live().end()}; }

}  // namespace plsim::detail

namespace plsim {

std::vector<std::wstring> layerNames(const PlDbDatabase* db) {
    std::vector<std::wstring> names;
    if (!db) return names;
    for (const PlDbObjectId& id : db->impl()->layers) {
        if (const auto* layer = static_cast<const PlDbLayerTableRecord*>(detail::objectOf(id))) {
            names.emplace_back(layer->name());
        }
    }
    return names;
}

}  // namespace plsim

// ---- The database's inner state ------------------------------------------------

PlDbObjectId PlDbDatabase::Impl::adopt(PlDbObject* object) {
    auto& state = PlDbObjectAccess::impl(object);
    const std::uint64_t handle = grantedHandle != 0 ? grantedHandle : nextHandle;
    grantedHandle = 0;
    nextHandle = std::max(nextHandle, handle + 1);
    state.stub = plsim::detail::newStub(object, self, handle);
    state.slot = objects.size();
    slotOfHandle.insert(handle, state.slot);
    objects.push_back(object);
    ++changes;
    return PlDbObjectId(state.stub);
}

PlDbObjectId PlDbDatabase::Impl::adoptOpen(PlDbObject* object, PlDbObjectId owner) {
    const PlDbObjectId id = adopt(object);
    auto& state = PlDbObjectAccess::impl(object);
    state.owner = owner;
    state.writer = true;
    plsim::detail::trackOpen(object);
    return id;
}

void PlDbDatabase::Impl::announceAppended(PlDbObject* object) {
    PlDbObjectAccess::appended(object);
    notify([&](PlDbDatabaseReactor* r) { r->objectAppended(self, object); });
}

// ---- Databases -------------------------------------------------------------------

PlDbDatabase::PlDbDatabase(bool buildDefaultDrawing, bool noDocument) : m_impl(new Impl) {
    m_impl->self = this;
    m_impl->noDocument = noDocument;
    live().insert(this);
    if (!buildDefaultDrawing) return;
    // The drawing's own records are made with the plain allocator: an
    // injected allocation fault is meant for what a command allocates.
    auto* model = ::new PlDbBlockTableRecord;
    model->m_impl->name = L"*Model_Space";
    m_impl->modelSpace = m_impl->adopt(model);
    auto* paper = ::new PlDbBlockTableRecord;
    paper->m_impl->name = L"*Paper_Space";
    m_impl->paperSpace = m_impl->adopt(paper);
    m_impl->currentSpace = m_impl->modelSpace;
    auto* layer0 = ::new PlDbLayerTableRecord;
    layer0->m_impl->name = L"0";
    m_impl->layers.push_back(m_impl->adopt(layer0));
    m_impl->namedObjects = m_impl->adopt(::new PlDbDictionary);
    m_impl->viewTable = m_impl->adopt(::new PlDbViewTable);
}

PlDbDatabase::~PlDbDatabase() {
    m_impl->ending = true;
    m_impl->notify([&](PlDbDatabaseReactor* r) { r->goodbye(this); });
    m_impl->reactors.clear();
    // Newest first, so an entity goes before the records it refers to.
    for (auto it = m_impl->objects.rbegin(); it != m_impl->objects.rend(); ++it) {
        PlDbObject* object = *it;
        if (!object) continue;
        auto& state = PlDbObjectAccess::impl(object);
        if (plsim::detail::isOpen(object)) {
            plsim::detail::reportDrawingError(plsim::detail::describeObject(object) +
                                              L" was still open when its database ended");
            plsim::detail::untrackOpen(object);
        }
        state.deletedByDatabase = true;
        PlDbStub* stub = state.stub;
        delete object;
        stub->object = nullptr;
        stub->database = nullptr;
    }
    live().erase(this);
    delete m_impl;
}

PlDbObjectId PlDbDatabase::modelSpaceId() const { return m_impl->modelSpace; }
PlDbObjectId PlDbDatabase::paperSpaceId() const { return m_impl->paperSpace; }
PlDbObjectId PlDbDatabase::currentSpaceId() const { return m_impl->currentSpace; }
PlDbObjectId PlDbDatabase::namedObjectsDictionaryId() const { return m_impl->namedObjects; }
PlDbObjectId PlDbDatabase::viewTableId() const { return m_impl->viewTable; }

Plad::ErrorStatus PlDbDatabase::setCurrentSpace(PlDbObjectId blockId) {
    if (blockId.isNull()) return Plad::eNullObjectId;
    const PlDbObject* target = plsim::detail::objectOf(blockId);
    if (!target) return Plad::eInvalidObjectId;
    if (blockId.database() != this || !target->isKindOf(PlDbBlockTableRecord::desc())) return Plad::eInvalidInput;
    m_impl->currentSpace = blockId;
    return Plad::eOk;
}

PlDbObjectId PlDbDatabase::layerId(const wchar_t* name) const {
    if (!name || !*name) return {};
    for (const PlDbObjectId& id : m_impl->layers) {
        const auto* layer = static_cast<const PlDbLayerTableRecord*>(plsim::detail::objectOf(id));
        if (layer && plsim::detail::iequals(layer->name(), name)) return id;
    }
    return {};
}

Plad::ErrorStatus PlDbDatabase::addLayer(const wchar_t* name, PlDbObjectId& id) {
    id = PlDbObjectId::kNull;
    if (!name || !*name) return Plad::eInvalidInput;
    if (!layerId(name).isNull()) return Plad::eDuplicateKey;
    auto* layer = new PlDbLayerTableRecord;
    if (!layer) return Plad::eOutOfMemory;
    layer->m_impl->name = name;
    id = m_impl->adopt(layer);
    m_impl->layers.push_back(id);
    m_impl->announceAppended(layer);
    return Plad::eOk;
}

Plad::ErrorStatus PlDbDatabase::addPlDbObject(PlDbObjectId& id, PlDbObject* object) {
    id = PlDbObjectId::kNull;
    if (!object) return Plad::eNullObjectPointer;
    if (object->database()) return Plad::eInvalidInput;  // it already belongs to a database
    id = m_impl->adoptOpen(object, PlDbObjectId::kNull);
    m_impl->announceAppended(object);
    return Plad::eOk;
}

void PlDbDatabase::addReactor(PlDbDatabaseReactor* reactor) const {
    if (!reactor || hasReactor(reactor)) return;
    m_impl->reactors.push_back(reactor);
}

void PlDbDatabase::removeReactor(PlDbDatabaseReactor* reactor) const {
    auto& list = m_impl->reactors;
    list.erase(std::remove(list.begin(), list.end(), reactor), list.end());
}

bool PlDbDatabase::hasReactor(const PlDbDatabaseReactor* reactor) const {
    const auto& list = m_impl->reactors;
    return std::find(list.begin(), list.end(), reactor) != list.end();
}

PlRxClass* PlDbDatabase::isA() const { return desc(); }

PlRxClass* PlDbDatabase::desc() {
    static PlRxClass* const cls = plrxFindPlRxClass(L"PlDbDatabase");
    return cls;
}

// ---- Database reactors -----------------------------------------------------------

PlDbDatabaseReactor::PlDbDatabaseReactor() = default;

PlDbDatabaseReactor::~PlDbDatabaseReactor() {
    // A reactor must be removed before it is deleted; one that is not would be
    // called after its end. Detach it and say so.
    for (PlDbDatabase* db : plsim::detail::liveDatabases()) {
        if (!db->hasReactor(this)) continue;
        // Deleting itself when told goodbye is the proper way out.
        if (!db->impl()->ending)
            plsim::detail::reportDrawingError(L"a database reactor was deleted while still added to a database");
        db->removeReactor(this);
    }
}

void PlDbDatabaseReactor::objectAppended(const PlDbDatabase*, const PlDbObject*) {}
void PlDbDatabaseReactor::objectUnAppended(const PlDbDatabase*, const PlDbObject*) {}
void PlDbDatabaseReactor::objectReAppended(const PlDbDatabase*, const PlDbObject*) {}
void PlDbDatabaseReactor::objectOpenedForModify(const PlDbDatabase*, const PlDbObject*) {}
void PlDbDatabaseReactor::objectModified(const PlDbDatabase*, const PlDbObject*) {}
void PlDbDatabaseReactor::objectErased(const PlDbDatabase*, const PlDbObject*, bool) {}
void PlDbDatabaseReactor::headerSysVarWillChange(const PlDbDatabase*, const wchar_t*) {}
void PlDbDatabaseReactor::headerSysVarChanged(const PlDbDatabase*, const wchar_t*, bool) {}
void PlDbDatabaseReactor::proxyResurrectionCompleted(const PlDbDatabase*, const wchar_t*) {}
void PlDbDatabaseReactor::goodbye(const PlDbDatabase*) {}

PlRxClass* PlDbDatabaseReactor::isA() const { return desc(); }

PlRxClass* PlDbDatabaseReactor::desc() {
    static PlRxClass* const cls = plrxFindPlRxClass(L"PlDbDatabaseReactor");
    return cls;
}
