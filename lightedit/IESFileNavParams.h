// PlApHostIESFileNavParams: carries the web-file name into and out of the host's web-file dialog.
#pragma once

#include "common/PlZuredUDExport.h"
#include "host/pldialog.h"
#include "host/plstring.h"

class PLZUREDUD_API PlApHostIESFileNavParams : public PlApHostDialogParams {
public:
    PlApHostIESFileNavParams();
    /// The copy refers to the same caller string as `other`.
    PlApHostIESFileNavParams(const PlApHostIESFileNavParams& other);
    PlApHostIESFileNavParams& operator=(const PlApHostIESFileNavParams& other);
    ~PlApHostIESFileNavParams() override;

    PlRxClass* isA() const override;

    /// The caller's file name; valid only after setFileName.
    PlString& fileName() const;
    /// Refers to `name` (not copied): the dialog reads and writes it there.
    void setFileName(PlString& name);

    /// `object` when its class derives from this one; null otherwise.
    static PlApHostIESFileNavParams* cast(const PlRxObject* object);
    static const wchar_t* className();
    static PlRxClass* desc();
    /// Registers the class with the host once.
    static void rxInit();
    /// Removes the class from the host.
    static void rxUninit();

    static PlRxClass* gpDesc;

private:
    struct Record;
    Record* m_record;
};
