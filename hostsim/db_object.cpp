// Database objects and entities: allocation, opening and closing with every open tracked,
// erasing, and the checks that catch an object deleted while its database owns it.
#include "host/pldb.h"

#include <algorithm>
#include <cstdio>

#include "hostsim/db_internal.h"
#include "hostsim/internal.h"

namespace plsim::detail {
namespace {

/// Objects with at least one open, in the order they were first opened.
/// Never destroyed: objects may be closed while the process ends.
std::vector<PlDbObject*>& openList() {
    static auto* list = new std::vector<PlDbObject*>;
    return *list;
}

std::vector<std::wstring>& errorList() {
    static auto* list = new std::vector<std::wstring>;
    return *list;
}

}  // namespace

void trackOpen(PlDbObject* object) {
    auto& list = openList();
    if (std::find(list.begin(), list.end(), object) == list.end()) list.push_back(object);
}

void untrackOpen(PlDbObject* object) {
    auto& list = openList();
    list.erase(std::remove(list.begin(), list.end(), object), list.end());
}

bool isOpen(const PlDbObject* object) {
    const auto& state = PlDbObjectAccess::impl(object);
    return state.writer || state.readers > 0 || state.notifiers > 0;
}

std::wstring hexHandle(PlDbObjectId id) {
    std::uint64_t value = id.handle();
    std::wstring text;
    do {
        text.insert(text.begin(), L"0123456789ABCDEF"[value % 16]);
        value /= 16;
    } while (value != 0);
    return text;
}

std::wstring describeObject(const PlDbObject* object) {
    const PlRxClass* cls = object->isA();
    return std::wstring(cls ? cls->name() : L"(unregistered class)") + L" " + hexHandle(object->objectId());
}

void reportDrawingError(const std::wstring& text) {
    errorList().push_back(text);
    std::fprintf(stderr, "plhost: %s\n", toUtf8(text).c_str());
}

}  // namespace plsim::detail

namespace plsim {

std::vector<std::wstring> openObjects() {
    std::vector<std::wstring> lines;
    for (const PlDbObject* object : detail::openList()) {
        const auto& state = PlDbObjectAccess::impl(object);
        std::wstring modes;
        auto add = [&modes](const std::wstring& mode) { modes += (modes.empty() ? L"" : L", ") + mode; };
        if (state.writer) add(L"write");
        if (state.readers == 1) add(L"read");
        if (state.readers > 1) add(L"read x" + std::to_wstring(state.readers));
        if (state.notifiers == 1) add(L"notify");
        if (state.notifiers > 1) add(L"notify x" + std::to_wstring(state.notifiers));
        lines.push_back(detail::describeObject(object) + L" open for " + modes);
    }
    return lines;
}

int openObjectCount() { return static_cast<int>(detail::openList().size()); }

std::vector<std::wstring> drawingErrors() { return detail::errorList(); }

void clearDrawingErrors() { detail::errorList().clear(); }

}  // namespace plsim

// ---- Allocation --------------------------------------------------------------

void* pldbAllocObject(std::size_t size) {
    if (plsim::detail::takeFault(plsim::Fault::Allocation)) return nullptr;
    return ::operator new(size, std::nothrow);
}

void pldbFreeObject(void* memory) { ::operator delete(memory); }

void* PlDbObject::operator new(std::size_t size) noexcept { return pldbAllocObject(size); }
void* PlDbObject::operator new(std::size_t size, const std::nothrow_t&) noexcept { return pldbAllocObject(size); }
void PlDbObject::operator delete(void* memory) noexcept { pldbFreeObject(memory); }
void PlDbObject::operator delete(void* memory, const std::nothrow_t&) noexcept { pldbFreeObject(memory); }

// ---- Objects -----------------------------------------------------------------

PlDbObject::PlDbObject() : m_impl(new Impl) {}

PlDbObject::~PlDbObject() {
    if (m_impl->stub && !m_impl->deletedByDatabase) {
        // The database owns this object: deleting it is the caller's mistake.
        // Take it out of everything that points at it so that nothing is left
        // dangling; its id stops being valid.
        // (Its class is no longer known here: only the base part is left.)
        plsim::detail::reportDrawingError(L"the object with handle " + plsim::detail::hexHandle(objectId()) +
                                          L" was deleted while its database owns it");
        plsim::detail::untrackOpen(this);
        if (PlDbDatabase* db = m_impl->stub->database) db->impl()->objects[m_impl->slot] = nullptr;
        m_impl->stub->object = nullptr;
    }
    delete m_impl;
}

PlDbObjectId PlDbObject::objectId() const { return PlDbObjectId(m_impl->stub); }

PlDbDatabase* PlDbObject::database() const { return m_impl->stub ? m_impl->stub->database : nullptr; }

bool PlDbObject::isErased() const { return m_impl->erased; }

// An object outside any database belongs to whoever made it and may be
// changed freely: it counts as open for write.
bool PlDbObject::isWriteEnabled() const { return !m_impl->stub || m_impl->writer; }

bool PlDbObject::isReadEnabled() const { return !m_impl->stub || plsim::detail::isOpen(this); }

Plad::ErrorStatus PlDbObject::assertWriteEnabled() const {
    return isWriteEnabled() ? Plad::eOk : Plad::eNotOpenForWrite;
}

void PlDbObject::onAppended() {}
void PlDbObject::onErased(bool /*erased*/) {}

