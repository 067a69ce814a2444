// PlApHostDialogIESFileNav: the web-file dialog, made on first use.
#include "lightedit/IESFileNavDialog.h"

namespace {
const wchar_t kModuleFileName[] = L"PlZuredUD.vmx";
}  // namespace

PlApHostDialogIESFileNav::PlApHostDialogIESFileNav(PlApHostDialogImp* imp) : PlApHostDialog(imp) {}
PlApHostDialogIESFileNav::~PlApHostDialogIESFileNav() = default;

// On the host's heap, which keeps it after the module has been unloaded.
PlApHostDialogIESFileNav* PlApHostDialogIESFileNav::instance() {
    static PlApHostDialogIESFileNav* const dialog = new PlApHostDialogIESFileNav(new PlApHostDialogImp(kModuleFileName));
    return dialog;
}
