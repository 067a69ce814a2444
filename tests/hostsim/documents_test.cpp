// Guards against lost or stale current documents and working databases, unbalanced lock stacks, lock faults
// not reaching the caller, and host folders that ignore their settings.
#include <cstdlib>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "host/pldb.h"
#include "host/pldocs.h"
#include "tests/hostsim/host_fixture.h"

namespace {

using Documents = HostTest;

PlApDocManager& docs() { return *plDocManagerPtr(); }
PlDbHostApplicationServices& services() { return *pldbHostApplicationServices(); }

TEST_F(Documents, OpeningSwitchingAndClosing) {
    PlApDocument* one = plsim::openDrawing(L"One");
    ASSERT_NE(one, nullptr);
    EXPECT_STREQ(one->fileName(), L"One");
    EXPECT_EQ(docs().mdiActiveDocument(), one);
    EXPECT_EQ(docs().document(one->database()), one);
    PlApDocument* two = plsim::openDrawing(L"Two");
    PlApDocument* three = plsim::openDrawing(L"Three");
    EXPECT_EQ(docs().documentCount(), 3);
    EXPECT_EQ(docs().curDocument(), three);
    EXPECT_NE(one->database(), two->database());
    plsim::setCurrentDrawing(one);
    EXPECT_EQ(services().workingDatabase(), one->database());

    // Closing the current drawing makes the next one current, then the one before.
    plsim::closeDrawing(one);
    EXPECT_EQ(docs().curDocument(), two);
    EXPECT_EQ(services().workingDatabase(), two->database());
    plsim::closeDrawing(three);
    EXPECT_EQ(docs().curDocument(), two);
    plsim::closeDrawing(two);
    EXPECT_EQ(docs().curDocument(), nullptr);
    EXPECT_EQ(services().workingDatabase(), nullptr);
    plsim::closeDrawing(nullptr);
    plsim::closeDrawing(two);  // already closed: nothing happens
    EXPECT_EQ(docs().documentCount(), 0);

    // A working database of no document is kept when drawings close.
    PlDbDatabase side(true, true);
    plsim::openDrawing(L"Four");
    services().setWorkingDatabase(&side);
    EXPECT_EQ(docs().document(&side), nullptr);
    plsim::closeDrawing(docs().curDocument());
    EXPECT_EQ(services().workingDatabase(), &side);
    services().setWorkingDatabase(nullptr);
}

TEST_F(Documents, LocksStackUnwindAndRefuse) {
    PlApDocument* doc = plsim::openDrawing();
    EXPECT_EQ(docs().lockDocument(doc, PlAp::kWrite, nullptr, nullptr, false), Plad::eOk);
    // The one session may lock again, in any mode; the innermost mode is in force.
    EXPECT_EQ(docs().lockDocument(doc, PlAp::kRead, L"LIGHT", L"LICHT"), Plad::eOk);
    EXPECT_EQ(doc->lockCount(), 2);
    EXPECT_EQ(doc->myLockMode(), PlAp::kRead);
    EXPECT_EQ(docs().unlockDocument(doc), Plad::eOk);
    EXPECT_EQ(doc->myLockMode(), PlAp::kWrite);
    EXPECT_EQ(docs().unlockDocument(doc), Plad::eOk);
    EXPECT_EQ(doc->myLockMode(), PlAp::kNotLocked);
    EXPECT_EQ(docs().unlockDocument(doc), Plad::eLockViolation);
    EXPECT_EQ(doc->lockCount(), 0);

    EXPECT_EQ(docs().lockDocument(nullptr, PlAp::kWrite), Plad::eNoDocument);
    EXPECT_EQ(docs().unlockDocument(nullptr), Plad::eNoDocument);
    for (int mode : {int{PlAp::kNone}, int{PlAp::kNotLocked}, PlAp::kWrite | PlAp::kRead, 0x20, -1})
        EXPECT_EQ(docs().lockDocument(doc, mode), Plad::eInvalidInput) << mode;
    EXPECT_EQ(doc->lockCount(), 0);
    PlApDocument* closed = plsim::openDrawing(L"Closed");
    plsim::closeDrawing(closed);
    EXPECT_EQ(docs().lockDocument(closed, PlAp::kWrite), Plad::eNoDocument);
}

TEST_F(Documents, InjectedLockFaults) {
    PlApDocument* doc = plsim::openDrawing();
    plsim::injectFault(plsim::Fault::DocumentLock, 2);
    EXPECT_EQ(docs().lockDocument(doc, PlAp::kWrite), Plad::eLockViolation);
    EXPECT_EQ(docs().lockDocument(doc, PlAp::kWrite), Plad::eLockViolation);
    EXPECT_EQ(doc->lockCount(), 0);
    EXPECT_EQ(docs().lockDocument(doc, PlAp::kWrite), Plad::eOk);

    // A null document is answered before a fault is used up.
    plsim::injectFault(plsim::Fault::DocumentLock);
    EXPECT_EQ(docs().lockDocument(nullptr, PlAp::kWrite), Plad::eNoDocument);
    EXPECT_EQ(docs().lockDocument(doc, PlAp::kWrite), Plad::eLockViolation);

    // A fault of another kind does not touch locks; a reset and a count of 0 drop pending ones.
    plsim::injectFault(plsim::Fault::OpenObject);
    EXPECT_EQ(docs().lockDocument(doc, PlAp::kWrite), Plad::eOk);
    plsim::injectFault(plsim::Fault::DocumentLock, 5);
    plsim::resetSession();
    doc = plsim::openDrawing();
    EXPECT_EQ(docs().lockDocument(doc, PlAp::kWrite), Plad::eOk);
    plsim::injectFault(plsim::Fault::DocumentLock, 3);
    plsim::injectFault(plsim::Fault::DocumentLock, 0);
    EXPECT_EQ(docs().lockDocument(doc, PlAp::kWrite), Plad::eOk);
}

// Sets an environment variable (null: removes it) for one test and puts the old value back.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : m_name(name) {
        if (const char* old = std::getenv(name)) m_old = old;
        set(value);
    }
    ~ScopedEnv() { set(m_old ? m_old->c_str() : nullptr); }

