// Guards against light names that repeat or skip a free number, names that stay taken after
// an erase or a rename, case-sensitive look-ups, duplicate light layers and a light listing that
// misses or misorders lights.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hostsim/sceneoe/scene_driver.h"
#include "tests/hostsim/drawing_fixture.h"

namespace {

class LightNamesTest : public DrawingTest {
protected:
    static std::wstring next(const wchar_t* base) { return LightingUtil::findNextLightName(base).str(); }

    /// Opens `id` for write, runs `change` on the light and closes it.
    template <class Change>
    void edit(PlDbObjectId id, Change change) {
        PlDbLight* light = nullptr;
        ASSERT_EQ(Plad::eOk, pldbOpenObject(light, id, PlDb::kForWrite, true));
        change(*light);
        light->close();
    }
};

TEST_F(LightNamesTest, NumbersCountUpAndGapsAreFilledSmallestFirst) {
    EXPECT_EQ(L"Spotlight1", next(L"Spotlight"));
    std::vector<PlDbObjectId> ids;
    for (int i = 0; i < 5; ++i) ids.push_back(addClosedLight(next(L"Spotlight").c_str()));
    EXPECT_EQ(L"Spotlight6", next(L"Spotlight"));
    EXPECT_EQ(L"Pointlight1", next(L"Pointlight")) << "each base counts on its own";

    edit(ids[3], [](PlDbLight& l) { l.erase(true); });  // Spotlight4
    edit(ids[1], [](PlDbLight& l) { l.erase(true); });  // Spotlight2
    EXPECT_EQ(L"Spotlight2", next(L"Spotlight"));
    addClosedLight(L"Spotlight2");
    EXPECT_EQ(L"Spotlight4", next(L"Spotlight"));
    addClosedLight(L"Spotlight4");
    EXPECT_EQ(L"Spotlight6", next(L"Spotlight"));

    // An un-erased light takes its name back (and may then share it).
    edit(ids[1], [](PlDbLight& l) { l.erase(false); });
    EXPECT_EQ(L"Spotlight6", next(L"Spotlight"));
    PlDbObjectId found;
    EXPECT_EQ(Plad::eOk, PlLightServiceManager::idAt(found, L"Spotlight2", db));
}

TEST_F(LightNamesTest, NamesCompareIgnoringCaseAndOnlyWholeNumbersCount) {
    addClosedLight(L"SPOTLIGHT1");
    addClosedLight(L"spotlight2");
    addClosedLight(L"Spotlight04");   // not the number 4 written plainly
    addClosedLight(L"Spotlight3x");   // no number at the end
    addClosedLight(L"\u00c9toile1");  // a Latin-1 capital
    EXPECT_EQ(L"Spotlight3", next(L"Spotlight"));
    EXPECT_EQ(L"sPoTlIgHt3", next(L"sPoTlIgHt")) << "the base keeps the caller's letters";
    EXPECT_EQ(L"\u00e9toile2", next(L"\u00e9toile"));
    // A base that ends in a digit is numbered after it.
    addClosedLight(L"Lamp21");
    EXPECT_EQ(L"Lamp22", next(L"Lamp2"));
    EXPECT_EQ(L"Lamp1", next(L"Lamp"));
}

TEST_F(LightNamesTest, RenamesMoveTheNameAndIdAtFindsOnlyLightsThatAreThere) {
    addClosedLight(L"Spotlight1");
    const PlDbObjectId second = addClosedLight(L"Spotlight2");
    edit(second, [](PlDbLight& l) {
        EXPECT_EQ(Plad::eDuplicateKey, l.setName(L"spotlight1"));
        EXPECT_STREQ(L"Spotlight2", l.name());
        EXPECT_EQ(Plad::eOk, l.setName(L"SPOTLIGHT2")) << "a light may keep its own name";
        EXPECT_EQ(Plad::eOk, l.setName(L"Desk lamp"));
    });
    EXPECT_EQ(L"Spotlight2", next(L"Spotlight"));
    PlDbObjectId found;
    EXPECT_EQ(Plad::eOk, PlLightServiceManager::idAt(found, L"desk LAMP", db));
    EXPECT_EQ(second, found);
    EXPECT_EQ(Plad::eKeyNotFound, PlLightServiceManager::idAt(found, L"Spotlight2", db));
    EXPECT_TRUE(found.isNull());
    EXPECT_EQ(Plad::eNoDatabase, PlLightServiceManager::idAt(found, L"Spotlight1", nullptr));
    EXPECT_EQ(Plad::eKeyNotFound, PlLightServiceManager::idAt(found, nullptr, db));
    PlDbDatabase other;
    EXPECT_EQ(Plad::eKeyNotFound, PlLightServiceManager::idAt(found, L"Spotlight1", &other));
    edit(second, [](PlDbLight& l) { l.erase(true); });
    EXPECT_EQ(Plad::eKeyNotFound, PlLightServiceManager::idAt(found, L"Desk lamp", db));

    // A light outside the drawing is checked against the working drawing.
    PlDbLight loose;
    EXPECT_EQ(Plad::eDuplicateKey, loose.setName(L"Spotlight1"));
    EXPECT_EQ(Plad::eOk, loose.setName(L"Desk Lamp"));
}

TEST_F(LightNamesTest, EachDrawingHasItsOwnNames) {
    addClosedLight(L"Spotlight1");
    PlApDocument* second = plsim::openDrawing(L"Drawing2");
    EXPECT_EQ(L"Spotlight1", next(L"Spotlight"));
    addClosedLight(L"Spotlight1", second->database());
    addClosedLight(L"Spotlight2", second->database());
    EXPECT_EQ(L"Spotlight3", next(L"Spotlight"));
    plsim::closeDrawing(second);  // its lights, and their names, go with it
    EXPECT_EQ(L"Spotlight2", next(L"Spotlight"));
}

TEST_F(LightNamesTest, NoNameWithoutADrawingOrABase) {
    EXPECT_EQ(L"", next(L""));
    EXPECT_EQ(L"", next(nullptr));
    EXPECT_EQ(L"", next(L"Bad:base")) << "no light could bear it";
    EXPECT_EQ(L"", next(std::wstring(255, L'x').c_str())) << "too long with its number";
    plsim::closeDrawing(doc);
    EXPECT_EQ(L"", next(L"Spotlight"));
    PlDbObjectId layer;
    EXPECT_EQ(Plad::eNoDatabase, LightingUtil::getLightsLayer(layer));
    EXPECT_TRUE(layer.isNull());
}

TEST_F(LightNamesTest, TheLightsLayerIsMadeOnce) {
    PlDbObjectId made;
    ASSERT_EQ(Plad::eOk, LightingUtil::getLightsLayer(made));
    EXPECT_FALSE(made.isNull());
    PlDbObjectId again;
    ASSERT_EQ(Plad::eOk, LightingUtil::getLightsLayer(again));
    EXPECT_EQ(made, again);
    EXPECT_EQ((std::vector<std::wstring>{L"0", L"Lights"}), plsim::layerNames(db));

    PlApDocument* second = plsim::openDrawing(L"Drawing2");
    PlDbObjectId existing;
    ASSERT_EQ(Plad::eOk, second->database()->addLayer(L"LIGHTS", existing));
    PlDbObjectId found;
    ASSERT_EQ(Plad::eOk, LightingUtil::getLightsLayer(found));
    EXPECT_EQ(existing, found) << "an existing layer of another case is used";

    PlApDocument* third = plsim::openDrawing(L"Drawing3");
    plsim::injectFault(plsim::Fault::Allocation);
    EXPECT_EQ(Plad::eOutOfMemory, LightingUtil::getLightsLayer(found));
    EXPECT_EQ((std::vector<std::wstring>{L"0"}), plsim::layerNames(third->database()));
}

TEST_F(LightNamesTest, TheListingShowsEveryLightInAppendOrder) {
    const PlDbObjectId a = addClosedLight(L"A1");
    PlDbLight* b = new PlDbLight;
    b->setName(L"B1");
    b->setLightKind(PlDbLight::kSpotLight);
    PlDbBlockTableRecord* paper = nullptr;
    ASSERT_EQ(Plad::eOk, pldbOpenObject(paper, db->paperSpaceId(), PlDb::kForWrite));
    ASSERT_EQ(Plad::eOk, paper->appendPlDbEntity(b));
    paper->close();
    edit(addClosedLight(L"C1"), [](PlDbLight& l) { l.erase(true); });

    // B is still open for write, as a command would have it: it is listed all the same.
    const std::vector<plsim::scene::LightInfo> lights = plsim::scene::lightsOf(db);
    ASSERT_EQ(2u, lights.size());
    EXPECT_EQ(L"A1", lights[0].name);
    EXPECT_EQ(a.handle(), lights[0].handle);
    EXPECT_EQ(L"B1", lights[1].name);
    EXPECT_EQ(3, lights[1].kind);
    EXPECT_EQ(1, plsim::openObjectCount()) << "the listing closed what it opened";
    b->close();
    EXPECT_TRUE(plsim::scene::lightsOf(nullptr).empty());
}

}  // namespace
