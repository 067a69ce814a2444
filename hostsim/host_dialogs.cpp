// Module dialogs shown by the host, the web-file dialog among them, and the host's heap.
#include "host/pldialog.h"

#include <new>
#include <string>
#include <unordered_set>

#include "host/pled.h"
#include "hostsim/internal.h"

namespace {

/// Every block of the host's heap not yet freed. Never destroyed: blocks may outlive
/// every other static object.
std::unordered_set<void*>& heapBlocks() {
    static auto* blocks = new std::unordered_set<void*>;
    return *blocks;
}

/// The caller's file name, reached through the accessor the module exports with its
/// parameters class, as the host's own dialog reaches it. The name is the accessor's symbol
/// under the C++ ABI both systems build with (Itanium; MinGW-w64 on Windows).
using FileNameAccessor = PlString& (*)(const PlApHostDialogParams*);
constexpr const char* kWebFileNameSymbol = "_ZNK24PlApHostIESFileNavParams8fileNameEv";

/// The web-file dialog: asks one line, "Select a web file <current name>: ". A name
/// accepts (return code 1) and becomes the file name; Enter or a cancel closes it (2).
Plad::ErrorStatus showWebFileDialog(const std::wstring& module, PlApHostDialogParams& params) {
    const auto accessor = reinterpret_cast<FileNameAccessor>(plsim::detail::moduleSymbol(module, kWebFileNameSymbol));
    if (!accessor) {
        params.setReturnCode(0);
        plsim::detail::emit(L"The web-file dialog cannot reach the file name of " + module + L".\n");
        return Plad::eInvalidInput;
    }
    PlString& fileName = accessor(&params);
    const PlString prompt = PlString(L"Select a web file <") + fileName + L">: ";
    PlString reply;
    if (pledGetString(1, prompt.kwszPtr(), reply) == PLRTNORM && !reply.isEmpty()) {
        fileName = reply;
        params.setReturnCode(1);
    } else {
        params.setReturnCode(2);
    }
    return Plad::eOk;
}

}  // namespace

void* PlHeapOperators::operator new(std::size_t size) {
    void* block = ::operator new(size);
    heapBlocks().insert(block);
    return block;
}

void PlHeapOperators::operator delete(void* block) noexcept {
    if (!block) return;
    heapBlocks().erase(block);
    ::operator delete(block);
}

IPlApHostDialog::~IPlApHostDialog() = default;

PlApHostDialogImp::PlApHostDialogImp(const wchar_t* moduleFileName) : m_module(moduleFileName) {}
PlApHostDialogImp::~PlApHostDialogImp() = default;

Plad::ErrorStatus PlApHostDialogImp::show(PlApHostDialogParams* params) {
    if (!params) return Plad::eNullObjectPointer;
    const PlRxClass* cls = params->isA();
    const std::wstring className = cls ? cls->name() : L"(an unregistered class)";
    if (className == L"PlApHostIESFileNavParams") return showWebFileDialog(m_module.str(), *params);
    params->setReturnCode(0);
    plsim::detail::emit(L"The host has no dialog for parameters of " + className + L".\n");
    return Plad::eInvalidInput;
}

PlApHostDialog::PlApHostDialog(PlApHostDialogImp* imp) : m_imp(imp) {}
PlApHostDialog::~PlApHostDialog() { delete m_imp; }

Plad::ErrorStatus PlApHostDialog::showDialog(PlApHostDialogParams* params) {
    if (!m_imp) return Plad::eNullObjectPointer;
    return m_imp->show(params);
}
