// The drawing's entities, views, named paths and motion paths as the dump records them.
#include "console/drawing_objects_dump.h"

#include "console/arguments.h"
#include "console/drawing_dump.h"
#include "console/drawing_objects.h"

namespace plandor {

namespace {

std::string handleJson(std::uint64_t handle) { return jsonString(handleText(handle)); }

std::string optionalName(const std::optional<std::wstring>& name) { return name ? jsonString(*name) : "null"; }

/// `"name": [` the items one to a line `],`.
template <class Item, class Write>
std::string array(const char* name, const std::vector<Item>& items, Write write) {
    std::string text = std::string("  \"") + name + "\": [";
    for (std::size_t i = 0; i < items.size(); ++i) text += (i == 0 ? "\n    {" : ",\n    {") + write(items[i]) + "}";
    return text + (items.empty() ? "],\n" : "\n  ],\n");
}

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

std::string drawingObjectsJson(const DrawingObjects& objects) {
    return array("entities", objects.entities,
                 [](const DrawingObjects::Entity& e) {
                     return "\"handle\": " + handleJson(e.handle) + ", \"kind\": " + jsonString(e.kind) +
                            ", \"erased\": " + (e.erased ? "true" : "false");
                 }) +
           array("views", objects.views,
                 [](const plsim::ViewInfo& v) {
                     return "\"name\": " + jsonString(v.name) + ", \"handle\": " + handleJson(v.handle);
                 }) +
           array("namedPaths", objects.namedPaths,
                 [](const plsim::scene::NamedPathInfo& p) {
                     return "\"name\": " + jsonString(p.name) + ", \"entity\": " + handleJson(p.entity);
                 }) +
           array("motionPaths", objects.motionPaths, [](const plsim::scene::MotionPathInfo& m) {
               return "\"name\": " + jsonString(m.name) + ", \"cameraPath\": " + optionalName(m.cameraPath) +
                      ", \"targetPath\": " + optionalName(m.targetPath) + ", \"view\": " + optionalName(m.view);
           });
}

}  // namespace plandor
