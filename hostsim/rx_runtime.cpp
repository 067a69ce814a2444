// The runtime: objects and class descriptors, the class registry, dictionaries, the
// system registry, services and the fatal-error exit.
#include "host/plrx.h"

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <string>
#include <utility>

#include "host/pledcmd.h"
#include "hostsim/internal.h"

// ---- Class descriptors -----------------------------------------------------

struct PlRxClass::Impl {
    std::wstring name;
    std::wstring appName;
    std::wstring dxfName;
    PlRxClass* parent = nullptr;
    PlRxPseudoConstructor pseudoConstructor = nullptr;
    int proxyFlags = 0;
    bool builtin = false;     ///< the host's own: never deleted
    unsigned children = 0;    ///< registered classes whose parent this is
};

/// Makes descriptors and reads what only the registry needs to know of them.
struct PlRxClassAccess {
    static PlRxClass* make(const wchar_t* name, PlRxClass* parent, bool builtin, int proxyFlags,
                           PlRxPseudoConstructor constructor, const wchar_t* dxfName, const wchar_t* appName) {
        auto* impl = new PlRxClass::Impl;
        impl->name = name;
        impl->appName = appName ? appName : L"";
        impl->dxfName = dxfName ? dxfName : L"";
        impl->parent = parent;
        impl->pseudoConstructor = constructor;
        impl->proxyFlags = proxyFlags;
        impl->builtin = builtin;
        if (parent) ++parent->m_impl->children;
        auto* cls = new PlRxClass();
        cls->m_impl = impl;
        return cls;
    }
    /// Whether the registry may delete the class: not the host's own, and no
    /// registered class derives from it.
    static bool deletable(const PlRxClass* cls) { return !cls->m_impl->builtin && cls->m_impl->children == 0; }
    static void dropChild(PlRxClass* parent) { --parent->m_impl->children; }
};

namespace {

/// The class registry and the system registry. Made on first use and never
/// destroyed: modules unregister from their own static destructors, which may
/// run after ours.
struct Runtime {
    PlRxDictionary* classes = new PlRxDictionary;
    PlRxDictionary* registry = new PlRxDictionary;
    std::function<void(const std::wstring&)> abortHandler;
};

PlRxClass* registered(const Runtime& rt, const std::wstring& name) {
    return dynamic_cast<PlRxClass*>(rt.classes->at(name.c_str()));
}

/// Registers a class under an existing parent (null parent: the root).
PlRxClass* addClass(Runtime& rt, const wchar_t* name, PlRxClass* parent, bool builtin, int proxyFlags,
                    PlRxPseudoConstructor constructor, const wchar_t* dxfName, const wchar_t* appName) {
    PlRxClass* cls = PlRxClassAccess::make(name, parent, builtin, proxyFlags, constructor, dxfName, appName);
    rt.classes->atPut(name, cls);
    return cls;
}

PlRxClass* addBuiltin(Runtime& rt, const wchar_t* name, const wchar_t* parentName) {
    if (PlRxClass* existing = registered(rt, name)) return existing;
    PlRxClass* parent = registered(rt, parentName ? parentName : L"PlRxObject");
    if (!parent) return nullptr;
    return addClass(rt, name, parent, true, 0, nullptr, nullptr, L"plhost");
}

Runtime* makeRuntime() {
    auto* rt = new Runtime;
    addClass(*rt, L"PlRxObject", nullptr, true, 0, nullptr, nullptr, L"plhost");
    const wchar_t* const builtins[][2] = {
        {L"PlRxClass", L"PlRxObject"},
        {L"PlRxDictionary", L"PlRxObject"},
        {L"PlRxService", L"PlRxObject"},
        {L"PlRxDynamicLinker", L"PlRxObject"},
        {L"PlEdCommandStack", L"PlRxObject"},
        {L"PlEdCommand", L"PlRxObject"},
        {L"PlDbObject", L"PlRxObject"},
        {L"PlDbEntity", L"PlDbObject"},
        {L"PlDbBlockTableRecord", L"PlDbObject"},
        {L"PlDbLayerTableRecord", L"PlDbObject"},
        {L"PlDbDatabase", L"PlRxObject"},
        {L"PlDbDatabaseReactor", L"PlRxObject"},
        {L"PlApHostDialogParams", L"PlRxObject"},
        {L"PlDbDictionary", L"PlDbObject"},
        {L"PlDbViewTable", L"PlDbObject"},
        {L"PlDbViewTableRecord", L"PlDbObject"},
        {L"PlDbCurve", L"PlDbEntity"},
        {L"PlDbLine", L"PlDbCurve"},
        {L"PlDbArc", L"PlDbCurve"},
        {L"PlDbCircle", L"PlDbCurve"},
        {L"PlDbEllipse", L"PlDbCurve"},
        {L"PlDbPolyline", L"PlDbCurve"},
        {L"PlDb3dPolyline", L"PlDbCurve"},
        {L"PlDbSpline", L"PlDbCurve"},
        {L"PlDb2dPolyline", L"PlDbCurve"},
        {L"PlDbText", L"PlDbEntity"},
        {L"PlDbRegion", L"PlDbEntity"},
        {L"PlEdUIContext", L"PlRxObject"},
    };
    for (const auto& entry : builtins) addBuiltin(*rt, entry[0], entry[1]);

    rt->registry->atPut(L"ClassDictionary", rt->classes);
    rt->registry->atPut(L"DynamicLinker", new PlRxDynamicLinker);
    rt->registry->atPut(L"ServiceDictionary", new PlRxDictionary);
    rt->registry->atPut(L"PLAD_REGISTERED_COMMANDS", new PlEdCommandStack);
    return rt;
}

Runtime& runtime() {
    static Runtime* const rt = makeRuntime();
    return *rt;
}

/// A host class by name, for the desc() of the host's own classes (which are
/// never deleted, so the pointer may be kept).
PlRxClass* builtinClass(const wchar_t* name) { return registered(runtime(), name); }

PlRxDictionary* serviceDictionary() {
    PlRxObject* entry = plrxSysRegistry()->at(L"ServiceDictionary");
    return (entry && entry->isKindOf(PlRxDictionary::desc())) ? static_cast<PlRxDictionary*>(entry) : nullptr;
}

bool isEmpty(const wchar_t* text) { return !text || !*text; }

}  // namespace