Plad::ErrorStatus PlDbObject::erase(bool erasing) {
    PlDbDatabase* db = database();
    if (!db) return Plad::eNoDatabase;
    if (!m_impl->writer) return Plad::eNotOpenForWrite;
    if (m_impl->erased == erasing) return Plad::eOk;  // nothing changes, nobody is told
    m_impl->erased = erasing;
    ++db->impl()->changes;
    onErased(erasing);
    db->impl()->notify([&](PlDbDatabaseReactor* r) { r->objectErased(db, this, erasing); });
    return Plad::eOk;
}

Plad::ErrorStatus PlDbObject::close() {
    PlDbDatabase* db = database();
    if (!db) return Plad::eNullObjectPointer;  // never added to a database: delete it instead
    Impl& state = *m_impl;
    bool wasWrite = false;
    if (state.writer) {
        state.writer = false;
        wasWrite = true;
    } else if (state.readers > 0) {
        --state.readers;
    } else if (state.notifiers > 0) {
        --state.notifiers;
    } else {
        plsim::detail::reportDrawingError(plsim::detail::describeObject(this) + L" was closed without being open");
        return Plad::eInvalidInput;
    }
    if (!plsim::detail::isOpen(this)) plsim::detail::untrackOpen(this);
    if (wasWrite) ++db->impl()->changes;
    if (wasWrite && !state.erased) {
        db->impl()->notify([&](PlDbDatabaseReactor* r) { r->objectModified(db, this); });
    }
    return Plad::eOk;
}

Plad::ErrorStatus PlDbObject::upgradeOpen() {
    PlDbDatabase* db = database();
    if (!db) return Plad::eOk;  // outside a database it is already writable
    Impl& state = *m_impl;
    if (state.writer) return Plad::eWasOpenForWrite;
    if (state.readers > 1) return Plad::eWasOpenForRead;
    if (state.readers == 0) return Plad::eInvalidInput;  // not open for read
    state.readers = 0;
    state.writer = true;
    db->impl()->notify([&](PlDbDatabaseReactor* r) { r->objectOpenedForModify(db, this); });
    return Plad::eOk;
}

PlRxClass* PlDbObject::isA() const { return desc(); }

PlRxClass* PlDbObject::desc() {
    static PlRxClass* const cls = plrxFindPlRxClass(L"PlDbObject");
    return cls;
}

Plad::ErrorStatus pldbOpenPlDbObject(PlDbObject*& object, PlDbObjectId id, PlDb::OpenMode mode, bool openErased) {
    object = nullptr;
    if (plsim::detail::takeFault(plsim::Fault::OpenObject)) return Plad::eInvalidObjectId;
    if (id.isNull()) return Plad::eNullObjectId;
    PlDbObject* target = plsim::detail::objectOf(id);
    if (!target) return Plad::eInvalidObjectId;
    auto& state = *id.stub()->state;
    if (mode != PlDb::kForRead && mode != PlDb::kForWrite && mode != PlDb::kForNotify) return Plad::eInvalidInput;
    if (state.erased && !openErased) return Plad::eWasErased;
    PlDbDatabase* db = id.stub()->database;
    switch (mode) {
        case PlDb::kForRead:
            if (state.writer) return Plad::eNotOpenForWrite;
            ++state.readers;
            break;
        case PlDb::kForWrite:
            if (state.writer) return Plad::eWasOpenForWrite;
            if (state.readers > 0) return Plad::eWasOpenForRead;
            state.writer = true;
            break;
        case PlDb::kForNotify:
            ++state.notifiers;
            break;
    }
    plsim::detail::trackOpen(target);
    object = target;
    if (mode == PlDb::kForWrite) {
        db->impl()->notify([&](PlDbDatabaseReactor* r) { r->objectOpenedForModify(db, target); });
    }
    return Plad::eOk;
}

// ---- Entities ----------------------------------------------------------------

PlDbEntity::PlDbEntity() = default;
PlDbEntity::~PlDbEntity() = default;

PlDbObjectId PlDbEntity::layerId() const { return m_layer; }

Plad::ErrorStatus PlDbEntity::setLayer(PlDbObjectId layer, bool /*doSubents*/, bool /*allowHiddenLayer*/) {
    if (const Plad::ErrorStatus es = assertWriteEnabled(); es != Plad::eOk) return es;
    if (layer.isNull()) return Plad::eNullObjectId;
    const PlDbObject* target = plsim::detail::objectOf(layer);
    if (!target) return Plad::eInvalidObjectId;
    if (!target->isKindOf(PlDbLayerTableRecord::desc())) return Plad::eInvalidInput;
    // An entity of a database takes only that database's layers.
    if (database() && layer.database() != database()) return Plad::eInvalidInput;
    m_layer = layer;
    return Plad::eOk;
}

PlDbObjectId PlDbEntity::blockId() const { return PlDbObjectAccess::impl(this).owner; }

// Every kind of entity with geometry moves it; this one has none.
Plad::ErrorStatus PlDbEntity::moveBy(const PlGeVector3d& /*offset*/) {
    const Plad::ErrorStatus es = assertWriteEnabled();
    return es != Plad::eOk ? es : Plad::eNotImplementedYet;
}

PlRxClass* PlDbEntity::isA() const { return desc(); }

PlRxClass* PlDbEntity::desc() {
    static PlRxClass* const cls = plrxFindPlRxClass(L"PlDbEntity");
    return cls;
}
