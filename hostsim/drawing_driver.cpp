// The driver's view of a drawing's entities and views, and the edits a host command makes.
#include "hostsim/drawing_driver.h"

#include <algorithm>

#include "host/pldbview.h"
#include "hostsim/db_internal.h"

namespace plsim {

std::vector<PlDbObjectId> entityIds(PlDbDatabase* db) {
    std::vector<PlDbObjectId> ids;
    if (!db) return ids;
    for (const PlDbObjectId& spaceId : {db->modelSpaceId(), db->paperSpaceId()}) {
        PlDbBlockTableRecord* space = nullptr;
        if (pldbOpenObject(space, spaceId, PlDb::kForRead) != Plad::eOk) continue;
        for (unsigned i = 0; i < space->entityCount(); ++i) ids.push_back(space->entityAt(i));
        space->close();
    }
    // Handles grow as objects are added: they give the order across both spaces.
    std::sort(ids.begin(), ids.end(), [](const PlDbObjectId& a, const PlDbObjectId& b) { return a.handle() < b.handle(); });
    return ids;
}

PlDbObjectId objectWithHandle(const PlDbDatabase* db, std::uint64_t handle) {
    // Handles are given out from 1 in the order objects join.
    const auto& objects = db ? db->impl()->objects : std::vector<PlDbObject*>();
    if (handle == 0 || handle > objects.size() || !objects[handle - 1]) return {};
    return objects[handle - 1]->objectId();
}

Plad::ErrorStatus addEntity(PlDbDatabase* db, PlDbEntity* entity, PlDbObjectId& id) {
    id = PlDbObjectId::kNull;
    PlDbBlockTableRecord* space = nullptr;
    Plad::ErrorStatus es = db ? pldbOpenObject(space, db->modelSpaceId(), PlDb::kForWrite) : Plad::eNoDatabase;
    if (es == Plad::eOk) {
        es = space->appendPlDbEntity(id, entity);
        space->close();
    }
    if (es != Plad::eOk) {
        delete entity;
        return es;
    }
    return entity->close();
}

std::vector<ViewInfo> viewsOf(PlDbDatabase* db) {
    std::vector<ViewInfo> views;
    PlDbViewTable* table = nullptr;
    if (!db || pldbOpenObject(table, db->viewTableId(), PlDb::kForRead) != Plad::eOk) return views;
    for (unsigned i = 0; i < table->recordCount(); ++i) {
        PlDbViewTableRecord* view = nullptr;
        if (pldbOpenObject(view, table->recordAt(i), PlDb::kForNotify) != Plad::eOk) continue;  // erased
        views.push_back({view->name(), view->objectId().handle()});
        view->close();
    }
    table->close();
    return views;
}

Plad::ErrorStatus addView(PlDbDatabase* db, const std::wstring& name, PlDbObjectId& id) {
    id = PlDbObjectId::kNull;
    PlDbViewTable* table = nullptr;
    Plad::ErrorStatus es = db ? pldbOpenObject(table, db->viewTableId(), PlDb::kForWrite) : Plad::eNoDatabase;
    if (es != Plad::eOk) return es;
    auto* view = new PlDbViewTableRecord;
    es = !view ? Plad::eOutOfMemory : view->setName(name.c_str());
    if (es == Plad::eOk) es = table->add(id, view);
    table->close();
    if (es != Plad::eOk) {
        delete view;
        return es;
    }
    return view->close();
}

PlDbObjectId viewNamed(PlDbDatabase* db, const std::wstring& name) {
    PlDbViewTable* table = nullptr;
    PlDbObjectId id;
    if (!db || pldbOpenObject(table, db->viewTableId(), PlDb::kForRead) != Plad::eOk) return id;
    static_cast<void>(table->getAt(name.c_str(), id));  // id stays null when there is none
    table->close();
    return id;
}

Plad::ErrorStatus setErased(PlDbObjectId id, bool erased) {
    PlDbObject* object = nullptr;
    Plad::ErrorStatus es = pldbOpenPlDbObject(object, id, PlDb::kForWrite, true);
    if (es != Plad::eOk) return es;
    es = object->erase(erased);
    object->close();
    return es;
}

Plad::ErrorStatus moveEntity(PlDbObjectId id, const PlGeVector3d& offset) {
    PlDbEntity* entity = nullptr;
    Plad::ErrorStatus es = pldbOpenObject(entity, id, PlDb::kForWrite);
    if (es != Plad::eOk) return es;
    es = entity->moveBy(offset);
    entity->close();
    return es;
}

}  // namespace plsim
