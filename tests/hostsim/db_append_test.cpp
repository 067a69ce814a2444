// Guards against appends that break the rules (closed record, entity already in a drawing),
// wrong spaces and layers, layer names compared with case, and an allocation fault that is ignored.
#include <gtest/gtest.h>

#include <new>
#include <string>
#include <vector>

#include "tests/hostsim/drawing_fixture.h"

namespace {

class Marker : public PlDbEntity {};

class Note : public PlDbObject {};

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
        {L"Lights", Plad::eOk},
        {L"LIGHTS", Plad::eDuplicateKey},
        {L"0", Plad::eDuplicateKey},
        {L"", Plad::eInvalidInput},
        {nullptr, Plad::eInvalidInput},
        {L"\u00c9clairage", Plad::eOk},
        {L"\u00e9CLAIRAGE", Plad::eDuplicateKey},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.name ? std::wstring(c.name) : std::wstring(L"(null)")));
        PlDbObjectId id;
        EXPECT_EQ(c.expected, db->addLayer(c.name, id));
        EXPECT_EQ(c.expected == Plad::eOk, !id.isNull());
    }
    EXPECT_EQ((std::vector<std::wstring>{L"0", L"Lights", L"\u00c9clairage"}), plsim::layerNames(db));
    EXPECT_EQ(db->layerId(L"Lights"), db->layerId(L"lIGHTS"));
    EXPECT_TRUE(db->layerId(L"Light").isNull());
    EXPECT_EQ(0, plsim::openObjectCount()) << "a new layer is left closed";
}

TEST_F(DbAppendTest, AnAllocationFaultMakesTheNextNewAnswerNull) {
    plsim::injectFault(plsim::Fault::Allocation);
    EXPECT_EQ(nullptr, new (std::nothrow) PlDbLight);
    PlDbLight* light = new PlDbLight;  // the fault was for one allocation
    ASSERT_NE(nullptr, light);
    delete light;
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