PlRxClass::~PlRxClass() {
    plsim::detail::forgetContextMenusOf(this);
    Runtime& rt = runtime();
    if (registered(rt, m_impl->name) == this) rt.classes->remove(m_impl->name.c_str());
    if (m_impl->parent) PlRxClassAccess::dropChild(m_impl->parent);
    delete m_impl;
}

const wchar_t* PlRxClass::name() const { return m_impl->name.c_str(); }
const wchar_t* PlRxClass::appName() const { return m_impl->appName.c_str(); }
PlRxClass* PlRxClass::myParent() const { return m_impl->parent; }

bool PlRxClass::isDerivedFrom(const PlRxClass* other) const {
    if (!other) return false;
    for (const PlRxClass* cls = this; cls; cls = cls->m_impl->parent) {
        if (cls == other) return true;
    }
    return false;
}

PlRxObject* PlRxClass::create() const {
    return m_impl->pseudoConstructor ? m_impl->pseudoConstructor() : nullptr;
}

PlRxClass* PlRxClass::isA() const { return desc(); }

PlRxClass* PlRxClass::desc() {
    static PlRxClass* const cls = builtinClass(L"PlRxClass");
    return cls;
}

PlRxClass* newPlRxClass(const wchar_t* name, const wchar_t* parentName, int proxyFlags,
                        PlRxPseudoConstructor pseudoConstructor, const wchar_t* dxfName, const wchar_t* appName) {
    if (isEmpty(name) || isEmpty(parentName)) return nullptr;
    Runtime& rt = runtime();
    if (registered(rt, name)) return nullptr;
    PlRxClass* parent = registered(rt, parentName);
    if (!parent) return nullptr;
    return addClass(rt, name, parent, false, proxyFlags, pseudoConstructor, dxfName, appName);
}

PlRxClass* plrxFindPlRxClass(const wchar_t* name) {
    if (isEmpty(name)) return nullptr;
    return registered(runtime(), name);
}

bool deletePlRxClass(PlRxClass* cls) {
    if (!cls) return false;
    if (registered(runtime(), cls->name()) != cls || !PlRxClassAccess::deletable(cls)) return false;
    delete cls;
    return true;
}

namespace plsim::detail {

PlRxClass* registerBuiltinClass(const wchar_t* name, const wchar_t* parent) {
    if (isEmpty(name)) return nullptr;
    return addBuiltin(runtime(), name, parent);
}

}  // namespace plsim::detail

// ---- Objects -----------------------------------------------------------------

