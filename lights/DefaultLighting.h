// The default-lighting question, its exported forms, and the check-box callback of the
// distant-light warning.
#pragma once

#include <cstdint>

#include "common/PlZuredUDExport.h"

/// Where the host finds the module's task dialogs.
inline constexpr wchar_t kTaskDialogs[] = L"/PlTaskDialogs;component/TaskDialogs.xaml";

class INlHostActiveTaskDialog;
struct NlHostTaskDialogEventArgs;

/// Asks whether default lighting is to be switched off (a script always
/// answers yes). False: the user cancelled.
PLZUREDUD_API bool getTurnOffDefaultLighting(bool& turnOff);

/// Task-dialog callback of the distant-light warning: the verification check
/// box enables button 1001 while it is clear.
PLZUREDUD_API bool DistantLightCheckBoxCallBack(INlHostActiveTaskDialog* dialog,
                                                const NlHostTaskDialogEventArgs& args, std::uint64_t userData);

/// The default-lighting question for other modules, under a write lock of the
/// active document: 1 go on, 2 stop.
int sunWarning();
