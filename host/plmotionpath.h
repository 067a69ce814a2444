// Named paths and motion paths of the light-entity module "PlSceneOE.dbx", and the two
// dictionaries of a drawing that hold them.
#pragma once

#include "host/pldb.h"
#include "host/pldbdict.h"
#include "host/plexport.h"

/// A named path that runs along an entity of the drawing.
class PLSCENEOE_API PlDbCurvePath : public PlDbObject {
public:
    PlDbCurvePath();
    ~PlDbCurvePath() override;
    PlDbObjectId entityId() const { return m_entity; }
    /// 16 for a null id, 3 for an id that names no entity, 85 when a path of a
    /// database is not open for write.
    Plad::ErrorStatus setGeometry(PlDbObjectId entity);
    PlRxClass* isA() const override;
    static PlRxClass* desc();

private:
    PlDbObjectId m_entity;
};

/// A camera animation: the named path the camera runs along, the one it looks
/// at, and the named view it belongs to. Each may be null.
class PLSCENEOE_API PlDbMotionPath : public PlDbObject {
public:
    PlDbMotionPath();
    ~PlDbMotionPath() override;
    PlDbObjectId cameraPath() const { return m_camera; }
    PlDbObjectId targetPath() const { return m_target; }
    PlDbObjectId viewTableRecordId() const { return m_view; }
    /// Answers 85 when a path of a database is not open for write.
    Plad::ErrorStatus setPaths(PlDbObjectId cameraPath, PlDbObjectId targetPath, PlDbObjectId view);
    PlRxClass* isA() const override;
    static PlRxClass* desc();

private:
    PlDbObjectId m_camera, m_target, m_view;
};

/// Opens the dictionary of named paths (of motion paths) of `db`. 0; 22 when
/// the drawing has none and `create` is false; 124 for a null database; or
/// the status of the open.
PLSCENEOE_API Plad::ErrorStatus pldbGetNamedPathDictionary(PlDbDatabase* db, PlDbDictionary*& dictionary,
                                                           PlDb::OpenMode mode, bool create);
PLSCENEOE_API Plad::ErrorStatus pldbGetMotionPathDictionary(PlDbDatabase* db, PlDbDictionary*& dictionary,
                                                            PlDb::OpenMode mode, bool create);