PlRxObject::~PlRxObject() = default;

PlRxClass* PlRxObject::isA() const { return desc(); }
PlRxObject* PlRxObject::clone() const { return nullptr; }
Plad::ErrorStatus PlRxObject::copyFrom(const PlRxObject* /*other*/) { return Plad::eInvalidInput; }
bool PlRxObject::isEqualTo(const PlRxObject* other) const { return other == this; }
int PlRxObject::comparedTo(const PlRxObject* /*other*/) const { return 0; }
PlRxObject* PlRxObject::subQueryX(const PlRxClass* /*protocolClass*/) const { return nullptr; }

bool PlRxObject::isKindOf(const PlRxClass* cls) const {
    const PlRxClass* mine = isA();
    return mine && mine->isDerivedFrom(cls);
}

PlRxClass* PlRxObject::desc() {
    static PlRxClass* const cls = builtinClass(L"PlRxObject");
    return cls;
}

// ---- Dictionaries ------------------------------------------------------------

/// Entries ordered by key; keys compare exactly (letter case counts).
struct PlRxDictionary::Impl {
    std::map<std::wstring, PlRxObject*, std::less<>> entries;
};

PlRxDictionary::PlRxDictionary() : m_impl(new Impl) {}
PlRxDictionary::~PlRxDictionary() { delete m_impl; }

PlRxObject* PlRxDictionary::at(const wchar_t* key) const {
    if (!key) return nullptr;
    const auto it = m_impl->entries.find(std::wstring_view(key));
    return it == m_impl->entries.end() ? nullptr : it->second;
}

PlRxObject* PlRxDictionary::atPut(const wchar_t* key, PlRxObject* object) {
    if (isEmpty(key)) return nullptr;
    // Storing nothing under a key is the same as removing it.
    if (!object) return remove(key);
    PlRxObject*& slot = m_impl->entries[key];
    PlRxObject* previous = slot;
    slot = object;
    return previous;
}

PlRxObject* PlRxDictionary::remove(const wchar_t* key) {
    if (!key) return nullptr;
    const auto it = m_impl->entries.find(std::wstring_view(key));
    if (it == m_impl->entries.end()) return nullptr;
    PlRxObject* object = it->second;
    m_impl->entries.erase(it);
    return object;
}

bool PlRxDictionary::has(const wchar_t* key) const { return at(key) != nullptr; }
unsigned PlRxDictionary::numEntries() const { return static_cast<unsigned>(m_impl->entries.size()); }
PlRxClass* PlRxDictionary::isA() const { return desc(); }

PlRxClass* PlRxDictionary::desc() {
    static PlRxClass* const cls = builtinClass(L"PlRxDictionary");
    return cls;
}

PlRxDictionary* plrxSysRegistry() { return runtime().registry; }

// ---- Services ----------------------------------------------------------------

PlRxService::PlRxService() = default;
PlRxService::~PlRxService() = default;
PlRxClass* PlRxService::isA() const { return desc(); }

PlRxClass* PlRxService::desc() {
    static PlRxClass* const cls = builtinClass(L"PlRxService");
    return cls;
}

PlRxObject* plrxRegisterService(const wchar_t* serviceName) {
    PlRxDictionary* services = serviceDictionary();
    if (isEmpty(serviceName) || !services || services->has(serviceName)) return nullptr;
    auto* service = new PlRxService;
    services->atPut(serviceName, service);
    return service;
}

bool plrxServiceIsRegistered(const wchar_t* serviceName) {
    const PlRxDictionary* services = serviceDictionary();
    return services && services->has(serviceName);
}

// ---- Fatal errors ------------------------------------------------------------

void plsim::setAbortHandler(std::function<void(const std::wstring&)> handler) {
    runtime().abortHandler = std::move(handler);
}

void plrx_abort(const wchar_t* format, ...) {
    std::va_list args;
    va_start(args, format);
    PlString message;
    message.formatV(format, args);
    va_end(args);

    const auto handler = runtime().abortHandler;
    if (handler) handler(message.str());  // it should not return; if it does, the host still ends

    plsim::finishOutputLine();
    plsim::detail::emit(L"Fatal error: " + message.str() + L"\n");
    std::fprintf(stderr, "Fatal error: %s\n", plsim::detail::toUtf8(message.str()).c_str());
    std::fflush(nullptr);
#if defined(_WIN32)
    std::_Exit(3);  // as abort() would, without the runtime's message box
#else
    std::abort();
#endif
}
