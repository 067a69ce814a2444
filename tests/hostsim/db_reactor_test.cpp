// Guards against erase and un-erase that change the wrong thing or tell reactors wrongly,
// missing or extra appended/modified notifications, and reactors called after removal or deletion.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/hostsim/drawing_fixture.h"

namespace {

class Marker : public PlDbEntity {};

/// Writes down every notification as "event handle".
class Recorder : public PlDbDatabaseReactor {
public:
    std::vector<std::wstring> events;
    std::function<void()> onErasedHook;

    void objectAppended(const PlDbDatabase*, const PlDbObject* o) override { note(L"appended", o); }
    void objectOpenedForModify(const PlDbDatabase*, const PlDbObject* o) override { note(L"opened", o); }
    void objectModified(const PlDbDatabase*, const PlDbObject* o) override { note(L"modified", o); }
    void objectErased(const PlDbDatabase*, const PlDbObject* o, bool erased) override {
        note(erased ? L"erased" : L"unerased", o);
        if (onErasedHook) onErasedHook();
    }
    void goodbye(const PlDbDatabase*) override { events.push_back(L"goodbye"); }

    std::wstring take() {
        std::wstring text;
        for (const std::wstring& e : events) text += (text.empty() ? L"" : L" ") + e;
        events.clear();
        return text;
    }

private:
    void note(const wchar_t* what, const PlDbObject* o) {
        events.push_back(std::wstring(what) + L" " + std::to_wstring(o->objectId().handle()));
    }
};

class DbReactorTest : public DrawingTest {
protected:
    void SetUp() override {
        DrawingTest::SetUp();
        db->addReactor(&recorder);
    }
    void TearDown() override {
        db->removeReactor(&recorder);
        DrawingTest::TearDown();
    }

    /// Appends a marker, leaving it open for write as append does.
    Marker* appendMarker() {
        auto* marker = new Marker;
        PlDbBlockTableRecord* space = nullptr;
        EXPECT_EQ(Plad::eOk, pldbOpenObject(space, db->modelSpaceId(), PlDb::kForWrite));
        EXPECT_EQ(Plad::eOk, space->appendPlDbEntity(marker));
        space->close();
        return marker;
    }

    static std::wstring h(const PlDbObject* o) { return std::to_wstring(o->objectId().handle()); }
    static std::wstring h(PlDbObjectId id) { return std::to_wstring(id.handle()); }

    Recorder recorder;
};

TEST_F(DbReactorTest, AppendEraseAndUnEraseAreToldOnceEach) {
    Marker* marker = appendMarker();
    const PlDbObjectId id = marker->objectId();
    const std::wstring space = h(db->modelSpaceId());
    EXPECT_EQ(L"opened " + space + L" appended " + h(id) + L" modified " + space, recorder.take());
    EXPECT_EQ(Plad::eOk, marker->erase(true));
    EXPECT_TRUE(id.isErased());
    EXPECT_EQ(Plad::eOk, marker->erase(true));  // already erased: nothing to tell
    marker->close();
    EXPECT_EQ(L"erased " + h(id), recorder.take()) << "an object closed erased is not reported modified";

    PlDbObject* object = nullptr;
    ASSERT_EQ(Plad::eOk, pldbOpenPlDbObject(object, id, PlDb::kForWrite, true));
    recorder.take();
    EXPECT_EQ(Plad::eOk, object->erase(false));
    EXPECT_FALSE(id.isErased());
    object->close();
    EXPECT_EQ(L"unerased " + h(id) + L" modified " + h(id), recorder.take());
    // A read leaves nothing modified.
    ASSERT_EQ(Plad::eOk, pldbOpenPlDbObject(object, id, PlDb::kForRead));
    object->close();
    EXPECT_EQ(L"", recorder.take());
}

TEST_F(DbReactorTest, DuplicateAddsAreIgnoredAndRemovalsHoldEvenWhileBeingTold) {
    db->addReactor(&recorder);  // a second add is ignored: one notification each
    Recorder second;
    db->addReactor(&second);
    recorder.onErasedHook = [&] { db->removeReactor(&second); };
    Marker* marker = appendMarker();
    recorder.take();
    second.take();
    marker->erase(true);
    marker->close();
    EXPECT_EQ(L"erased " + h(marker), recorder.take());
    EXPECT_EQ(L"", second.take()) << "removed before its turn: not called";

    db->removeReactor(&recorder);
    EXPECT_FALSE(db->hasReactor(&recorder));
    PlDbObject* object = nullptr;
    ASSERT_EQ(Plad::eOk, pldbOpenPlDbObject(object, marker->objectId(), PlDb::kForWrite, true));
    object->erase(false);
    object->close();
    EXPECT_EQ(L"", recorder.take());
}

TEST_F(DbReactorTest, GoodbyeComesWhenTheDatabaseEndsAndADeletedReactorIsDetached) {
    auto* scratch = new PlDbDatabase;
    Recorder watcher;
    scratch->addReactor(&watcher);
    delete scratch;
    EXPECT_EQ(L"goodbye", watcher.take());

    auto* stray = new Recorder;
    db->addReactor(stray);
    delete stray;
    EXPECT_FALSE(db->hasReactor(stray));
    EXPECT_EQ(1u, plsim::drawingErrors().size());
    plsim::clearDrawingErrors();
    appendMarker()->close();  // would reach the deleted reactor if it were still there
}

}  // namespace
