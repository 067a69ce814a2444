// The drawing's entities, views, named paths and motion paths as the dump records them.
#include "console/drawing_objects_dump.h"

#include "console/arguments.h"
#include "console/drawing_objects.h"
#include "drawing/entity_kind.h"
#include "drawing/utf8.h"

namespace plandor {

namespace {

std::string handleJson(std::uint64_t handle) { return toUtf8(handleText(handle)); }

Json optionalName(const std::optional<std::wstring>& name) { return name ? Json(toUtf8(*name)) : Json(nullptr); }

}  // namespace

DrawingObjects drawingObjectsOf(PlDbDatabase* db) {
    DrawingObjects objects;
    for (const PlDbObjectId& id : plsim::entityIds(db)) {
        PlDbObject* entity = nullptr;
        if (pldbOpenPlDbObject(entity, id, PlDb::kForNotify, true) != Plad::eOk) continue;
        const std::wstring kind = entityKind(entity);
        if (kind != L"light") objects.entities.push_back({id.handle(), kind, entity->isErased()});
        entity->close();
    }
    objects.views = plsim::viewsOf(db);
    objects.namedPaths = plsim::scene::namedPathsOf(db);
    objects.motionPaths = plsim::scene::motionPathsOf(db);
    return objects;
}

void addDrawingObjects(Json& dump, const DrawingObjects& objects) {
    Json& entities = dump["entities"] = Json::array();
    for (const DrawingObjects::Entity& e : objects.entities)
        entities.push_back({{"handle", handleJson(e.handle)}, {"kind", toUtf8(e.kind)}, {"erased", e.erased}});
    Json& views = dump["views"] = Json::array();
    for (const plsim::ViewInfo& v : objects.views)
        views.push_back({{"name", toUtf8(v.name)}, {"handle", handleJson(v.handle)}});
    Json& namedPaths = dump["namedPaths"] = Json::array();
    for (const plsim::scene::NamedPathInfo& p : objects.namedPaths)
        namedPaths.push_back({{"name", toUtf8(p.name)}, {"entity", handleJson(p.entity)}});
    Json& motionPaths = dump["motionPaths"] = Json::array();
    for (const plsim::scene::MotionPathInfo& m : objects.motionPaths)
        motionPaths.push_back({{"name", toUtf8(m.name)},
                               {"cameraPath", optionalName(m.cameraPath)},
                               {"targetPath", optionalName(m.targetPath)},
                               {"view", optionalName(m.view)}});
}

}  // namespace plandor
