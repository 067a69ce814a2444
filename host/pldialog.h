// Host dialogs driven by parameter objects (file navigation and the like), and the host's heap.
#pragma once

#include <cstddef>

#include "host/plexport.h"
#include "host/plrx.h"
#include "host/plstring.h"

/// Objects allocated on the host's heap. The host keeps each block until it is freed, so an
/// object that a module keeps for the whole session (a dialog) remains the host's to account
/// for after the module that made it has gone.
class PLHOST_API PlHeapOperators {
public:
    static void* operator new(std::size_t size);
    static void operator delete(void* block) noexcept;
    static void* operator new(std::size_t, void* where) noexcept { return where; }
    static void operator delete(void*, void*) noexcept {}
};

/// Parameters handed to a host dialog and read back after it closed.
class PLHOST_API PlApHostDialogParams : public PlRxObject, public PlHeapOperators {
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

/// A dialog the host shows for a module.
class PLHOST_API IPlApHostDialog : public PlHeapOperators {
public:
    /// Shows the dialog with `params`, which it reads and writes; how it closed is
    /// params->returnCode(). 0 when it was shown.
    [[nodiscard]] virtual Plad::ErrorStatus showDialog(PlApHostDialogParams* params) = 0;
    virtual ~IPlApHostDialog();
};

/// The host's side of a module's dialog, made with the file name of the module it serves
/// ("PlZuredUD.vmx"): the host finds the dialog for a kind of parameters through it.
class PLHOST_API PlApHostDialogImp : public PlHeapOperators {
public:
    explicit PlApHostDialogImp(const wchar_t* moduleFileName);
    ~PlApHostDialogImp();
    PlApHostDialogImp(const PlApHostDialogImp&) = delete;
    PlApHostDialogImp& operator=(const PlApHostDialogImp&) = delete;

    const wchar_t* moduleFileName() const { return m_module.kwszPtr(); }
    /// Shows the dialog that takes parameters of params' class. 0 when one was shown;
    /// 3, with the return code 0, when the host has none for that class or cannot reach it.
    Plad::ErrorStatus show(PlApHostDialogParams* params);

private:
    PlString m_module;
};

/// A module's dialog; it owns its host side.
class PLHOST_API PlApHostDialog : public IPlApHostDialog {
public:
    /// Takes `imp` over.
    explicit PlApHostDialog(PlApHostDialogImp* imp);
    ~PlApHostDialog() override;
    PlApHostDialog(const PlApHostDialog&) = delete;
    PlApHostDialog& operator=(const PlApHostDialog&) = delete;

    [[nodiscard]] Plad::ErrorStatus showDialog(PlApHostDialogParams* params) override;

private:
    PlApHostDialogImp* m_imp;
};
