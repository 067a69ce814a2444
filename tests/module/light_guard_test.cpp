// Guards the light commands' viewport and default-lighting guard: which answers switch default lighting off,
// what a cancel leaves, and the dialog's lock; and what it stands on: integer reads of system variables of every
// type (no undefined conversions), and a document lock that never releases a lock it did not take.
#include "app/ZuredUDKMX.h"
#include "common/DocLock.h"
#include "common/Messages.h"
#include "common/SysVars.h"
#include "host/pldocs.h"
#include "support/host_fixture.h"

namespace {

class LightGuardTest : public HostTest {};

TEST_F(LightGuardTest, ViewportOneRefusesWithOneMessageAndAsksNothing) {
    ASSERT_TRUE(plsim::setVar(L"CVPORT", L"1"));
    for (LightType type : {kLightSpot, kLightAnyKind, kLightDistant}) {
        plsim::clearReplies();
        plsim::queueButton(1001);
        ZuredUDKMX::doLightCommand(type);
        EXPECT_EQ(takeTranscript(), loadMessage(msg::kNotInThisViewport).str()) << type;
        EXPECT_EQ(plsim::pendingReplies(), 1u) << "no question may be asked in viewport 1";
        EXPECT_EQ(getSysVarInt(L"DEFAULTLIGHTING"), 1);
    }
}

struct DialogCase {
    const char* name;
    bool script;
    int button;  // 0: cancel
    bool expectedResult;
    bool expectedTurnOff;
};

TEST_F(LightGuardTest, DefaultLightingQuestionAnswers) {
    const DialogCase cases[] = {
        {"turn off", false, 1001, true, true},
        {"keep", false, 1002, true, false},
        {"cancel", false, 0, false, false /* unchanged from the preset value */},
        {"a script turns it off without a dialog", true, -1, true, true},
    };
    for (const DialogCase& c : cases) {
        plsim::setScriptActive(c.script);
        plsim::clearTranscript();
        if (c.button == 0) plsim::queueCancel();
        if (c.button > 0) plsim::queueButton(c.button);
        bool turnOff = false;
        EXPECT_EQ(ZuredUDKMX::getTurnOffDefaultLighting(turnOff), c.expectedResult) << c.name;
        EXPECT_EQ(turnOff, c.expectedTurnOff) << c.name;
        EXPECT_EQ(plsim::pendingReplies(), 0u) << c.name;
        EXPECT_EQ(plsim::exhaustedPrompts(), 0) << c.name;
        EXPECT_TRUE(!c.script || takeTranscript().empty()) << "a script shows no dialog";
    }
    // Without its definitions the dialog cannot ask: default lighting stays.
    plsim::setScriptActive(false);
    const std::wstring folder = plsim::moduleDirectory();
    plsim::setModuleDirectory(folder + L"/no-such-folder");
    bool turnOff = false;
    EXPECT_TRUE(ZuredUDKMX::getTurnOffDefaultLighting(turnOff));
    EXPECT_FALSE(turnOff);
    plsim::setModuleDirectory(folder);
}

struct SunCase {
    const char* name;
    const wchar_t* defaultLighting;
    int button;  // 0: cancel, -1: no dialog
    bool callerLocks;
    int result;
    int defaultLightingAfter;
};

TEST_F(LightGuardTest, PopupSunWarningAnswersAndGivesBackOnlyItsOwnLock) {
    const SunCase cases[] = {
        {"default lighting already off", L"0", -1, false, 1, 0},
        {"turned off", L"1", 1001, false, 1, 0},
        {"cancelled", L"1", 0, false, 2, 1},
        {"kept, under the caller's write lock", L"1", 1002, true, 1, 1},
    };
    for (const SunCase& c : cases) {
        ASSERT_TRUE(plsim::setVar(L"DEFAULTLIGHTING", c.defaultLighting));
        ASSERT_EQ(c.callerLocks ? plDocManagerPtr()->lockDocument(drawing, PlAp::kWrite) : Plad::eOk, Plad::eOk);
        if (c.button == 0) plsim::queueCancel();
        if (c.button > 0) plsim::queueButton(c.button);
        EXPECT_EQ(ZuredUDKMX::PopupSunWarningDlg(), c.result) << c.name;
        EXPECT_EQ(getSysVarInt(L"DEFAULTLIGHTING"), c.defaultLightingAfter) << c.name;
        EXPECT_EQ(plsim::pendingReplies(), 0u) << c.name;
        EXPECT_EQ(drawing->lockCount(), c.callerLocks ? 1 : 0) << c.name;
        if (c.callerLocks) plDocManagerPtr()->unlockDocument(drawing);
    }
    // Without a lock, or without a drawing, it cannot ask.
    plsim::injectFault(plsim::Fault::DocumentLock);
    EXPECT_EQ(ZuredUDKMX::PopupSunWarningDlg(), 2);
    EXPECT_EQ(drawing->lockCount(), 0);
    plsim::closeDrawing(drawing);
    EXPECT_EQ(ZuredUDKMX::PopupSunWarningDlg(), 2);
}

struct VarCase {
    const char* name;
    plsim::VarType type;
    std::wstring value;
    int expected;
};

TEST_F(LightGuardTest, SystemVariablesOfEveryNumericTypeReadAsInt) {
    const VarCase cases[] = {
        {"short", plsim::VarType::Short, L"-7", -7},
        {"long", plsim::VarType::Long, L"100000", 100000},
        {"real truncates", plsim::VarType::Real, L"2.9", 2},
        {"negative real truncates toward zero", plsim::VarType::Real, L"-2.9", -2},
        {"real too large", plsim::VarType::Real, L"1e12", -1},
        {"real too small", plsim::VarType::Real, L"-1e12", -1},
        {"largest int", plsim::VarType::Real, L"2147483647.5", 2147483647},
        {"text", plsim::VarType::Text, L"12", -1},
    };
    for (const VarCase& c : cases) {
        plsim::defineVar(L"TESTVAR", c.type, c.value);
        EXPECT_EQ(getSysVarInt(L"TESTVAR"), c.expected) << c.name;
    }
    EXPECT_EQ(getSysVarInt(L"NOSUCHVARIABLE"), -1);
}

TEST_F(LightGuardTest, SwitchingDefaultLightingOffNeedsTheVariable) {
    EXPECT_TRUE(turnOffDefaultLighting());
    EXPECT_EQ(getSysVarInt(L"DEFAULTLIGHTING"), 0);
    plsim::removeVar(L"DEFAULTLIGHTING");
    EXPECT_FALSE(turnOffDefaultLighting());
}

// A caller's write lock left alone is guarded by the context menu's and the sun warning's tests, a failed
// lock holding nothing by the fault sweep (no document is left locked after any command).
TEST_F(LightGuardTest, TheDocumentLockHoldsNothingOnFailureAndReleaseKeepsTheLock) {
    DocLock lock;
    EXPECT_EQ(lock.lockDocument(nullptr, PlAp::kWrite, nullptr, nullptr), Plad::eNoDocument);
    EXPECT_EQ(lock.lockDatabase(nullptr, PlAp::kWrite, nullptr, nullptr), Plad::eNoDatabase);
    EXPECT_EQ(lock.lockObject(PlDbObjectId(), PlAp::kWrite, nullptr, nullptr), Plad::eNullObjectId);
    EXPECT_EQ(lock.unlock(), Plad::eOk) << "nothing held";

    ASSERT_EQ(lock.lockDatabase(drawing->database(), PlAp::kWrite, L"TEST", L"TEST"), Plad::eOk);
    EXPECT_EQ(lock.document(), drawing) << "the document of the database";
    EXPECT_TRUE(drawing->myLockMode() & PlAp::kWrite);
    lock.release();
    EXPECT_EQ(lock.document(), nullptr);
    EXPECT_EQ(drawing->lockCount(), 1) << "release must not unlock";
    plDocManagerPtr()->unlockDocument(drawing);
}

}  // namespace
