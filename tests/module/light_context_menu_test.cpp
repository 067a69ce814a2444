// Guards the light context menu against turning the wrong objects, turning them the wrong
// way, going on past an object it cannot open, and leaving or taking document locks wrongly.
#include "contextmenu/contextMenuLight.h"
#include "host/pldbents.h"
#include "host/plscene.h"
#include "hostsim/selection_driver.h"
#include "light_fixture.h"

namespace {

class LightContextMenuTest : public LightCommandTest {
protected:
    void SetUp() override {
        LightCommandTest::SetUp();
        ASSERT_TRUE(pledAddObjectContextMenu(PlDbLight::desc(), &menu, nullptr));
    }
    void TearDown() override {
        EXPECT_TRUE(pledRemoveObjectContextMenu(PlDbLight::desc(), &menu));
        LightCommandTest::TearDown();
    }
    PlDbObjectId light(const PlGePoint3d& position, const PlGePoint3d& target) {
        auto* l = new PlDbLight;
        EXPECT_EQ(l->setPosition(position), Plad::eOk);
        EXPECT_EQ(l->setTargetLocation(target), Plad::eOk);
        return add(l);
    }
    static PlGePoint3d targetOf(PlDbObjectId id) {
        PlDbLight* l = nullptr;
        EXPECT_EQ(pldbOpenObject(l, id, PlDb::kForRead), Plad::eOk);
        const PlGePoint3d target = l ? l->targetLocation() : PlGePoint3d();
        if (l) l->close();
        return target;
    }
    contextMenuLight menu;
};

TEST_F(LightContextMenuTest, TheItemMirrorsTargetsThroughPositionsAndBackAgain) {
    const PlDbObjectId a = light({0, 0, 0}, {1, 2, 3});
    const PlDbObjectId b = light({5, 5, 5}, {5, 5, 0});
    plsim::setPickSelection({a, b});
    const std::vector<plsim::ContextMenuItem> items = plsim::contextMenu();
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].text, message(msg::kReverseLightLabel));
    EXPECT_TRUE(items[0].enabled && !items[0].checked);

    ASSERT_TRUE(plsim::chooseContextMenuItem(2006));
    expectNear(targetOf(a), -1, -2, -3, "first light");
    expectNear(targetOf(b), 5, 5, 10, "second light");
    EXPECT_EQ(drawing->lockCount(), 0) << "the lock taken for the command is given back";
    // A write lock of the caller is used and kept.
    ASSERT_EQ(plDocManagerPtr()->lockDocument(drawing, PlAp::kWrite), Plad::eOk);
    ASSERT_TRUE(plsim::chooseContextMenuItem(2006));
    expectNear(targetOf(a), 1, 2, 3, "first light, twice");
    EXPECT_EQ(drawing->lockCount(), 1);
    EXPECT_EQ(plDocManagerPtr()->unlockDocument(drawing), Plad::eOk);
}

TEST_F(LightContextMenuTest, OnlyLightsTurnAndOnlyTheirSelectionsOfferTheItem) {
    const PlDbObjectId lineId = add(new PlDbLine);
    plsim::setPickSelection({lineId});
    EXPECT_TRUE(plsim::contextMenu().empty());
    const PlDbObjectId a = light({0, 0, 0}, {0, 0, 1});
    plsim::setPickSelection({lineId, a});
    ASSERT_TRUE(plsim::chooseContextMenuItem(2006));
    expectNear(targetOf(a), 0, 0, -1, "the light");
    PlDbLine* opened = nullptr;
    ASSERT_EQ(pldbOpenObject(opened, lineId, PlDb::kForRead), Plad::eOk);
    expectNear(opened->endPoint(), 1, 0, 0, "the line");
    opened->close();
}

TEST_F(LightContextMenuTest, StopsAtTheFirstObjectItCannotOpenOrWithoutALock) {
    const PlDbObjectId a = light({0, 0, 0}, {1, 0, 0});
    const PlDbObjectId b = light({0, 0, 0}, {0, 1, 0});
    plsim::setPickSelection({a, b});
    for (plsim::Fault fault : {plsim::Fault::OpenObject, plsim::Fault::DocumentLock}) {
        plsim::injectFault(fault);
        ASSERT_TRUE(plsim::chooseContextMenuItem(2006));
        expectNear(targetOf(a), 1, 0, 0, "first light");
        expectNear(targetOf(b), 0, 1, 0, "second light");
    }
    menu.onMenuCommand(7);  // an item it does not have
    expectNear(targetOf(a), 1, 0, 0, "first light");
}

}  // namespace
