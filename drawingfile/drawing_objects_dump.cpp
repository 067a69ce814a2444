// The drawing's layers, entities, views, named paths and motion paths as its file records them.
#include "drawingfile/drawing_objects_dump.h"

#include <algorithm>
#include <charconv>
#include <unordered_set>

#include "drawing/entity_kind.h"
#include "host/pldbdict.h"
#include "host/plmotionpath.h"
#include "hostsim/driver.h"
#include "hostsim/sceneoe/scene_driver.h"

namespace plandor {

namespace {

using Kind = plsim::EntityInfo::Kind;

/// The handle of the dictionary `get` opens; 0 when the drawing has none.
std::uint64_t dictionaryHandle(PlDbDatabase* db,
                               Plad::ErrorStatus (*get)(PlDbDatabase*, PlDbDictionary*&, PlDb::OpenMode, bool)) {
    PlDbDictionary* dictionary = nullptr;
    if (get(db, dictionary, PlDb::kForRead, false) != Plad::eOk || !dictionary) return 0;
    const std::uint64_t handle = dictionary->objectId().handle();
    dictionary->close();
    return handle;
}

void writeHandle(JsonWriter& out, const char* key, std::uint64_t handle) { out.member(key, handleHex(handle)); }

void writeOptionalName(JsonWriter& out, const char* key, const std::optional<std::wstring>& name) {
    out.key(key);
    if (name) {
        out.text(*name);
    } else {
        out.null();
    }
}

void writePoints(JsonWriter& out, const char* key, const std::vector<PlGePoint3d>& points) {
    out.key(key);
    out.beginArray();
    for (const PlGePoint3d& p : points) out.point(p);
    out.endArray();
}

/// The members of an entity's geometry, by its kind.
void writeGeometry(JsonWriter& out, const plsim::EntityInfo& e) {
    switch (e.kind) {
        case Kind::Line:
            out.member("start", e.points.at(0));
            out.member("end", e.points.at(1));
            return;
        case Kind::Arc:
        case Kind::Circle:
            out.member("center", e.center);
            out.member("radius", e.radius);
            if (e.kind == Kind::Arc) {
                out.member("startAngleRad", e.startAngle);
                out.member("endAngleRad", e.endAngle);
            }
            return;
        case Kind::Ellipse:
            out.member("center", e.center);
            out.member("majorAxis", e.majorAxis);
            out.member("radiusRatio", e.radiusRatio);
            return;
        case Kind::Polyline:
        case Kind::Polyline3d:
        case Kind::Spline:
        case Kind::Polyline2d: writePoints(out, "points", e.points); return;
        case Kind::Text:
            out.member("position", e.center);
            out.member("text", e.text);
            out.member("height", e.height);
            return;
        case Kind::Region: writePoints(out, "boundary", e.points); return;
    }
}

}  // namespace

std::string handleHex(std::uint64_t handle) {
    char digits[20];
    char* end = std::to_chars(digits, digits + sizeof digits, handle, 16).ptr;
    std::transform(digits, end, digits, [](char c) { return c >= 'a' && c <= 'f' ? static_cast<char>(c - 'a' + 'A') : c; });
    return std::string(digits, end);
}

DrawingObjects drawingObjectsOf(PlDbDatabase* db) {
    DrawingObjects objects;
    for (const std::wstring& name : plsim::layerNames(db)) {
        objects.layers.push_back({name, db->layerId(name.c_str()).handle()});
    }
    // What the file holds, by handle: what it leaves out cannot be referred to.
    std::unordered_set<std::uint64_t> kept;
    for (plsim::EntityInfo& entity : plsim::entitiesOf(db)) {
        if (entity.erased) continue;
        kept.insert(entity.handle);
        objects.entities.push_back(std::move(entity));
    }
    for (const PlDbObjectId& id : plsim::entityIds(db)) {
        if (!id.isErased()) kept.insert(id.handle());  // the lights among them
    }
    objects.views = plsim::viewsOf(db);
    for (const plsim::ViewInfo& view : objects.views) kept.insert(view.handle);
    for (plsim::scene::NamedPathInfo& path : plsim::scene::namedPathsOf(db)) {
        if (!kept.count(path.entity)) continue;
        kept.insert(path.handle);
        objects.namedPaths.push_back(std::move(path));
    }
    for (plsim::scene::MotionPathInfo& motion : plsim::scene::motionPathsOf(db)) {
        if (!kept.count(motion.cameraHandle)) motion.cameraPath.reset();
        if (!kept.count(motion.targetHandle)) motion.targetPath.reset();
        if (!kept.count(motion.viewHandle)) motion.view.reset();
        objects.motionPaths.push_back(std::move(motion));
    }
    objects.namedPathDictionary = dictionaryHandle(db, pldbGetNamedPathDictionary);
    objects.motionPathDictionary = dictionaryHandle(db, pldbGetMotionPathDictionary);
    return objects;
}

void writeLayers(JsonWriter& out, const DrawingObjects& objects) {
    out.key("layers");
    out.beginArray();
    for (const DrawingObjects::Layer& layer : objects.layers) {
        out.beginObject();
        out.member("name", layer.name);
        writeHandle(out, "handle", layer.handle);
        out.endObject();
    }
    out.endArray();
}

void writeDrawingObjects(JsonWriter& out, const DrawingObjects& objects) {
    out.key("entities");
    out.beginArray();
    for (const plsim::EntityInfo& e : objects.entities) {
        out.beginObject();
        writeHandle(out, "handle", e.handle);
        out.member("kind", entityKindName(e.kind));
        out.member("erased", e.erased);
        writeGeometry(out, e);
        out.endObject();
    }
    out.endArray();
    out.key("views");
    out.beginArray();
    for (const plsim::ViewInfo& v : objects.views) {
        out.beginObject();
        out.member("name", v.name);
        writeHandle(out, "handle", v.handle);
        out.endObject();
    }
    out.endArray();
    out.key("namedPaths");
    out.beginArray();
    for (const plsim::scene::NamedPathInfo& p : objects.namedPaths) {
        out.beginObject();
        out.member("name", p.name);
        writeHandle(out, "entity", p.entity);
        writeHandle(out, "handle", p.handle);
        out.endObject();
    }
    out.endArray();
    out.key("motionPaths");
    out.beginArray();
    for (const plsim::scene::MotionPathInfo& m : objects.motionPaths) {
        out.beginObject();
        out.member("name", m.name);
        writeOptionalName(out, "cameraPath", m.cameraPath);
        writeOptionalName(out, "targetPath", m.targetPath);
        writeOptionalName(out, "view", m.view);
        writeHandle(out, "handle", m.handle);
        out.endObject();
    }
    out.endArray();
}

}  // namespace plandor
