// Reading and making the named paths and motion paths of a drawing for tests and the console.
#include "hostsim/sceneoe/path_driver.h"

#include <functional>

#include "host/pldbview.h"
#include "host/plmotionpath.h"

namespace plsim::scene {
namespace {

using DictionaryGetter = Plad::ErrorStatus (*)(PlDbDatabase*, PlDbDictionary*&, PlDb::OpenMode, bool);

/// Calls `visit` with each entry of a dictionary of `db` that is a T, open while it is called.
template <class T>
void forEachEntry(PlDbDatabase* db, DictionaryGetter getter, const std::function<void(const wchar_t*, const T&)>& visit) {
    PlDbDictionary* dictionary = nullptr;
    if (getter(db, dictionary, PlDb::kForRead, false) != Plad::eOk) return;
    PlDbDictionaryIterator* it = dictionary->newIterator();
    for (; !it->done(); it->next()) {
        T* entry = nullptr;
        if (pldbOpenObject(entry, it->objectId(), PlDb::kForNotify) != Plad::eOk) continue;
        visit(it->name(), *entry);
        entry->close();
    }
    delete it;
    dictionary->close();
}

/// The name of the named path `id`; none when it is null or no longer a named path.
std::optional<std::wstring> pathName(const PlDbDictionary* paths, PlDbObjectId id) {
    const wchar_t* name = paths && !id.isNull() ? paths->nameAt(id) : nullptr;
    return name ? std::optional<std::wstring>(name) : std::nullopt;
}

std::optional<std::wstring> viewName(PlDbObjectId id) {
    PlDbViewTableRecord* view = nullptr;
    if (pldbOpenObject(view, id, PlDb::kForNotify, true) != Plad::eOk) return std::nullopt;
    std::wstring name = view->name();
    view->close();
    return name;
}

/// Adds `entry`, which is in no database yet, under `name` in a dictionary of
/// `db`, made when missing; deletes it when it cannot be added.
Plad::ErrorStatus addEntry(PlDbDatabase* db, DictionaryGetter getter, const std::wstring& name, PlDbObject* entry,
                           PlDbObjectId& id) {
    id = PlDbObjectId::kNull;
    PlDbDictionary* dictionary = nullptr;
    Plad::ErrorStatus es = getter(db, dictionary, PlDb::kForWrite, true);
    if (es == Plad::eOk) {
        es = dictionary->setAt(name.c_str(), entry, id);
        dictionary->close();
    }
    if (es != Plad::eOk) {
        delete entry;
        return es;
    }
    return entry->close();
}

}  // namespace

std::vector<NamedPathInfo> namedPathsOf(PlDbDatabase* db) {
    std::vector<NamedPathInfo> paths;
    forEachEntry<PlDbCurvePath>(db, pldbGetNamedPathDictionary, [&](const wchar_t* name, const PlDbCurvePath& path) {
        paths.push_back({name, path.objectId().handle(), path.entityId().handle()});
    });
    return paths;
}

std::vector<MotionPathInfo> motionPathsOf(PlDbDatabase* db) {
    std::vector<MotionPathInfo> motions;
    PlDbDictionary* paths = nullptr;
    static_cast<void>(pldbGetNamedPathDictionary(db, paths, PlDb::kForRead, false));  // none: no names
    forEachEntry<PlDbMotionPath>(db, pldbGetMotionPathDictionary, [&](const wchar_t* name, const PlDbMotionPath& m) {
        motions.push_back({name, m.objectId().handle(), pathName(paths, m.cameraPath()), pathName(paths, m.targetPath()),
                           viewName(m.viewTableRecordId()), m.cameraPath().handle(), m.targetPath().handle(),
                           m.viewTableRecordId().handle()});
    });
    if (paths) paths->close();
    return motions;
}

PlDbObjectId namedPathNamed(PlDbDatabase* db, const std::wstring& name) {
    PlDbDictionary* paths = nullptr;
    PlDbObjectId id;
    if (pldbGetNamedPathDictionary(db, paths, PlDb::kForRead, false) != Plad::eOk) return id;
    static_cast<void>(paths->getAt(name.c_str(), id));  // id stays null when there is none
    paths->close();
    return id;
}

Plad::ErrorStatus addNamedPath(PlDbDatabase* db, const std::wstring& name, PlDbObjectId entity, PlDbObjectId& id) {
    id = PlDbObjectId::kNull;
    if (!db) return Plad::eNoDatabase;
    if (entity.database() != db) return Plad::eInvalidInput;
    auto* path = new PlDbCurvePath;
    if (!path) return Plad::eOutOfMemory;
    if (const Plad::ErrorStatus es = path->setGeometry(entity); es != Plad::eOk) {
        delete path;
        return es;
    }
    return addEntry(db, pldbGetNamedPathDictionary, name, path, id);
}

Plad::ErrorStatus addMotionPath(PlDbDatabase* db, const std::wstring& name, PlDbObjectId cameraPath,
                                PlDbObjectId targetPath, PlDbObjectId view, PlDbObjectId& id) {
    id = PlDbObjectId::kNull;
    if (!db) return Plad::eNoDatabase;
    auto* motion = new PlDbMotionPath;
    if (!motion) return Plad::eOutOfMemory;
    static_cast<void>(motion->setPaths(cameraPath, targetPath, view));  // outside a database it may change
    return addEntry(db, pldbGetMotionPathDictionary, name, motion, id);
}

}  // namespace plsim::scene
