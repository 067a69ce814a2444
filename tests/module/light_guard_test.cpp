// Guards the light commands' viewport and default-lighting guard: which answers
// switch default lighting off, what a cancel leaves, and the dialog's lock.
#include <map>

#include "app/ZuredUDKMX.h"
#include "common/Messages.h"
#include "common/SysVars.h"
#include "host/nltaskdialog.h"
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

TEST_F(LightGuardTest, CancellingTheQuestionEndsTheCommandSilently) {
    plsim::queueCancel();
    plsim::clearTranscript();
    ZuredUDKMX::doLightCommand(kLightPoint);
    EXPECT_EQ(getSysVarInt(L"DEFAULTLIGHTING"), 1);
    EXPECT_EQ(plsim::pendingReplies(), 0u);
    EXPECT_EQ(takeTranscript().find(loadMessage(msg::kLightNotCreated).str()), std::wstring::npos);
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

class RecordingDialog final : public INlHostActiveTaskDialog {
public:
    void setButtonEnabled(int buttonId, bool enabled) override { states[buttonId] = enabled; }
    bool isVerificationChecked() const override { return false; }
    std::map<int, bool> states;
};

TEST(DistantLightCallback, CheckBoxDisablesTheFirstButton) {
    RecordingDialog dialog;
    NlHostTaskDialogEventArgs args;
    args.notification = NlHostTaskDialogEventArgs::kVerificationClicked;
    for (const bool checked : {true, false}) {
        args.verificationChecked = checked;
        EXPECT_FALSE(DistantLightCheckBoxCallBack(&dialog, args, 0));
        EXPECT_EQ(dialog.states.at(1001), !checked);
    }
    RecordingDialog other;
    args.notification = NlHostTaskDialogEventArgs::kButtonClicked;
    EXPECT_FALSE(DistantLightCheckBoxCallBack(&other, args, 0));
    EXPECT_TRUE(other.states.empty());
}

}  // namespace
