// Curve paths and motion paths, and the drawing's dictionaries of named paths and of motion
// paths, kept in its dictionary of named objects.
#include "host/plmotionpath.h"

#include "hostsim/sceneoe/module_pin.h"
#include "hostsim/sceneoe/scene_classes.h"

namespace {

const wchar_t kNamedPathKey[] = L"PLAD_NAMEDPATH";
const wchar_t kMotionPathKey[] = L"PLAD_MOTIONPATH";

/// Opens the dictionary `key` of the named objects of `db`, made when `create` is true.
Plad::ErrorStatus pathDictionary(PlDbDatabase* db, const wchar_t* key, PlDbDictionary*& dictionary,
                                 PlDb::OpenMode mode, bool create) {
    dictionary = nullptr;
    if (!db) return Plad::eNoDatabase;
    PlDbDictionary* named = nullptr;
    Plad::ErrorStatus es =
        pldbOpenObject(named, db->namedObjectsDictionaryId(), create ? PlDb::kForWrite : PlDb::kForRead);
    if (es != Plad::eOk) return es;
    PlDbObjectId id;
    if (named->getAt(key, id) != Plad::eOk) {
        auto* made = create ? new PlDbDictionary : nullptr;
        es = !create ? Plad::eKeyNotFound : !made ? Plad::eOutOfMemory : named->setAt(key, made, id);
        if (es != Plad::eOk) {
            delete made;
            named->close();
            return es;
        }
        made->close();
    }
    named->close();
    return pldbOpenObject(dictionary, id, mode);
}

}  // namespace

PlDbCurvePath::PlDbCurvePath() { plsim::scene::keepModuleLoaded(); }
PlDbCurvePath::~PlDbCurvePath() = default;

Plad::ErrorStatus PlDbCurvePath::setGeometry(PlDbObjectId entity) {
    if (const Plad::ErrorStatus es = assertWriteEnabled(); es != Plad::eOk) return es;
    if (entity.isNull()) return Plad::eNullObjectId;
    PlDbObject* object = nullptr;
    // What it names matters, not whether someone has it open: a notify open always succeeds.
    if (pldbOpenPlDbObject(object, entity, PlDb::kForNotify) != Plad::eOk) return Plad::eInvalidInput;
    const bool isEntity = object->isKindOf(PlDbEntity::desc());
    object->close();
    if (!isEntity || (database() && entity.database() != database())) return Plad::eInvalidInput;
    m_entity = entity;
    return Plad::eOk;
}

PlRxClass* PlDbCurvePath::isA() const { return desc(); }
PlRxClass* PlDbCurvePath::desc() { return plsim::scene::sceneClass(plsim::scene::SceneClass::CurvePath); }

PlDbMotionPath::PlDbMotionPath() { plsim::scene::keepModuleLoaded(); }
PlDbMotionPath::~PlDbMotionPath() = default;

Plad::ErrorStatus PlDbMotionPath::setPaths(PlDbObjectId cameraPath, PlDbObjectId targetPath, PlDbObjectId view) {
    if (const Plad::ErrorStatus es = assertWriteEnabled(); es != Plad::eOk) return es;
    m_camera = cameraPath;
    m_target = targetPath;
    m_view = view;
    return Plad::eOk;
}

PlRxClass* PlDbMotionPath::isA() const { return desc(); }
PlRxClass* PlDbMotionPath::desc() { return plsim::scene::sceneClass(plsim::scene::SceneClass::MotionPath); }

Plad::ErrorStatus pldbGetNamedPathDictionary(PlDbDatabase* db, PlDbDictionary*& dictionary, PlDb::OpenMode mode,
                                             bool create) {
    return pathDictionary(db, kNamedPathKey, dictionary, mode, create);
}

Plad::ErrorStatus pldbGetMotionPathDictionary(PlDbDatabase* db, PlDbDictionary*& dictionary, PlDb::OpenMode mode,
                                              bool create) {
    return pathDictionary(db, kMotionPathKey, dictionary, mode, create);
}
