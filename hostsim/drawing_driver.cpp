// The driver's view of a drawing's entities and views, and the edits a host command makes.
#include "hostsim/drawing_driver.h"

#include <algorithm>
#include <type_traits>

#include "host/pldbents.h"
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
    if (!db) return {};
    const PlDbDatabase::Impl& impl = *db->impl();
    const auto slot = impl.slotOfHandle.find(handle);
    if (!slot || !impl.objects[*slot]) return {};
    return impl.objects[*slot]->objectId();
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

std::uint64_t nextHandle(const PlDbDatabase* db) { return db ? db->impl()->nextHandle : 0; }

Plad::ErrorStatus setNextHandle(PlDbDatabase* db, std::uint64_t handle) {
    if (!db) return Plad::eNoDatabase;
    if (handle < db->impl()->nextHandle) return Plad::eInvalidInput;
    db->impl()->nextHandle = handle;
    return Plad::eOk;
}

Plad::ErrorStatus giveNextHandle(PlDbDatabase* db, std::uint64_t handle) {
    if (!db) return Plad::eNoDatabase;
    if (handle != 0 && db->impl()->slotOfHandle.contains(handle)) return Plad::eDuplicateKey;
    db->impl()->grantedHandle = handle;
    return Plad::eOk;
}

namespace {

using Kind = EntityInfo::Kind;

template <class T>
const T* as(const PlDbObject* object) {
    return object->isKindOf(T::desc()) ? static_cast<const T*>(object) : nullptr;
}

/// Calls `visit` with the kind of `object` and the object as that kind; false when it is
/// no entity with geometry.
template <class Visit>
bool visitEntity(const PlDbObject* object, Visit visit) {
    if (auto* e = as<PlDbLine>(object)) return visit(Kind::Line, e);
    if (auto* e = as<PlDbArc>(object)) return visit(Kind::Arc, e);
    if (auto* e = as<PlDbCircle>(object)) return visit(Kind::Circle, e);
    if (auto* e = as<PlDbEllipse>(object)) return visit(Kind::Ellipse, e);
    if (auto* e = as<PlDbPolyline>(object)) return visit(Kind::Polyline, e);
    if (auto* e = as<PlDb3dPolyline>(object)) return visit(Kind::Polyline3d, e);
    if (auto* e = as<PlDbSpline>(object)) return visit(Kind::Spline, e);
    if (auto* e = as<PlDb2dPolyline>(object)) return visit(Kind::Polyline2d, e);
    if (auto* e = as<PlDbText>(object)) return visit(Kind::Text, e);
    if (auto* e = as<PlDbRegion>(object)) return visit(Kind::Region, e);
    return false;
}

}  // namespace

std::vector<EntityInfo> entitiesOf(PlDbDatabase* db) {
    std::vector<EntityInfo> entities;
    for (const PlDbObjectId& id : entityIds(db)) {
        PlDbObject* object = nullptr;
        if (pldbOpenPlDbObject(object, id, PlDb::kForNotify, true) != Plad::eOk) continue;
        EntityInfo info;
        info.handle = id.handle();
        info.erased = object->isErased();
        const auto read = [&info](Kind kind, const auto* e) {
            info.kind = kind;
            using T = std::remove_cv_t<std::remove_pointer_t<decltype(e)>>;
            if constexpr (std::is_same_v<T, PlDbLine>) {
                info.points = {e->startPoint(), e->endPoint()};
            } else if constexpr (std::is_same_v<T, PlDbArc> || std::is_same_v<T, PlDbCircle>) {
                info.center = e->center();
                info.radius = e->radius();
                if constexpr (std::is_same_v<T, PlDbArc>) {
                    info.startAngle = e->startAngle();
                    info.endAngle = e->endAngle();
                }
            } else if constexpr (std::is_same_v<T, PlDbEllipse>) {
                info.center = e->center();
                info.majorAxis = e->majorAxis();
                info.radiusRatio = e->radiusRatio();
            } else if constexpr (std::is_same_v<T, PlDbText>) {
                info.center = e->position();
                info.text = e->textString();
                info.height = e->height();
            } else if constexpr (std::is_same_v<T, PlDbRegion>) {
                info.points = e->boundary();
            } else {
                info.points = e->points();
            }
            return true;
        };
        if (visitEntity(object, read)) entities.push_back(std::move(info));
        object->close();
    }
    return entities;
}

Plad::ErrorStatus addEntity(PlDbDatabase* db, const EntityInfo& info, PlDbObjectId& id) {
    id = PlDbObjectId::kNull;
    PlDbEntity* entity = nullptr;
    Plad::ErrorStatus es = Plad::eOutOfMemory;
    const auto make = [&entity, &es](auto* made, auto set) {
        entity = made;
        if (made) es = set(*made);
    };
    switch (info.kind) {
        case Kind::Line:
            if (info.points.size() != 2) return Plad::eInvalidInput;
            make(new PlDbLine, [&](PlDbLine& e) { return e.set(info.points[0], info.points[1]); });
            break;
        case Kind::Arc:
            make(new PlDbArc, [&](PlDbArc& e) { return e.set(info.center, info.radius, info.startAngle, info.endAngle); });
            break;
        case Kind::Circle: make(new PlDbCircle, [&](PlDbCircle& e) { return e.set(info.center, info.radius); }); break;
        case Kind::Ellipse:
            make(new PlDbEllipse, [&](PlDbEllipse& e) { return e.set(info.center, info.majorAxis, info.radiusRatio); });
            break;
        case Kind::Polyline: make(new PlDbPolyline, [&](PlDbPolyline& e) { return e.setPoints(info.points); }); break;
        case Kind::Polyline3d: make(new PlDb3dPolyline, [&](PlDb3dPolyline& e) { return e.setPoints(info.points); }); break;
        case Kind::Spline: make(new PlDbSpline, [&](PlDbSpline& e) { return e.setPoints(info.points); }); break;
        case Kind::Polyline2d: make(new PlDb2dPolyline, [&](PlDb2dPolyline& e) { return e.setPoints(info.points); }); break;
        case Kind::Text:
            make(new PlDbText, [&](PlDbText& e) { return e.set(info.center, info.text.c_str(), info.height); });
            break;
        case Kind::Region: make(new PlDbRegion, [&](PlDbRegion& e) { return e.setBoundary(info.points); }); break;
    }
    if (es == Plad::eOk && info.handle != 0) es = giveNextHandle(db, info.handle);
    if (es != Plad::eOk) {
        delete entity;
        return es;
    }
    es = addEntity(db, entity, id);
    if (es != Plad::eOk && info.handle != 0) static_cast<void>(giveNextHandle(db, 0));
    return es;
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