private:
    void set(const char* value) {
#if defined(_WIN32)
        _putenv_s(m_name.c_str(), value ? value : "");
#else
        value ? setenv(m_name.c_str(), value, 1) : unsetenv(m_name.c_str());
#endif
    }
    std::string m_name;
    std::optional<std::string> m_old;
};

TEST_F(Documents, RoamableRootFolder) {
    {
        ScopedEnv chosen("PLANDOR_ROAMING", "/srv/roaming/pat");
        const wchar_t* folder = nullptr;
        EXPECT_EQ(services().getRoamableRootFolder(folder), Plad::eOk);
        ASSERT_NE(folder, nullptr);
        EXPECT_STREQ(folder, L"/srv/roaming/pat");
        const wchar_t* again = nullptr;
        services().getRoamableRootFolder(again);
        EXPECT_EQ(again, folder);  // the same answer stays where it was
    }
    ScopedEnv none("PLANDOR_ROAMING", nullptr);
#if defined(_WIN32)
    ScopedEnv base("APPDATA", "C:\\Users\\pat\\AppData\\Roaming");
    const std::wstring expected = L"C:\\Users\\pat\\AppData\\Roaming\\Plandor\\Roaming";
#else
    ScopedEnv base("HOME", "/home/pat");
    const std::wstring expected = L"/home/pat/.plandor/roaming";
#endif
    const wchar_t* folder = nullptr;
    EXPECT_EQ(services().getRoamableRootFolder(folder), Plad::eOk);
    EXPECT_EQ(std::wstring(folder), expected);
}

}  // namespace
