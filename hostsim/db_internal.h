// What the database's files share: object stubs, the inner state of objects and databases,
// open tracking, reactor notification and the record of programming errors.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "host/pldb.h"
#include "hostsim/handle_slots.h"

struct PlDbObject::Impl {
    PlDbStub* stub = nullptr;  ///< null until the object is in a database
    PlDbObjectId owner;        ///< the block table record of an entity, the dictionary or table of an entry
    std::size_t slot = 0;      ///< its place in the database's object list
    int readers = 0;
    int notifiers = 0;
    bool writer = false;
    bool erased = false;
    bool deletedByDatabase = false;
};

struct PlDbDatabase::Impl {
    PlDbDatabase* self = nullptr;
    /// Every object, in the order it joined; a slot is emptied when an object
    /// is wrongly deleted by someone else.
    std::vector<PlDbObject*> objects;
    /// The slot of every handle given out, also of objects gone since: a
    /// handle is given out once in a drawing.
    HandleSlots slotOfHandle;
    /// Above every handle given out.
    std::uint64_t nextHandle = 1;
    /// The handle the next object to join takes instead (0: none), as when a
    /// drawing is read from its file.
    std::uint64_t grantedHandle = 0;
    /// Counts the changes made to the drawing: objects added, changed or erased.
    std::uint64_t changes = 0;
    PlDbObjectId modelSpace, paperSpace, currentSpace;
    PlDbObjectId namedObjects, viewTable;
    std::vector<PlDbObjectId> layers;
    std::vector<PlDbDatabaseReactor*> reactors;
    bool noDocument = false;
    bool ending = false;  ///< its destructor is running

    /// Makes `object` one of this database's objects and answers its id.
    PlDbObjectId adopt(PlDbObject* object);
    /// adopt, for an object that joins owned by `owner` and stays open for
    /// write, as an appended entity does.
    PlDbObjectId adoptOpen(PlDbObject* object, PlDbObjectId owner);
    /// Hands `object`, just added, to its onAppended and then to the reactors.
    void announceAppended(PlDbObject* object);

    /// Calls `notice` on every reactor, each only while it is still attached
    /// (a reactor may remove itself, or others, while it is told).
    template <class Notice>
    void notify(Notice notice) {
        const std::vector<PlDbDatabaseReactor*> current = reactors;
        for (PlDbDatabaseReactor* reactor : current) {
            if (self->hasReactor(reactor)) notice(reactor);
        }
    }
};

struct PlDbBlockTableRecord::Impl {
    std::wstring name;
    std::vector<PlDbObjectId> entities;  ///< in the order appended, erased ones included
};

struct PlDbLayerTableRecord::Impl {
    std::wstring name;
};

/// Reaches the inner state of objects (the friend named in pldb.h).
struct PlDbObjectAccess {
    using State = PlDbObject::Impl;
    static PlDbObject::Impl& impl(const PlDbObject* object) { return *object->m_impl; }
    static void appended(PlDbObject* object) { object->onAppended(); }
    static void erasedChanged(PlDbObject* object, bool erased) { object->onErased(erased); }
};

/// What an object id points at. Stubs are never freed: an id stays safe to ask
/// after its object and its database are gone (it is then no longer valid).
/// The stubs of a database lie side by side in the order made; with the inner
/// state of the object at hand, an open reaches object and state at once.
struct PlDbStub {
    PlDbObject* object = nullptr;      ///< null once the object is gone
    PlDbDatabase* database = nullptr;  ///< null once the database is gone
    PlDbObjectAccess::State* state = nullptr;  ///< the object's, while it lives
    std::uint64_t handle = 0;
};

namespace plsim::detail {

/// A new stub for an object joining `db`.
PlDbStub* newStub(PlDbObject* object, PlDbDatabase* db, std::uint64_t handle);

/// The object an id names while its database lives, else null.
PlDbObject* objectOf(PlDbObjectId id);

/// Open tracking: an object enters the list with its first open and leaves it
/// with its last close.
void trackOpen(PlDbObject* object);
void untrackOpen(PlDbObject* object);
bool isOpen(const PlDbObject* object);
/// The handle in hexadecimal, as messages show it.
std::wstring hexHandle(PlDbObjectId id);
/// "PlDbLight 1F" for messages and listings.
std::wstring describeObject(const PlDbObject* object);

/// Records a programming error the database caught (and prints it to stderr).
void reportDrawingError(const std::wstring& text);

/// Every database alive, for a reactor that is deleted while still attached.
std::vector<PlDbDatabase*> liveDatabases();

}  // namespace plsim::detail
