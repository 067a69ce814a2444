// The default-lighting question: the task dialog, its exported form, and the
// check-box callback of the distant-light warning.
#include "common/DocLock.h"
#include "common/SysVars.h"
#include "host/nltaskdialog.h"
#include "host/pled.h"
#include "lights/DefaultLighting.h"

namespace {
const wchar_t kLightingModeDialog[] = L"ZuredUD.ViewportLightingMode";
constexpr int kTurnOffButton = 1001;
constexpr int kKeepButton = 1002;
}  // namespace

bool getTurnOffDefaultLighting(bool& turnOff) {
    if (pledIsLispOrScriptActive()) {
        turnOff = true;
        return true;
    }
    NlHostTaskDialog dialog;
    if (!dialog.loadFromFile(kTaskDialogs, kLightingModeDialog, nullptr, 1)) return true;
    switch (dialog.showDialog(nullptr)) {
        case kTurnOffButton:
            turnOff = true;
            return true;
        case kKeepButton:
            turnOff = false;
            return true;
        default:
            return false;
    }
}

int sunWarning() {
    constexpr int kGoOn = 1;
    constexpr int kStop = 2;
    PlApDocManager* docs = plDocManagerPtr();
    PlApDocument* doc = docs ? docs->mdiActiveDocument() : nullptr;
    if (!doc) return kStop;

    DocLock lock;  // takes nothing when the document is already locked for write
    if (lock.lockDocument(doc, PlAp::kWrite, nullptr, nullptr) != Plad::eOk) return kStop;

    if (getSysVarInt(L"DEFAULTLIGHTING") != 1) return kGoOn;
    bool turnOff = false;
    if (!getTurnOffDefaultLighting(turnOff)) return kStop;
    if (turnOff) turnOffDefaultLighting();
    return kGoOn;
}

bool DistantLightCheckBoxCallBack(INlHostActiveTaskDialog* dialog, const NlHostTaskDialogEventArgs& args,
                                  std::uint64_t /*userData*/) {
    if (dialog && args.notification == NlHostTaskDialogEventArgs::kVerificationClicked)
        dialog->setButtonEnabled(kTurnOffButton, !args.verificationChecked);
    return false;
}
