// Guards the drawing's dictionaries and view table against losing entries, visiting removed
// ones or stepping wrong when entries go while an iterator walks, and name clashes.
#include <string>

#include "host/pldbdict.h"
#include "host/pldbview.h"
#include "hostsim/drawing_driver.h"
#include "tests/hostsim/drawing_fixture.h"

namespace {

class DictionaryTest : public DrawingTest {
protected:
    void SetUp() override {
        DrawingTest::SetUp();
        ASSERT_EQ(pldbOpenObject(dictionary, db->namedObjectsDictionaryId(), PlDb::kForWrite), Plad::eOk);
        for (const wchar_t* name : {L"a", L"b", L"c", L"d", L"e"}) {
            auto* entry = new PlDbDictionary;
            PlDbObjectId id;
            ASSERT_EQ(dictionary->setAt(name, entry, id), Plad::eOk);
            entry->close();
        }
    }
    void TearDown() override {
        if (dictionary) dictionary->close();
        DrawingTest::TearDown();
    }
    std::wstring names() const {
        std::wstring text;
        PlDbDictionaryIterator* it = dictionary->newIterator();
        for (; !it->done(); it->next()) text += it->name();
        delete it;
        return text;
    }
    PlDbObjectId id(const wchar_t* name) const {
        PlDbObjectId found;
        EXPECT_EQ(dictionary->getAt(name, found), Plad::eOk);
        return found;
    }
    PlDbDictionary* dictionary = nullptr;
};

TEST_F(DictionaryTest, IteratorStepsOnAfterTheEntriesUnderAndAheadOfItGo) {
    std::wstring visited;
    PlDbDictionaryIterator* it = dictionary->newIterator();
    for (; !it->done(); it->next()) {
        visited += it->name();
        if (visited == L"a") {
            EXPECT_EQ(dictionary->remove(it->objectId()), Plad::eOk);  // the one under it
        }
        if (visited == L"ab") {
            EXPECT_EQ(dictionary->remove(id(L"c")), Plad::eOk);  // the next one
            EXPECT_EQ(dictionary->remove(it->objectId()), Plad::eOk);
        }
    }
    EXPECT_EQ(visited, L"abde");
    EXPECT_EQ(names(), L"de") << "a second walk while the first still stands";
    delete it;
    EXPECT_EQ(names(), L"de");
    EXPECT_EQ(dictionary->numEntries(), 2u);
}

TEST_F(DictionaryTest, NamesIgnoreCaseAndRemovalsAreChecked) {
    PlDbObjectId found;
    EXPECT_EQ(dictionary->getAt(L"B", found), Plad::eOk);
    auto* clash = new PlDbDictionary;
    EXPECT_EQ(dictionary->setAt(L"C", clash, found), Plad::eDuplicateKey);
    delete clash;
    const PlDbObjectId b = id(L"b");
    EXPECT_EQ(dictionary->remove(b), Plad::eOk);
    EXPECT_EQ(dictionary->remove(b), Plad::eKeyNotFound);
    EXPECT_TRUE(b.isValid()) << "a removed entry stays in the drawing";
    dictionary->close();
    ASSERT_EQ(pldbOpenObject(dictionary, db->namedObjectsDictionaryId(), PlDb::kForRead), Plad::eOk);
    EXPECT_EQ(dictionary->remove(id(L"a")), Plad::eNotOpenForWrite);
}

TEST_F(DictionaryTest, ViewNamesAreFreedByErasing) {
    PlDbObjectId front, again;
    ASSERT_EQ(plsim::addView(db, L"Front", front), Plad::eOk);
    EXPECT_EQ(plsim::addView(db, L"FRONT", again), Plad::eDuplicateKey);
    EXPECT_EQ(plsim::addView(db, L"Bad\tname", again), Plad::eInvalidInput);
    ASSERT_EQ(plsim::setErased(front, true), Plad::eOk);
    EXPECT_TRUE(plsim::viewNamed(db, L"front").isNull());
    EXPECT_EQ(plsim::addView(db, L"Front", again), Plad::eOk);
    EXPECT_EQ(plsim::viewsOf(db).size(), 1u);
}

}  // namespace
