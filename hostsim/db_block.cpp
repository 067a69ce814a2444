// Block table records (model space, paper space) with their entities, and layer table records.
#include "host/pldb.h"

#include "hostsim/db_internal.h"

// ---- Block table records -----------------------------------------------------------

PlDbBlockTableRecord::PlDbBlockTableRecord() : m_impl(new Impl) {}
PlDbBlockTableRecord::~PlDbBlockTableRecord() { delete m_impl; }

const wchar_t* PlDbBlockTableRecord::name() const { return m_impl->name.c_str(); }

Plad::ErrorStatus PlDbBlockTableRecord::appendPlDbEntity(PlDbObjectId& id, PlDbEntity* entity) {
    id = PlDbObjectId::kNull;
    if (!entity) return Plad::eNullObjectPointer;
    PlDbDatabase* db = database();
    if (!db) return Plad::eNoDatabase;
    if (!isWriteEnabled()) return Plad::eNotOpenForWrite;
    if (isErased()) return Plad::eWasErased;
    if (entity->database()) return Plad::eInvalidInput;  // it already belongs to a database
    // A layer of another drawing (or none) gives way to this drawing's layer "0".
    const PlDbObjectId layer = entity->layerId();
    const bool keepLayer = !layer.isNull() && layer.database() == db;

    id = db->impl()->adopt(entity);
    auto& state = PlDbObjectAccess::impl(entity);
    state.owner = objectId();
    state.writer = true;  // the entity stays open for write, as its maker had it
    plsim::detail::trackOpen(entity);
    if (!keepLayer) {
        const PlDbObjectId layer0 = db->layerId(L"0");
        if (!layer0.isNull()) entity->setLayer(layer0);
    }
    m_impl->entities.push_back(id);
    db->impl()->announceAppended(entity);
    return Plad::eOk;
}

Plad::ErrorStatus PlDbBlockTableRecord::appendPlDbEntity(PlDbEntity* entity) {
    PlDbObjectId id;
    return appendPlDbEntity(id, entity);
}

unsigned PlDbBlockTableRecord::entityCount() const { return static_cast<unsigned>(m_impl->entities.size()); }

PlDbObjectId PlDbBlockTableRecord::entityAt(unsigned index) const {
    return index < m_impl->entities.size() ? m_impl->entities[index] : PlDbObjectId::kNull;
}

PlRxClass* PlDbBlockTableRecord::isA() const { return desc(); }

PlRxClass* PlDbBlockTableRecord::desc() {
    static PlRxClass* const cls = plrxFindPlRxClass(L"PlDbBlockTableRecord");
    return cls;
}

// ---- Layer table records -----------------------------------------------------------

PlDbLayerTableRecord::PlDbLayerTableRecord() : m_impl(new Impl) {}
PlDbLayerTableRecord::~PlDbLayerTableRecord() { delete m_impl; }

const wchar_t* PlDbLayerTableRecord::name() const { return m_impl->name.c_str(); }

PlRxClass* PlDbLayerTableRecord::isA() const { return desc(); }

PlRxClass* PlDbLayerTableRecord::desc() {
    static PlRxClass* const cls = plrxFindPlRxClass(L"PlDbLayerTableRecord");
    return cls;
}
