// Guards the host's right-click against asking the wrong menus, asking one twice, offering
// erased objects, and keeping menus of classes or applications that went away.
#include <string>

#include "host/nlhostmenu.h"
#include "host/pldbents.h"
#include "host/pleduicontext.h"
#include "hostsim/drawing_driver.h"
#include "hostsim/selection_driver.h"
#include "tests/hostsim/drawing_fixture.h"

namespace {

/// A menu with one item that writes down what it was asked and told.
class RecordingMenu : public PlEdUIContext {
public:
    RecordingMenu(unsigned item, bool enabled) {
        m_menu.create();
        m_menu.appendItem(NlHostMenuItem(item, L"Item", false, enabled, 0, nullptr));
    }
    void* getMenuContext(const PlRxClass*, const PlDbObjectIdArray& ids) override {
        asked.push_back(ids.size());
        m_handle = m_menu.handle();
        return &m_handle;
    }
    void onMenuCommand(std::uint32_t id) override { chosen.push_back(id); }
    std::vector<std::size_t> asked;
    std::vector<std::uint32_t> chosen;

private:
    NlHostMenu m_menu;
    void* m_handle = nullptr;
};

class ContextMenuTest : public DrawingTest {
protected:
    PlDbObjectId add(PlDbEntity* entity) {
        PlDbObjectId id;
        EXPECT_EQ(plsim::addEntity(db, entity, id), Plad::eOk);
        return id;
    }
};

TEST_F(ContextMenuTest, EachApplicableMenuIsAskedOnceWithTheWholeSelection) {
    RecordingMenu curves(1, true), texts(2, false);
    ASSERT_TRUE(pledAddObjectContextMenu(PlDbCurve::desc(), &curves, nullptr));
    ASSERT_TRUE(pledAddObjectContextMenu(PlDbLine::desc(), &curves, nullptr));
    ASSERT_TRUE(pledAddObjectContextMenu(PlDbText::desc(), &texts, nullptr));
    EXPECT_FALSE(pledAddObjectContextMenu(PlDbText::desc(), &texts, nullptr));
    const PlDbObjectId line = add(new PlDbLine), region = add(new PlDbRegion), erased = add(new PlDbText);
    ASSERT_EQ(plsim::setErased(erased, true), Plad::eOk);

    plsim::setPickSelection({region, line, erased});
    EXPECT_EQ(plsim::pickSelection().size(), 2u) << "erased objects leave the selection";
    const std::vector<plsim::ContextMenuItem> items = plsim::contextMenu();
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(curves.asked, std::vector<std::size_t>{2});
    EXPECT_TRUE(texts.asked.empty());

    plsim::setPickSelection({line, add(new PlDbText)});
    EXPECT_FALSE(plsim::chooseContextMenuItem(2)) << "a greyed item cannot be chosen";
    EXPECT_TRUE(plsim::chooseContextMenuItem(1));
    EXPECT_EQ(curves.chosen, std::vector<std::uint32_t>{1});
    EXPECT_TRUE(texts.chosen.empty());
    EXPECT_TRUE(pledRemoveObjectContextMenu(PlDbCurve::desc(), &curves));
    EXPECT_TRUE(pledRemoveObjectContextMenu(PlDbLine::desc(), &curves));
    EXPECT_TRUE(pledRemoveObjectContextMenu(PlDbText::desc(), &texts));
    EXPECT_EQ(plsim::objectContextMenuCount(), 0);
}

TEST_F(ContextMenuTest, MenusOfAClassOrApplicationThatGoesAreDropped) {
    RecordingMenu menu(1, true);
    ASSERT_TRUE(pledAddObjectContextMenu(PlDbLight::desc(), &menu, nullptr));
    plrxUnloadModule(L"PlSceneOE.dbx", false);  // its light class goes
    EXPECT_EQ(plsim::objectContextMenuCount(), 0);
    ASSERT_TRUE(plrxLoadModule(L"PlSceneOE.dbx", false, false));
}

}  // namespace
