// PlApHostDialogIESFileNav: the host's web-file dialog, one for the whole session.
#pragma once

#include "common/PlZuredUDExport.h"
#include "host/pldialog.h"

class PLZUREDUD_API PlApHostDialogIESFileNav : public PlApHostDialog {
public:
    /// The dialog, made on the first call (safely, should two come at once) and never destroyed.
    static PlApHostDialogIESFileNav* instance();
    ~PlApHostDialogIESFileNav() override;

private:
    explicit PlApHostDialogIESFileNav(PlApHostDialogImp* imp);
};
