// Host dialogs driven by parameter objects (file navigation and the like).
#pragma once

#include "host/plexport.h"
#include "host/plrx.h"

/// Parameters handed to a host dialog and read back after it closed.
class PLHOST_API PlApHostDialogParams : public PlRxObject {
public:
    PlApHostDialogParams();
    PlApHostDialogParams(const PlApHostDialogParams&) = default;
    PlApHostDialogParams& operator=(const PlApHostDialogParams&) = default;
    ~PlApHostDialogParams() override;

    /// How the dialog closed: 1 accepted, 2 cancelled, 0 not shown.
    int returnCode() const { return m_returnCode; }
    void setReturnCode(int code) { m_returnCode = code; }

    PlRxClass* isA() const override;
    static PlRxClass* desc();

private:
    int m_returnCode = 0;
};
