// Guards against opens that are not tracked or not refused, wrong open statuses, ids that
// outlive their database unsafely, and owned objects deleted or closed wrongly going unseen.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/hostsim/drawing_fixture.h"

namespace {

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
    plsim::injectFault(plsim::Fault::OpenObject);
    EXPECT_EQ(Plad::eInvalidObjectId, pldbOpenPlDbObject(object, id, PlDb::kForRead));
    EXPECT_EQ(nullptr, object);
    ASSERT_EQ(Plad::eOk, pldbOpenPlDbObject(object, id, PlDb::kForRead)) << "the fault is for one open only";
    object->close();
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
    EXPECT_NE(db->modelSpaceId().handle(), id.handle());
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

}  // namespace
