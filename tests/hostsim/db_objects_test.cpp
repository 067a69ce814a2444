// Guards against opens that are not tracked or not refused, wrong open statuses, ids that outlive their
// database unsafely, owned objects deleted or closed wrongly going unseen, appends that break the rules (closed
// record, entity already in a drawing), wrong spaces and layers, layer names compared with case, and an
// allocation fault that is ignored.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "tests/hostsim/drawing_fixture.h"

namespace {

class Marker : public PlDbEntity {};

class Note : public PlDbObject {};

using DbOpenTest = DrawingTest;

TEST_F(DbOpenTest, OpenStatusesFollowWhatIsAlreadyOpen) {
    struct Case {
        const char* what;
        std::vector<PlDb::OpenMode> before;  // opens made first, all succeeding
        bool erased;
        PlDb::OpenMode mode;
        bool openErased;
        Plad::ErrorStatus expected;
    };
    const Case cases[] = {
        {"write a closed object", {}, false, PlDb::kForWrite, false, Plad::eOk},
        {"read it twice", {PlDb::kForRead}, false, PlDb::kForRead, false, Plad::eOk},
        {"write while open for write", {PlDb::kForWrite}, false, PlDb::kForWrite, false, Plad::eWasOpenForWrite},
        {"read while open for write", {PlDb::kForWrite}, false, PlDb::kForRead, false, Plad::eNotOpenForWrite},
        {"write while open for read", {PlDb::kForRead}, false, PlDb::kForWrite, false, Plad::eWasOpenForRead},
        {"notify while open for write", {PlDb::kForWrite}, false, PlDb::kForNotify, false, Plad::eOk},
        {"read an erased object", {}, true, PlDb::kForRead, false, Plad::eWasErased},
        {"read an erased object asking for erased ones", {}, true, PlDb::kForRead, true, Plad::eOk},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const PlDbObjectId id = addClosedLight(nullptr);
        if (c.erased) {
            PlDbObject* object = nullptr;
            ASSERT_EQ(Plad::eOk, pldbOpenPlDbObject(object, id, PlDb::kForWrite));
            ASSERT_EQ(Plad::eOk, object->erase(true));
            object->close();
        }
        std::vector<PlDbObject*> opened;
        for (PlDb::OpenMode mode : c.before) {
            PlDbObject* object = nullptr;
            ASSERT_EQ(Plad::eOk, pldbOpenPlDbObject(object, id, mode));
            opened.push_back(object);
        }
        PlDbObject* object = nullptr;
        EXPECT_EQ(c.expected, pldbOpenPlDbObject(object, id, c.mode, c.openErased));
        EXPECT_EQ(c.expected == Plad::eOk, object != nullptr);
        if (object) opened.push_back(object);
        EXPECT_EQ(static_cast<int>(opened.empty() ? 0 : 1), plsim::openObjectCount());
        for (PlDbObject* o : opened) EXPECT_EQ(Plad::eOk, o->close());
        EXPECT_EQ(0, plsim::openObjectCount());
    }
}

TEST_F(DbOpenTest, BadIdsAndInjectedFaultsAreRefused) {
    PlDbObject* object = nullptr;
    EXPECT_EQ(Plad::eNullObjectId, pldbOpenPlDbObject(object, PlDbObjectId::kNull, PlDb::kForRead));
    const PlDbObjectId id = addClosedLight(nullptr);
    EXPECT_EQ(Plad::eInvalidInput, pldbOpenPlDbObject(object, id, static_cast<PlDb::OpenMode>(7)));
    // An id of the wrong class opens nothing.
    PlDbLight* light = nullptr;
    EXPECT_EQ(Plad::eInvalidInput, pldbOpenObject(light, db->modelSpaceId(), PlDb::kForRead));
    EXPECT_EQ(0, plsim::openObjectCount());

    // Ids know their database and outlive it.
    auto* other = new PlDbDatabase;
    const PlDbObjectId otherSpace = other->modelSpaceId();
    EXPECT_EQ(db, id.database());
    EXPECT_EQ(other, otherSpace.database());
    delete other;
    EXPECT_FALSE(otherSpace.isValid());
    EXPECT_EQ(nullptr, otherSpace.database());
    EXPECT_EQ(Plad::eInvalidObjectId, pldbOpenPlDbObject(object, otherSpace, PlDb::kForRead));
}

TEST_F(DbOpenTest, EachOpenIsEndedByItsOwnCloseAndASingleReadUpgrades) {
    const PlDbObjectId id = addClosedLight(nullptr);
    PlDbObject* first = nullptr;
    PlDbObject* second = nullptr;
    ASSERT_EQ(Plad::eOk, pldbOpenPlDbObject(first, id, PlDb::kForRead));
    ASSERT_EQ(Plad::eOk, pldbOpenPlDbObject(second, id, PlDb::kForRead));
    PlDbBlockTableRecord* space = nullptr;
    ASSERT_EQ(Plad::eOk, pldbOpenObject(space, db->modelSpaceId(), PlDb::kForWrite));
    EXPECT_EQ(2u, plsim::openObjects().size()) << "one entry per object";
    first->close();
    EXPECT_EQ(2, plsim::openObjectCount());
    space->close();

    EXPECT_FALSE(second->isWriteEnabled());
    EXPECT_EQ(Plad::eNotOpenForWrite, second->erase(true));
    EXPECT_EQ(Plad::eOk, second->upgradeOpen());
    EXPECT_TRUE(second->isWriteEnabled());
    EXPECT_EQ(Plad::eWasOpenForWrite, second->upgradeOpen());
    second->close();
    EXPECT_FALSE(second->isReadEnabled());
    EXPECT_EQ(0, plsim::openObjectCount());
}

TEST_F(DbOpenTest, MisusesAreCaughtAndReportedNotFatal) {
    // An object outside a database is deleted, not closed.
    auto* loose = new PlDbLight;
    EXPECT_TRUE(loose->isWriteEnabled());
    EXPECT_EQ(Plad::eNullObjectPointer, loose->close());
    EXPECT_EQ(Plad::eNoDatabase, loose->erase(true));
    delete loose;
    EXPECT_TRUE(plsim::drawingErrors().empty());

    // Deleting an object the database owns: reported, and nothing is left pointing at it.
    const PlDbObjectId id = addClosedLight(nullptr);
    PlDbObject* object = nullptr;
    ASSERT_EQ(Plad::eOk, pldbOpenPlDbObject(object, id, PlDb::kForWrite));
    delete object;
    ASSERT_EQ(1u, plsim::drawingErrors().size());
    EXPECT_NE(std::wstring::npos, plsim::drawingErrors()[0].find(L"deleted")) << joined(plsim::drawingErrors());
    EXPECT_EQ(0, plsim::openObjectCount());
    EXPECT_FALSE(id.isValid());
    EXPECT_EQ(Plad::eInvalidObjectId, pldbOpenPlDbObject(object, id, PlDb::kForRead));

    // Closing an object that is not open.
    ASSERT_EQ(Plad::eOk, pldbOpenPlDbObject(object, addClosedLight(nullptr), PlDb::kForRead));
    EXPECT_EQ(Plad::eOk, object->close());
    EXPECT_EQ(Plad::eInvalidInput, object->close());
    EXPECT_EQ(2u, plsim::drawingErrors().size());

    // A database that ends with an object open says so and still frees everything.
    auto* scratch = new PlDbDatabase;
    PlDbBlockTableRecord* space = nullptr;
    ASSERT_EQ(Plad::eOk, pldbOpenObject(space, scratch->modelSpaceId(), PlDb::kForRead));
    delete scratch;
    EXPECT_EQ(3u, plsim::drawingErrors().size());
    EXPECT_EQ(0, plsim::openObjectCount());
    plsim::clearDrawingErrors();
}

using DbAppendTest = DrawingTest;

TEST_F(DbAppendTest, AppendNeedsTheRecordOpenForWriteAndLeavesTheObjectOpen) {
    auto* marker = new Marker;
    PlDbBlockTableRecord* space = nullptr;
    ASSERT_EQ(Plad::eOk, pldbOpenObject(space, db->modelSpaceId(), PlDb::kForRead));
    PlDbObjectId id;
    EXPECT_EQ(Plad::eNotOpenForWrite, space->appendPlDbEntity(id, marker));
    EXPECT_TRUE(marker->objectId().isNull());
    ASSERT_EQ(Plad::eOk, space->upgradeOpen());
    ASSERT_EQ(Plad::eOk, space->appendPlDbEntity(id, marker));
    EXPECT_EQ(id, marker->objectId());
    EXPECT_EQ(db->modelSpaceId(), marker->blockId());
    EXPECT_EQ(db->layerId(L"0"), marker->layerId()) << "an entity without a layer goes on layer 0";
    ASSERT_EQ(1u, space->entityCount());
    EXPECT_EQ(id, space->entityAt(0));
    EXPECT_TRUE(space->entityAt(1).isNull());
    // Appending it again, into any record, is refused.
    EXPECT_EQ(Plad::eInvalidInput, space->appendPlDbEntity(marker));
    EXPECT_EQ(Plad::eNullObjectPointer, space->appendPlDbEntity(nullptr));
    space->close();
    EXPECT_EQ(1, plsim::openObjectCount()) << "only the entity is still open";
    marker->close();

    // Objects outside blocks join the database the same way.
    auto* note = new Note;
    ASSERT_EQ(Plad::eOk, db->addPlDbObject(id, note));
    EXPECT_EQ(db, id.database());
    EXPECT_TRUE(note->isWriteEnabled());
    EXPECT_EQ(Plad::eInvalidInput, db->addPlDbObject(id, note));
    EXPECT_EQ(Plad::eNullObjectPointer, db->addPlDbObject(id, nullptr));
    note->close();
}

TEST_F(DbAppendTest, EntitiesKeepALayerAndASpaceOfTheirDrawing) {
    PlDbObjectId lights;
    ASSERT_EQ(Plad::eOk, db->addLayer(L"Lights", lights));
    PlDbDatabase other;
    PlDbObjectId foreign;
    ASSERT_EQ(Plad::eOk, other.addLayer(L"Foreign", foreign));
    auto* kept = new Marker;
    EXPECT_EQ(Plad::eNullObjectId, kept->setLayer(PlDbObjectId::kNull));
    EXPECT_EQ(Plad::eInvalidInput, kept->setLayer(db->modelSpaceId())) << "not a layer";
    ASSERT_EQ(Plad::eOk, kept->setLayer(lights));
    auto* moved = new Marker;
    ASSERT_EQ(Plad::eOk, moved->setLayer(foreign));

    EXPECT_EQ(Plad::eInvalidInput, db->setCurrentSpace(db->layerId(L"0")));
    EXPECT_EQ(Plad::eInvalidInput, db->setCurrentSpace(other.modelSpaceId()));
    ASSERT_EQ(Plad::eOk, db->setCurrentSpace(db->paperSpaceId()));
    PlDbBlockTableRecord* space = nullptr;
    ASSERT_EQ(Plad::eOk, pldbOpenObject(space, db->currentSpaceId(), PlDb::kForWrite));
    ASSERT_EQ(Plad::eOk, space->appendPlDbEntity(kept));
    ASSERT_EQ(Plad::eOk, space->appendPlDbEntity(moved));
    space->close();
    EXPECT_EQ(db->paperSpaceId(), kept->blockId());
    EXPECT_EQ(lights, kept->layerId());
    EXPECT_EQ(db->layerId(L"0"), moved->layerId()) << "another drawing's layer gives way to layer 0";
    EXPECT_EQ(Plad::eInvalidInput, kept->setLayer(foreign));
    kept->close();
    moved->close();
}

TEST_F(DbAppendTest, LayersAreNamedOnceIgnoringCase) {
    const struct {
        const wchar_t* name;
        Plad::ErrorStatus expected;
    } cases[] = {
        {L"Lights", Plad::eOk},     {L"LIGHTS", Plad::eDuplicateKey}, {L"0", Plad::eDuplicateKey},
        {L"", Plad::eInvalidInput}, {nullptr, Plad::eInvalidInput},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.name ? std::wstring(c.name) : std::wstring(L"(null)")));
        PlDbObjectId id;
        EXPECT_EQ(c.expected, db->addLayer(c.name, id));
        EXPECT_EQ(c.expected == Plad::eOk, !id.isNull());
    }
    EXPECT_EQ((std::vector<std::wstring>{L"0", L"Lights"}), plsim::layerNames(db));
    EXPECT_EQ(db->layerId(L"Lights"), db->layerId(L"lIGHTS"));
    EXPECT_TRUE(db->layerId(L"Light").isNull());
    EXPECT_EQ(0, plsim::openObjectCount()) << "a new layer is left closed";
}

