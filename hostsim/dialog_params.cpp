// PlApHostDialogParams: the base of the parameters that host dialogs take.
#include "host/pldialog.h"

#include "hostsim/internal.h"

PlApHostDialogParams::PlApHostDialogParams() = default;
PlApHostDialogParams::~PlApHostDialogParams() = default;

PlRxClass* PlApHostDialogParams::isA() const { return desc(); }

PlRxClass* PlApHostDialogParams::desc() {
    static PlRxClass* cls = plsim::detail::registerBuiltinClass(L"PlApHostDialogParams", L"PlRxObject");
    return cls;
}
