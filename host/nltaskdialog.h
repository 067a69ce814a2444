// Task dialogs of the hostable user interface: loaded by id from a definitions file.
#pragma once

#include <cstdint>

#include "host/plexport.h"

/// A key and the value that replaces "{key}" in a dialog's texts.
struct NlHostKeyValue {
    const wchar_t* key;
    const wchar_t* value;
};

/// What happened in a shown dialog.
struct NlHostTaskDialogEventArgs {
    enum Notification : int {
        kCreated = 0,
        kButtonClicked = 2,
        kVerificationClicked = 8,
    };
    int notification = kCreated;
    int buttonId = 0;               ///< with kButtonClicked
    bool verificationChecked = false;  ///< with kVerificationClicked: the check box's new state
};

/// The dialog while it is shown.
class INlHostActiveTaskDialog {
public:
    /// Enables (true) or disables a command button.
    virtual void setButtonEnabled(int buttonId, bool enabled) = 0;
    virtual bool isVerificationChecked() const = 0;

protected:
    ~INlHostActiveTaskDialog() = default;
};

/// Called on every event of a shown dialog. Answering true keeps a clicked
/// button from closing the dialog.
using NlHostTaskDialogCallback = bool (*)(INlHostActiveTaskDialog* dialog,
                                          const NlHostTaskDialogEventArgs& args, std::uint64_t userData);

class PLHOST_API NlHostTaskDialog {
public:
    NlHostTaskDialog();
    ~NlHostTaskDialog();
    NlHostTaskDialog(const NlHostTaskDialog&) = delete;
    NlHostTaskDialog& operator=(const NlHostTaskDialog&) = delete;

    /// Loads dialog `dialogId` from the definitions `file`, a component path
    /// "/Assembly;component/File". False when the file or the id is missing.
    bool loadFromFile(const wchar_t* file, const wchar_t* dialogId,
                      const NlHostKeyValue* substitutions, int count);
    void setCallback(NlHostTaskDialogCallback callback, std::uint64_t userData = 0);
    /// Shows the loaded dialog and answers the id of the button that closed
    /// it; 2 (cancel) when it was closed otherwise, -1 when nothing is loaded.
    int showDialog(void* parentWindow);

    enum : int { kCancelled = 2 };  // an enumerator: importers need no exported data

private:
    struct Impl;
    Impl* m_impl;
};

/// The host's main window, the parent of module dialogs.
PLHOST_API void* plHostMainWindow();