TEST_F(DbAppendTest, AnAllocationFaultMakesTheNextNewAnswerNull) {
    plsim::injectFault(plsim::Fault::Allocation);
    EXPECT_EQ(nullptr, new Marker) << "plain new answers null too, without throwing";
    plsim::injectFault(plsim::Fault::Allocation);
    PlDbObjectId id;
    EXPECT_EQ(Plad::eOutOfMemory, db->addLayer(L"Lights", id));
    EXPECT_TRUE(db->layerId(L"Lights").isNull());
    plsim::injectFault(plsim::Fault::Allocation);
    PlDbDatabase scratch;  // a database's own records do not take the fault
    EXPECT_FALSE(scratch.modelSpaceId().isNull());
    plsim::injectFault(plsim::Fault::Allocation, 0);
}

}  // namespace

namespace {

TEST_F(DbAppendTest, EveryHandleFindsItsObjectWhereverItLies) {
    // Handles read from a file may lie far above the others, below them, or anywhere between.
    const std::uint64_t granted[] = {1ull << 40, 900, 0, 5000, (1ull << 40) + 7, 0};
    std::vector<std::pair<std::uint64_t, PlDbObjectId>> made;
    for (std::uint64_t handle : granted) {
        ASSERT_EQ(Plad::eOk, plsim::giveNextHandle(db, handle));
        PlDbObjectId id;
        ASSERT_EQ(Plad::eOk, plsim::addEntity(db, new Marker, id));
        if (handle != 0) {
            EXPECT_EQ(handle, id.handle());
        }
        made.emplace_back(id.handle(), id);
    }
    for (const auto& [handle, id] : made) {
        SCOPED_TRACE(handle);
        EXPECT_EQ(id, plsim::objectWithHandle(db, handle));
        EXPECT_EQ(Plad::eDuplicateKey, plsim::giveNextHandle(db, handle)) << "given out twice";
    }
    EXPECT_EQ(Plad::eOk, plsim::giveNextHandle(db, 0));
    const std::uint64_t never[] = {899, 4999, (1ull << 40) + 2, ~std::uint64_t{0}};
    for (std::uint64_t handle : never) {
        EXPECT_TRUE(plsim::objectWithHandle(db, handle).isNull()) << handle;
    }
}

}  // namespace
