// The drawing database: object ids, objects, open and close, databases, reactors.
#pragma once

#include <cstddef>
#include <cstdint>
#include <new>

#include "host/plexport.h"
#include "host/plge.h"
#include "host/plrx.h"
#include "host/plstatus.h"

class PlDbDatabase;
class PlDbObject;
class PlDbEntity;
class PlDbDatabaseReactor;
struct PlDbStub;

/// Identifies an object of a database. Null until the object is in one.
class PLHOST_API PlDbObjectId {
public:
    PlDbObjectId() = default;
    explicit PlDbObjectId(PlDbStub* stub) : m_stub(stub) {}

    bool isNull() const { return m_stub == nullptr; }
    /// True when the id names an object of a database that is still open.
    bool isValid() const;
    bool isErased() const;
    /// The database of the object; null for a null id.
    PlDbDatabase* database() const;
    std::uint64_t handle() const;
    PlDbStub* stub() const { return m_stub; }

    bool operator==(const PlDbObjectId& o) const { return m_stub == o.m_stub; }
    bool operator!=(const PlDbObjectId& o) const { return m_stub != o.m_stub; }
    bool operator<(const PlDbObjectId& o) const { return m_stub < o.m_stub; }

    static const PlDbObjectId kNull;  ///< defined by the host library (data of an imported class)

private:
    PlDbStub* m_stub = nullptr;
};

namespace PlDb {
enum OpenMode : int { kForRead = 0, kForWrite = 1, kForNotify = 2 };
}

/// Opens the object `id` as `object`. Answers 0, or: 16 a null id, 600 an id
/// that is not valid, 76 an erased object (unless openErased), 84 an object
/// open for write that is asked for again, 85 reading an object open for write,
/// 83 writing an object open for read. Reads may be many at once; a notify
/// open is allowed alongside any other. Every open is ended by one close.
PLHOST_API Plad::ErrorStatus pldbOpenPlDbObject(PlDbObject*& object, PlDbObjectId id, PlDb::OpenMode mode,
                                                bool openErased = false);

/// Opens `id` as T; answers 0 only when the object is a T (else it is closed
/// again and the answer is 3).
template <class T>
Plad::ErrorStatus pldbOpenObject(T*& object, PlDbObjectId id, PlDb::OpenMode mode, bool openErased = false);

/// The host's allocator of database objects: null when the memory cannot be
/// had. Every database object is allocated and freed through these two, so a
/// database can delete what a module allocated.
PLHOST_API void* pldbAllocObject(std::size_t size);
PLHOST_API void pldbFreeObject(void* memory);

/// Base of everything a drawing database holds.
class PLHOST_API PlDbObject : public PlRxObject {
public:
    /// Through pldbAllocObject: a new-expression yields null when it fails.
    static void* operator new(std::size_t size) noexcept;
    static void* operator new(std::size_t size, const std::nothrow_t&) noexcept;
    static void operator delete(void* memory) noexcept;
    static void operator delete(void* memory, const std::nothrow_t&) noexcept;

    /// An object never added to a database is deleted by its owner; one in a
    /// database belongs to it and is deleted with it.
    ~PlDbObject() override;
    PlDbObjectId objectId() const;
    PlDbDatabase* database() const;
    bool isErased() const;
    bool isWriteEnabled() const;
    bool isReadEnabled() const;
    /// Erases (true) or un-erases (false) the object; it must be open for write.
    Plad::ErrorStatus erase(bool erasing = true);
    /// Ends this open. An object never added to a database cannot be closed:
    /// delete it instead.
    Plad::ErrorStatus close();
    Plad::ErrorStatus upgradeOpen();
    PlRxClass* isA() const override;
    static PlRxClass* desc();

protected:
    PlDbObject();
    /// Called before a change; answers 85 when the object is not open for write.
    Plad::ErrorStatus assertWriteEnabled() const;
    /// Told when the object has joined a database (it is open for write),
    /// before the database's reactors hear of it.
    virtual void onAppended();
    /// Told when the object was erased (true) or un-erased (false), before the
    /// database's reactors hear of it.
    virtual void onErased(bool erased);

private:
    friend struct PlDbObjectAccess;
    struct Impl;
    Impl* m_impl;
};

/// An object with graphics that lives in a block table record.
class PLHOST_API PlDbEntity : public PlDbObject {
public:
    ~PlDbEntity() override;
    PlDbObjectId layerId() const;
    /// Puts the entity on a layer. 16 for a null id.
    Plad::ErrorStatus setLayer(PlDbObjectId layer, bool doSubents = true, bool allowHiddenLayer = false);
    PlDbObjectId blockId() const;
    /// Moves the entity by `offset`; it must be open for write (85). Closing it
    /// then tells the database's reactors it was modified.
    virtual Plad::ErrorStatus moveBy(const PlGeVector3d& offset);
    PlRxClass* isA() const override;
    static PlRxClass* desc();

protected:
    PlDbEntity();

private:
    PlDbObjectId m_layer;
};

/// A named container of entities: model space, paper space, blocks.
class PLHOST_API PlDbBlockTableRecord : public PlDbObject {
public:
    ~PlDbBlockTableRecord() override;
    const wchar_t* name() const;
    /// Adds a new entity and hands back its id. The record must be open for
    /// write; the entity must not be in a database yet. It stays open for write.
    Plad::ErrorStatus appendPlDbEntity(PlDbObjectId& id, PlDbEntity* entity);
    Plad::ErrorStatus appendPlDbEntity(PlDbEntity* entity);
    unsigned entityCount() const;
    PlDbObjectId entityAt(unsigned index) const;
    PlRxClass* isA() const override;
    static PlRxClass* desc();

private:
    friend class PlDbDatabase;
    PlDbBlockTableRecord();
    struct Impl;
    Impl* m_impl;
};

