// Message loading: the application's resource module and the module-wide holder.
#include "common/Messages.h"

#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

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

using MessageTexts = std::unordered_map<unsigned, PlString>;

/// The texts loadMessage has read, for the module they were read from (or,
/// while none could be loaded, for the missing module's name). Texts read for
/// an earlier module are kept aside, not destroyed, until forgetLoadedMessages:
/// a caller may still hold one.
struct LoadedMessages {
    bool filled = false;
    PlResModuleHandle module = nullptr;
    std::wstring missingName;
    MessageTexts texts;
    std::vector<MessageTexts> earlier;
};

/// Made on first use and deleted by forgetLoadedMessages, which the application
/// calls before the module is unloaded: no static destructor runs over it.
LoadedMessages* g_loaded = nullptr;

}  // namespace

PlString resourceMissingText(const wchar_t* moduleName) {
    PlString text;
    text.format(L"Resource dll: \"%s\" could not be loaded.", moduleName ? moduleName : L"");
    return text;
}

const PlString& loadMessage(unsigned id) {
    const wchar_t* missingName = L"";
    const PlResModuleHandle module = applicationResources(&missingName);
    if (!g_loaded) g_loaded = new LoadedMessages;
    LoadedMessages& loaded = *g_loaded;
    if (!loaded.filled || module != loaded.module || (!module && loaded.missingName != missingName)) {
        if (!loaded.texts.empty()) {
            loaded.earlier.emplace_back();
            loaded.earlier.back().swap(loaded.texts);
        }
        loaded.filled = true;
        loaded.module = module;
        loaded.missingName = module ? L"" : missingName;
    }
    if (const auto found = loaded.texts.find(id); found != loaded.texts.end()) return found->second;
    PlString text;
    if (module) {
        text.loadString(PlRxResourceInstance(module), id);
    } else {
        text = resourceMissingText(missingName);
    }
    return loaded.texts.emplace(id, std::move(text)).first->second;
}

void forgetLoadedMessages() {
    delete g_loaded;
    g_loaded = nullptr;
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
