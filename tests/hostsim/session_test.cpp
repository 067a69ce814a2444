// Guards against lost or stale current documents and working databases, unbalanced lock stacks, lock faults not
// reaching the caller, out-of-range or mistyped system variable writes
// being stored, text values shared with the caller, and a reset that does not bring the defaults back.
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <string>

#include "host/pldb.h"
#include "host/pldocs.h"
#include "host/pled.h"
#include "tests/hostsim/host_fixture.h"

namespace {

using Documents = HostTest;

PlApDocManager& docs() { return *plDocManagerPtr(); }
PlDbHostApplicationServices& services() { return *pldbHostApplicationServices(); }

TEST_F(Documents, OpeningSwitchingAndClosing) {
    PlApDocument* one = plsim::openDrawing(L"One");
    ASSERT_NE(one, nullptr);
    EXPECT_EQ(docs().mdiActiveDocument(), one);
    EXPECT_EQ(docs().document(one->database()), one);
    PlApDocument* two = plsim::openDrawing(L"Two");
    PlApDocument* three = plsim::openDrawing(L"Three");
    EXPECT_EQ(docs().documentCount(), 3);
    EXPECT_EQ(docs().curDocument(), three);
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

    // A null document is answered before a fault is used up.
    plsim::injectFault(plsim::Fault::DocumentLock);
    EXPECT_EQ(docs().lockDocument(nullptr, PlAp::kWrite), Plad::eNoDocument);
    EXPECT_EQ(docs().lockDocument(doc, PlAp::kWrite), Plad::eLockViolation);

    // A reset and a count of 0 drop pending faults.
    plsim::injectFault(plsim::Fault::DocumentLock, 5);
    plsim::resetSession();
    doc = plsim::openDrawing();
    EXPECT_EQ(docs().lockDocument(doc, PlAp::kWrite), Plad::eOk);
    plsim::injectFault(plsim::Fault::DocumentLock, 3);
    plsim::injectFault(plsim::Fault::DocumentLock, 0);
    EXPECT_EQ(docs().lockDocument(doc, PlAp::kWrite), Plad::eOk);
}

using SysVars = HostTest;

wchar_t* text(const wchar_t* v) { return const_cast<wchar_t*>(v); }

TEST_F(SysVars, WritesAreCheckedByTypeAndRange) {
    struct Case {
        const wchar_t* name;
        resbuf value;
        int status;
        const wchar_t* after;  // the variable as text afterwards
    };
    const Case cases[] = {
        {L"DEFAULTLIGHTING", resbuf{nullptr, PLRTSHORT, {.rint = 0}}, PLRTNORM, L"0"},
        {L"DEFAULTLIGHTING", resbuf{nullptr, PLRTSHORT, {.rint = 2}}, PLRTERROR, L"1"},
        {L"DEFAULTLIGHTING", resbuf{nullptr, PLRTREAL, {.rreal = 0.0}}, PLRTERROR, L"1"},
        {L"CVPORT", resbuf{nullptr, PLRTLONG, {.rlong = 70000}}, PLRTERROR, L"2"},
        {L"VIEWTWIST", resbuf{nullptr, PLRTREAL, {.rreal = 0.5}}, PLRTNORM, L"0.5"},
        {L"VIEWTWIST", resbuf{nullptr, PLRTSHORT, {.rint = 2}}, PLRTNORM, L"2"},
        {L"VIEWTWIST", resbuf{nullptr, PLRTREAL, {.rreal = std::numeric_limits<double>::infinity()}}, PLRTERROR, L"0"},
        {L"CLAYER", resbuf{nullptr, PLRTSTR, {.rstring = text(L"Lights")}}, PLRTNORM, L"Lights"},
        {L"CLAYER", resbuf{nullptr, PLRTSTR, {.rstring = text(nullptr)}}, PLRTERROR, L"0"},
        {L"PLHOSTVER", resbuf{nullptr, PLRTSTR, {.rstring = text(L"9.9")}}, PLRTERROR, L"1.0"},  // read-only
        {L"NOSUCHVAR", resbuf{nullptr, PLRTSHORT, {.rint = 1}}, PLRTERROR, L""},
    };
    for (const Case& c : cases) {
        plsim::resetSession();
        EXPECT_EQ(pledSetVar(c.name, &c.value), c.status) << testing::PrintToString(c.name);
        EXPECT_EQ(plsim::getVar(c.name), c.after) << testing::PrintToString(c.name);
    }
    EXPECT_EQ(pledSetVar(L"CVPORT", nullptr), PLRTERROR);

    // A text read back is the caller's copy.
    const resbuf layer = resbuf{nullptr, PLRTSTR, {.rstring = text(L"Lights")}};
    ASSERT_EQ(pledSetVar(L"CLAYER", &layer), PLRTNORM);
    resbuf rb;
    ASSERT_EQ(pledGetVar(L"CLAYER", &rb), PLRTNORM);
    rb.resval.rstring[0] = L'X';
    pledFreeString(rb.resval.rstring);
    EXPECT_EQ(plsim::getVar(L"CLAYER"), L"Lights");

    // The driver writes from text, with the same checks.
    std::wstring error;
    EXPECT_FALSE(plsim::setVar(L"LUPREC", L"9", &error));
    EXPECT_NE(error.find(L"between 0 and 8"), std::wstring::npos) << testing::PrintToString(error);
    EXPECT_FALSE(plsim::setVar(L"LUPREC", L"2.0"));
    EXPECT_FALSE(plsim::setVar(L"VIEWTWIST", L"twist"));
    EXPECT_TRUE(plsim::setVar(L"VIEWTWIST", L"-2.9e0"));
    EXPECT_EQ(plsim::getVar(L"VIEWTWIST"), L"-2.9");
}

TEST_F(SysVars, DefinedVariablesAndReset) {
    plsim::defineVar(L"TESTLONG", plsim::VarType::Long, L"100000");
    resbuf rb;
    ASSERT_EQ(pledGetVar(L"TESTLONG", &rb), PLRTNORM);
    EXPECT_EQ(rb.restype, PLRTLONG);
    EXPECT_EQ(rb.resval.rlong, 100000);

    const resbuf tooBig = resbuf{nullptr, PLRTLONG, {.rlong = std::numeric_limits<int>::max()}};
    EXPECT_EQ(pledSetVar(L"TESTLONG", &tooBig), PLRTNORM);
    EXPECT_FALSE(plsim::setVar(L"TESTLONG", L"2147483648"));

    // A built-in replaced, another removed.
    plsim::defineVar(L"CVPORT", plsim::VarType::Real, L"1.5");
    EXPECT_TRUE(plsim::removeVar(L"lunits"));
    EXPECT_FALSE(plsim::removeVar(L"LUNITS"));
    EXPECT_EQ(pledGetVar(L"LUNITS", &rb), PLRTERROR);
    const auto names = plsim::varNames();
    EXPECT_EQ(std::find(names.begin(), names.end(), L"LUNITS"), names.end());
    // A name found before finds nothing once its variable is gone.
    EXPECT_EQ(pledGetVar(L"TESTLONG", &rb), PLRTNORM);
    EXPECT_TRUE(plsim::removeVar(L"testlong"));
    EXPECT_EQ(pledGetVar(L"TESTLONG", &rb), PLRTERROR);
    // Found in any letter case, however long the name.
    plsim::defineVar(std::wstring(40, L'Q') + L"\u00C9", plsim::VarType::Short, L"7");
    EXPECT_EQ(plsim::getVar(std::wstring(40, L'q') + L"\u00E9"), L"7");
    EXPECT_EQ(plsim::getVar(L"cvPort"), L"1.5");

    // Variables belong to the session, not the drawing; a reset brings the defaults back.
    ASSERT_TRUE(plsim::setVar(L"DEFAULTLIGHTING", L"0"));
    plsim::openDrawing(L"Two");
    EXPECT_EQ(plsim::getVar(L"DEFAULTLIGHTING"), L"0");
    plsim::resetSession();
    EXPECT_EQ(pledGetVar(L"TESTLONG", &rb), PLRTERROR);
    ASSERT_EQ(pledGetVar(L"CVPORT", &rb), PLRTNORM);
    EXPECT_EQ(rb.restype, PLRTSHORT);
    EXPECT_EQ(plsim::getVar(L"LUNITS"), L"2");
    EXPECT_EQ(plsim::getVar(L"cvPort"), L"2") << "found by a name it was found by before the reset";
}

}  // namespace
