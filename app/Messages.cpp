// Message loading: the application's resource module and the module-wide holder.
#include "app/Messages.h"

#include "app/ZuredUDKMX.h"
#include "host/pled.h"
#include "host/plres.h"

namespace {

const wchar_t kResourceModuleName[] = L"PlSceneRes.dll";

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

PlString loadMessage(const ZuredUDKMX* app, unsigned id) {
    if (!app) return resourceMissingText(L"");
    // The resource module handle is loaded lazily; loading does not change
    // what the application is, only what it has at hand.
    auto* mutableApp = const_cast<ZuredUDKMX*>(app);
    if (!mutableApp->ensureResourceModule()) return resourceMissingText(app->resourceModuleName());
    PlString text;
    text.loadString(PlRxResourceInstance(app->resourceModule()), id);
    return text;
}

PlString loadMessage(unsigned id) { return loadMessage(ZuredUDKMX::app(), id); }

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
