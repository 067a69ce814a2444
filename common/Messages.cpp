// Message loading: the application's resource module and the module-wide holder.
#include "common/Messages.h"

#include "host/pled.h"

namespace {

/// The module-wide resource holder: independent of the application object.
struct ModuleResources {
    PlResModuleHandle handle = nullptr;
    PlString name{kResourceModuleName};
};

ModuleResources& moduleResources() {
    static ModuleResources holder;
    return holder;
}

}  // namespace

PlString resourceMissingText(const wchar_t* moduleName) {
    PlString text;
    text.format(L"Resource dll: \"%s\" could not be loaded.", moduleName ? moduleName : L"");
    return text;
}

PlString loadMessage(unsigned id) {
    const wchar_t* missingName = L"";
    const PlResModuleHandle module = applicationResources(&missingName);
    if (!module) return resourceMissingText(missingName);
    PlString text;
    text.loadString(PlRxResourceInstance(module), id);
    return text;
}

void printMessage(unsigned id) { plutPrintf(L"%s", loadMessage(id).kwszPtr()); }

PlString fillMessageArgument(const PlString& message, const wchar_t* argument) {
    // The argument is often what the user typed: it is inserted as text and
    // never read as a format. Only "%s" (or "%ls") and "%%" are understood.
    const std::wstring& in = message.str();
    std::wstring out;
    bool filled = false;
    for (std::size_t i = 0; i < in.size(); ++i) {
        if (in[i] == L'%' && i + 1 < in.size()) {
            if (in[i + 1] == L'%') { out += L'%'; ++i; continue; }
            const std::size_t skip = in.compare(i + 1, 2, L"ls") == 0 ? 2 : (in[i + 1] == L's' ? 1 : 0);
            if (skip && !filled) {
                out += argument ? argument : L"";
                filled = true;
                i += skip;
                continue;
            }
        }
        out += in[i];
    }
    return PlString(std::move(out));
}

void printMessage(unsigned id, const wchar_t* argument) {
    plutPrintf(L"%s", fillMessageArgument(loadMessage(id), argument).kwszPtr());
}

PlString loadModuleMessage(unsigned id) {
    ModuleResources& holder = moduleResources();
    if (!holder.handle) holder.handle = PlUtResource::loadDll(holder.name.kwszPtr(), 0, 0);
    if (!holder.handle) return resourceMissingText(holder.name.kwszPtr());
    PlString text;
    text.loadString(PlRxResourceInstance(holder.handle), id);
    return text;
}

void releaseModuleMessages() {
    ModuleResources& holder = moduleResources();
    if (holder.handle) {
        PlUtResource::freeDll(holder.handle, 0);
        holder.handle = nullptr;
    }
}
