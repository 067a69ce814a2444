// Guards the light commands' viewport and default-lighting guard: which answers
// switch default lighting off, what a cancel leaves, and the dialog's lock.
#include <map>

#include "common/Messages.h"
#include "common/SysVars.h"
#include "app/ZuredUDKMX.h"
#include "host/nltaskdialog.h"
#include "host/pldocs.h"
#include "support/host_fixture.h"

namespace {

class LightGuardTest : public HostTest {};

TEST_F(LightGuardTest, ViewportOneRefusesWithOneMessageAndAsksNothing) {
    ASSERT_TRUE(plsim::setVar(L"CVPORT", L"1"));
    plsim::queueButton(1001);
    ZuredUDKMX::doLightCommand(kLightSpot);
    EXPECT_EQ(takeTranscript(), loadMessage(msg::kNotInThisViewport).str());
    EXPECT_EQ(plsim::pendingReplies(), 1u) << "no question may be asked in viewport 1";
    EXPECT_EQ(getSysVarInt(L"DEFAULTLIGHTING"), 1);
}

struct DialogCase {
    const char* name;
    bool cancel;
    int button;
    bool expectedResult;
    bool expectedTurnOff;
};

TEST_F(LightGuardTest, DefaultLightingQuestionAnswers) {
    const DialogCase cases[] = {
        {"turn off", false, 1001, true, true},
        {"keep", false, 1002, true, false},
        {"cancel", true, 0, false, true /* unchanged from the preset value */},
    };
    for (const DialogCase& c : cases) {
        plsim::clearReplies();
        if (c.cancel) plsim::queueCancel();
        else plsim::queueButton(c.button);
        bool turnOff = true;
        EXPECT_EQ(ZuredUDKMX::getTurnOffDefaultLighting(turnOff), c.expectedResult) << c.name;
        EXPECT_EQ(turnOff, c.expectedTurnOff) << c.name;
        EXPECT_EQ(plsim::pendingReplies(), 0u) << c.name;
    }
}

TEST_F(LightGuardTest, AScriptTurnsDefaultLightingOffWithoutADialog) {
    plsim::setScriptActive(true);
    bool turnOff = false;
    EXPECT_TRUE(ZuredUDKMX::getTurnOffDefaultLighting(turnOff));
    EXPECT_TRUE(turnOff);
    EXPECT_EQ(plsim::exhaustedPrompts(), 0);
    EXPECT_EQ(takeTranscript(), L"");
}

TEST_F(LightGuardTest, MissingDialogDefinitionsKeepDefaultLighting) {
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

TEST_F(LightGuardTest, PopupSunWarningNeedsAnActiveDocumentAndALock) {
    plsim::closeDrawing(drawing);
    EXPECT_EQ(ZuredUDKMX::PopupSunWarningDlg(), 2);

    drawing = plsim::openDrawing(L"Drawing2");
    plsim::injectFault(plsim::Fault::DocumentLock);
    EXPECT_EQ(ZuredUDKMX::PopupSunWarningDlg(), 2);
    EXPECT_EQ(drawing->lockCount(), 0);
}

TEST_F(LightGuardTest, PopupSunWarningAnswers) {
    ASSERT_TRUE(plsim::setVar(L"DEFAULTLIGHTING", L"0"));
    EXPECT_EQ(ZuredUDKMX::PopupSunWarningDlg(), 1);
    EXPECT_EQ(drawing->lockCount(), 0) << "the lock taken must be released";

    ASSERT_TRUE(plsim::setVar(L"DEFAULTLIGHTING", L"1"));
    plsim::queueButton(1001);
    EXPECT_EQ(ZuredUDKMX::PopupSunWarningDlg(), 1);
    EXPECT_EQ(getSysVarInt(L"DEFAULTLIGHTING"), 0);

    ASSERT_TRUE(plsim::setVar(L"DEFAULTLIGHTING", L"1"));
    plsim::queueCancel();
    EXPECT_EQ(ZuredUDKMX::PopupSunWarningDlg(), 2);
    EXPECT_EQ(getSysVarInt(L"DEFAULTLIGHTING"), 1);
    EXPECT_EQ(drawing->lockCount(), 0);
}

TEST_F(LightGuardTest, PopupSunWarningKeepsTheCallersWriteLock) {
    ASSERT_EQ(plDocManagerPtr()->lockDocument(drawing, PlAp::kWrite, nullptr, nullptr, false), Plad::eOk);
    plsim::queueButton(1002);
    EXPECT_EQ(ZuredUDKMX::PopupSunWarningDlg(), 1);
    EXPECT_EQ(drawing->lockCount(), 1);
    EXPECT_EQ(getSysVarInt(L"DEFAULTLIGHTING"), 1);
    plDocManagerPtr()->unlockDocument(drawing);
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
    args.verificationChecked = true;
    EXPECT_FALSE(DistantLightCheckBoxCallBack(&dialog, args, 0));
    EXPECT_EQ(dialog.states.at(1001), false);
    args.verificationChecked = false;
    EXPECT_FALSE(DistantLightCheckBoxCallBack(&dialog, args, 0));
    EXPECT_EQ(dialog.states.at(1001), true);

    RecordingDialog other;
    args.notification = NlHostTaskDialogEventArgs::kButtonClicked;
    EXPECT_FALSE(DistantLightCheckBoxCallBack(&other, args, 0));
    EXPECT_TRUE(other.states.empty());
}

}  // namespace