/// A layer of the drawing.
class PLHOST_API PlDbLayerTableRecord : public PlDbObject {
public:
    ~PlDbLayerTableRecord() override;
    const wchar_t* name() const;
    PlRxClass* isA() const override;
    static PlRxClass* desc();

private:
    friend class PlDbDatabase;
    PlDbLayerTableRecord();
    struct Impl;
    Impl* m_impl;
};

/// A drawing database.
class PLHOST_API PlDbDatabase : public PlRxObject {
public:
    /// buildDefaultDrawing: with model space, paper space and layer "0";
    /// noDocument: the database belongs to no document.
    explicit PlDbDatabase(bool buildDefaultDrawing = true, bool noDocument = false);
    ~PlDbDatabase() override;
    PlDbDatabase(const PlDbDatabase&) = delete;
    PlDbDatabase& operator=(const PlDbDatabase&) = delete;

    PlDbObjectId modelSpaceId() const;
    PlDbObjectId paperSpaceId() const;
    /// The space new entities go to: model space unless paper space was made current.
    PlDbObjectId currentSpaceId() const;
    Plad::ErrorStatus setCurrentSpace(PlDbObjectId blockId);

    /// The layer named `name` (case-insensitive), null when none.
    PlDbObjectId layerId(const wchar_t* name) const;
    /// Adds a layer; 23 when the name is taken, 3 for an empty name.
    Plad::ErrorStatus addLayer(const wchar_t* name, PlDbObjectId& id);

    /// The dictionary of named objects (a PlDbDictionary) and the table of
    /// named views (a PlDbViewTable); null in a database built empty.
    PlDbObjectId namedObjectsDictionaryId() const;
    PlDbObjectId viewTableId() const;

    /// Adds an object that belongs to no block (dictionaries, named objects).
    Plad::ErrorStatus addPlDbObject(PlDbObjectId& id, PlDbObject* object);

    void addReactor(PlDbDatabaseReactor* reactor) const;
    void removeReactor(PlDbDatabaseReactor* reactor) const;
    bool hasReactor(const PlDbDatabaseReactor* reactor) const;

    PlRxClass* isA() const override;
    static PlRxClass* desc();

    struct Impl;
    Impl* impl() const { return m_impl; }

private:
    Impl* m_impl;
};

/// Told of changes to the objects of a database it was added to.
class PLHOST_API PlDbDatabaseReactor : public PlRxObject {
public:
    ~PlDbDatabaseReactor() override;
    virtual void objectAppended(const PlDbDatabase* db, const PlDbObject* object);
    virtual void objectUnAppended(const PlDbDatabase* db, const PlDbObject* object);
    virtual void objectReAppended(const PlDbDatabase* db, const PlDbObject* object);
    virtual void objectOpenedForModify(const PlDbDatabase* db, const PlDbObject* object);
    virtual void objectModified(const PlDbDatabase* db, const PlDbObject* object);
    virtual void objectErased(const PlDbDatabase* db, const PlDbObject* object, bool erased);
    virtual void headerSysVarWillChange(const PlDbDatabase* db, const wchar_t* name);
    virtual void headerSysVarChanged(const PlDbDatabase* db, const wchar_t* name, bool success);
    virtual void proxyResurrectionCompleted(const PlDbDatabase* db, const wchar_t* appName);
    virtual void goodbye(const PlDbDatabase* db);
    PlRxClass* isA() const override;
    static PlRxClass* desc();

protected:
    PlDbDatabaseReactor();
};

template <class T>
Plad::ErrorStatus pldbOpenObject(T*& object, PlDbObjectId id, PlDb::OpenMode mode, bool openErased) {
    object = nullptr;
    PlDbObject* raw = nullptr;
    Plad::ErrorStatus es = pldbOpenPlDbObject(raw, id, mode, openErased);
    if (es != Plad::eOk) return es;
    if (!raw->isKindOf(T::desc())) {
        raw->close();
        return Plad::eInvalidInput;
    }
    object = static_cast<T*>(raw);
    return Plad::eOk;
}

/// Services the host application offers to databases and modules.
class PLHOST_API PlDbHostApplicationServices {
public:
    /// The database commands work on; null when no drawing is open.
    PlDbDatabase* workingDatabase() const;
    void setWorkingDatabase(PlDbDatabase* db);
    /// Fills `folder` with the per-user roamable root folder (owned by the
    /// host); answers 0.
    Plad::ErrorStatus getRoamableRootFolder(const wchar_t*& folder);
    /// The folder of the colour books (owned by the host); null when the host has none.
    const wchar_t* colorBookLocation() const;
};
PLHOST_API PlDbHostApplicationServices* pldbHostApplicationServices();

namespace PlDb {
/// The host's own reserved names: the names of standard drawing properties and
/// objects that no user object may take. Modules number their own from 10025 on.
enum reservedStringEnumType : int {
    kByLayer = 0,     ///< a property taken from the object's layer
    kByBlock = 1,     ///< a property taken from the block the object is in
    kContinuous = 2,  ///< the solid line type
    kStandard = 3,    ///< the default text and dimension style
    kModel = 4,       ///< the model space layout
    kNone = 5,        ///< no value (plot style, material)
};
}  // namespace PlDb

/// The global (false) or local form of a host reserved name, in the host's
/// language; null for a type the host does not have. The text lives as long
/// as the host.
PLHOST_API const wchar_t* pldbGetReservedString(PlDb::reservedStringEnumType type, bool localized);
/// True when `text` is the host reserved name `type` in any language the host
/// knows, ignoring letter case; false for a null text or an unknown type.
PLHOST_API bool pldbIsReservedString(const wchar_t* text, PlDb::reservedStringEnumType type);
