// Guards the motion-path reactor against removing too much or too little when curves, views
// and other entities are erased, un-erased or moved, against losing its way in a dictionary
// it removes from, and against dangling databases and reactors.
#include <map>
#include <string>

#include "host/pldbents.h"
#include "host/plmotionpath.h"
#include "hostsim/drawing_driver.h"
#include "hostsim/sceneoe/path_driver.h"
#include "light_fixture.h"
#include "reactors/CMotionPathDbRector.h"

namespace {

class MotionPathReactorTest : public LightCommandTest {
protected:
    PlDbObjectId line(double y) {
        auto* l = new PlDbLine;
        EXPECT_EQ(l->set({0, y, 0}, {1, y, 0}), Plad::eOk);
        return add(l);
    }
    PlDbObjectId named(const wchar_t* name, PlDbObjectId entity) {
        PlDbObjectId id;
        EXPECT_EQ(plsim::scene::addNamedPath(drawing->database(), name, entity, id), Plad::eOk);
        return id;
    }
    void motion(const wchar_t* name, PlDbObjectId camera, PlDbObjectId target, PlDbObjectId view) {
        PlDbObjectId id;
        EXPECT_EQ(plsim::scene::addMotionPath(drawing->database(), name, camera, target, view, id), Plad::eOk);
    }
    template <class Paths>
    static std::wstring names(const Paths& paths) {
        std::wstring names;
        for (const auto& p : paths) names += p.name + L" ";
        return names;
    }
    std::wstring namedPaths() const { return names(plsim::scene::namedPathsOf(drawing->database())); }
    std::wstring motionPaths() const { return names(plsim::scene::motionPathsOf(drawing->database())); }
    CMotionPathDbRector reactor;
};

TEST_F(MotionPathReactorTest, RemovesExactlyThePathsThatDangle) {
    enum Action { Erase, EraseAndRestore, Move };
    struct Case {
        const char* what;
        Action action;
        const char* target;
        const wchar_t* namedLeft;
        const wchar_t* motionsLeft;
    };
    const Case cases[] = {
        {"a named line takes its path and the motions on it", Erase, "L1", L"pL2 pC1 pC2 pS pT ", L"mB mC mD mE "},
        {"a line no path names changes nothing", Erase, "L3", L"pL1 pL2 pC1 pC2 pS pT ", L"mA mB mC mD mE "},
        {"a circle named twice loses both", Erase, "C", L"pL1 pL2 pS pT ", L"mA mB mE "},
        {"un-erasing restores nothing", EraseAndRestore, "L1", L"pL2 pC1 pC2 pS pT ", L"mB mC mD mE "},
        {"a view takes only its motion paths", Erase, "V", L"pL1 pL2 pC1 pC2 pS pT ", L"mA mC mD mE "},
        {"text is no curve", Erase, "T", L"pL1 pL2 pC1 pC2 pS pT ", L"mA mB mC mD mE "},
        {"a moved spline keeps its path", Move, "S", L"pL1 pL2 pC1 pC2 pS pT ", L"mA mB mC mD mE "},
        {"a moved text loses its path, not its motions", Move, "T", L"pL1 pL2 pC1 pC2 pS ", L"mA mB mC mD mE "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        plsim::closeDrawing(drawing);
        drawing = plsim::openDrawing(L"Paths");
        reactor.watch(drawing->database());
        std::map<std::string, PlDbObjectId> ids = {{"L1", line(1)}, {"L2", line(2)}, {"L3", line(3)}};
        auto* spline = new PlDbSpline;
        ASSERT_EQ(spline->setPoints({{0, 0, 0}, {1, 1, 1}, {2, 0, 0}}), Plad::eOk);
        ids["C"] = add(new PlDbCircle);
        ids["S"] = add(spline);
        ids["T"] = add(new PlDbText);
        ASSERT_EQ(plsim::addView(drawing->database(), L"Front", ids["V"]), Plad::eOk);
        const PlDbObjectId pL1 = named(L"pL1", ids["L1"]), pL2 = named(L"pL2", ids["L2"]);
        const PlDbObjectId pC1 = named(L"pC1", ids["C"]), pC2 = named(L"pC2", ids["C"]);
        const PlDbObjectId pS = named(L"pS", ids["S"]), pT = named(L"pT", ids["T"]);
        motion(L"mA", pL1, pL2, {});
        motion(L"mB", pL2, {}, ids["V"]);
        motion(L"mC", pC1, {}, {});
        motion(L"mD", {}, pC2, {});
        motion(L"mE", pS, pT, {});

        const PlDbObjectId target = ids[c.target];
        ASSERT_EQ(c.action == Move ? plsim::moveEntity(target, {1, 0, 0}) : plsim::setErased(target, true), Plad::eOk);
        ASSERT_EQ(c.action == EraseAndRestore ? plsim::setErased(target, false) : Plad::eOk, Plad::eOk);
        EXPECT_EQ(namedPaths(), c.namedLeft);
        EXPECT_EQ(motionPaths(), c.motionsLeft);
    }
}

TEST_F(MotionPathReactorTest, SweepsTheWorkingDrawingOnly) {
    reactor.watch(drawing->database());
    const PlDbObjectId first = line(0);
    named(L"p", first);
    PlApDocument* other = plsim::openDrawing(L"Other");  // now the working drawing
    reactor.watch(other->database());
    ASSERT_EQ(plsim::setErased(first, true), Plad::eOk);
    EXPECT_EQ(namedPaths(), L"p ");
    plsim::setCurrentDrawing(drawing);
    ASSERT_EQ(plsim::setErased(first, false), Plad::eOk);
    ASSERT_EQ(plsim::setErased(first, true), Plad::eOk);
    EXPECT_EQ(namedPaths(), L"");
}

TEST_F(MotionPathReactorTest, MissingDictionariesAreNotMade) {
    reactor.watch(drawing->database());
    ASSERT_EQ(plsim::setErased(line(0), true), Plad::eOk);
    PlDbDictionary* paths = nullptr;
    EXPECT_EQ(pldbGetNamedPathDictionary(drawing->database(), paths, PlDb::kForRead, false), Plad::eKeyNotFound);
}

TEST_F(MotionPathReactorTest, ForgetsDrawingsThatCloseAndLeavesTheRestWhenDeleted) {
    auto* watcher = new CMotionPathDbRector;
    watcher->watch(drawing->database());
    PlApDocument* second = plsim::openDrawing(L"Second");
    watcher->watch(second->database());
    plsim::closeDrawing(drawing);  // closed while the reactor is added
    drawing = second;
    delete watcher;  // must not touch the closed drawing, and leaves the open one
    EXPECT_FALSE(second->database()->hasReactor(watcher));
    EXPECT_TRUE(plsim::drawingErrors().empty());
}

TEST_F(MotionPathReactorTest, WatchingFollowsTheWorkingDatabase) {
    plsim::resetSession();  // no drawing at all
    ZuredUDKMX::watchDb();
    ASSERT_NE(ZuredUDKMX::m_pMotionPathDbRector, nullptr);
    ZuredUDKMX::clearDbReactor();  // nothing to clear
    drawing = plsim::openDrawing(L"Later");
    ZuredUDKMX::watchDb();
    EXPECT_TRUE(drawing->database()->hasReactor(ZuredUDKMX::m_pMotionPathDbRector));
    ZuredUDKMX::clearDbReactor();
    EXPECT_FALSE(drawing->database()->hasReactor(ZuredUDKMX::m_pMotionPathDbRector));
    delete ZuredUDKMX::m_pMotionPathDbRector;
    ZuredUDKMX::m_pMotionPathDbRector = nullptr;
}

}  // namespace
