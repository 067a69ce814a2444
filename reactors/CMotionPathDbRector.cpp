// CMotionPathDbRector: sweeping the drawing's named-path and motion-path dictionaries when
// curves and views are erased or modified, and the databases it watches.
#include "reactors/CMotionPathDbRector.h"

#include <algorithm>
#include <set>

#include "host/pldbents.h"
#include "host/pldbview.h"
#include "host/plmotionpath.h"

namespace {

using DictionaryGetter = Plad::ErrorStatus (*)(PlDbDatabase*, PlDbDictionary*&, PlDb::OpenMode, bool);

/// One of the curves a named path may run along: a line, arc, ellipse,
/// circle, polyline, 3D polyline, spline or 2D polyline.
bool isSupportedCurve(const PlDbObject* object) {
    const PlRxClass* const curves[] = {PlDbLine::desc(),     PlDbArc::desc(),      PlDbEllipse::desc(),
                                       PlDbCircle::desc(),   PlDbPolyline::desc(), PlDb3dPolyline::desc(),
                                       PlDbSpline::desc(),   PlDb2dPolyline::desc()};
    return std::any_of(std::begin(curves), std::end(curves), [object](const PlRxClass* c) { return object->isKindOf(c); });
}

PlDbDatabase* workingDatabase() { return pldbHostApplicationServices()->workingDatabase(); }

/// The dictionary of `db` opened for write, never made; null when there is none
/// (or no database).
PlDbDictionary* openDictionary(DictionaryGetter getter, PlDbDatabase* db) {
    PlDbDictionary* dictionary = nullptr;
    if (!db) return nullptr;
    if (getter(db, dictionary, PlDb::kForWrite, false) != Plad::eOk) return nullptr;
    return dictionary;
}

/// Removes the entries for which `doomed` holds, each open for read while it
/// is judged and closed before it is removed; answers the ids removed. An
/// entry that cannot be opened is kept.
template <class Doomed>
std::vector<PlDbObjectId> sweep(PlDbDictionary* dictionary, Doomed doomed) {
    std::vector<PlDbObjectId> removed;
    PlDbDictionaryIterator* it = dictionary->newIterator();
    for (; !it->done(); it->next()) {
        const PlDbObjectId id = it->objectId();
        PlDbObject* entry = nullptr;
        if (pldbOpenPlDbObject(entry, id, PlDb::kForRead) != Plad::eOk) continue;
        const bool remove = doomed(*entry);
        entry->close();
        if (remove && dictionary->remove(id) == Plad::eOk) removed.push_back(id);
    }
    delete it;
    return removed;
}

/// The named paths along the entity `entity`.
auto runningAlong(PlDbObjectId entity) {
    return [entity, curvePath = PlDbCurvePath::desc()](const PlDbObject& entry) {
        return entry.isKindOf(curvePath) && static_cast<const PlDbCurvePath&>(entry).entityId() == entity;
    };
}

/// The motion paths for which `doomed` holds.
template <class Doomed>
auto motionPaths(Doomed doomed) {
    return [doomed, motionPath = PlDbMotionPath::desc()](const PlDbObject& entry) {
        return entry.isKindOf(motionPath) && doomed(static_cast<const PlDbMotionPath&>(entry));
    };
}

}  // namespace

CMotionPathDbRector::CMotionPathDbRector() = default;

CMotionPathDbRector::~CMotionPathDbRector() { unwatchAll(); }

// Both handlers sweep the dictionaries of the host's working database, not
// those of the database that sent the notification.
void CMotionPathDbRector::objectModified(const PlDbDatabase* /*db*/, const PlDbObject* object) {
    if (!object || !object->isKindOf(PlDbEntity::desc())) return;
    // A curve stays a curve: its paths run on. (Nothing to sweep for it.)
    const PlDbObjectId id = object->objectId();
    if (id.isNull() || isSupportedCurve(object)) return;
    PlDbDictionary* paths = openDictionary(pldbGetNamedPathDictionary, workingDatabase());
    if (!paths) return;
    static_cast<void>(sweep(paths, runningAlong(id)));
    paths->close();
}

void CMotionPathDbRector::objectErased(const PlDbDatabase* /*db*/, const PlDbObject* object, bool erased) {
    if (!object || !erased) return;
    PlDbDatabase* drawing = workingDatabase();
    const PlDbObjectId id = object->objectId();
    if (object->isKindOf(PlDbViewTableRecord::desc())) {
        PlDbDictionary* motions = openDictionary(pldbGetMotionPathDictionary, drawing);
        if (!motions) return;
        static_cast<void>(
            sweep(motions, motionPaths([id](const PlDbMotionPath& motion) { return motion.viewTableRecordId() == id; })));
        motions->close();
    }
    if (!isSupportedCurve(object)) return;

    PlDbDictionary* paths = openDictionary(pldbGetNamedPathDictionary, drawing);
    if (!paths) return;
    const std::vector<PlDbObjectId> removed = sweep(paths, runningAlong(id));
    paths->close();
    if (removed.empty()) return;

    PlDbDictionary* motions = openDictionary(pldbGetMotionPathDictionary, drawing);
    if (!motions) return;
    const std::set<PlDbObjectId> gone(removed.begin(), removed.end());
    const auto wasRemoved = [&gone](PlDbObjectId path) { return gone.count(path) > 0; };
    static_cast<void>(sweep(motions, motionPaths([&](const PlDbMotionPath& motion) {
        return wasRemoved(motion.cameraPath()) || wasRemoved(motion.targetPath());
    })));
    motions->close();
}

void CMotionPathDbRector::goodbye(const PlDbDatabase* db) { forget(db); }

void CMotionPathDbRector::forget(const PlDbDatabase* db) {
    m_databases.erase(std::remove(m_databases.begin(), m_databases.end(), db), m_databases.end());
}

void CMotionPathDbRector::watch(PlDbDatabase* db) {
    db->addReactor(this);
    if (std::find(m_databases.begin(), m_databases.end(), db) == m_databases.end()) m_databases.push_back(db);
}

void CMotionPathDbRector::unwatch(PlDbDatabase* db) {
    db->removeReactor(this);
    forget(db);
}

void CMotionPathDbRector::unwatchAll() {
    for (PlDbDatabase* db : m_databases) db->removeReactor(this);
    m_databases.clear();
}
