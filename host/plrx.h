// Runtime: objects and their class descriptors, the system registry, services, modules.
#pragma once

#include "host/plexport.h"
#include "host/plstatus.h"
#include "host/plstring.h"

class PlRxClass;

/// Base of every object the host knows by class.
class PLHOST_API PlRxObject {
public:
    virtual ~PlRxObject();
    /// The object's class descriptor.
    virtual PlRxClass* isA() const;
    virtual PlRxObject* clone() const;
    virtual Plad::ErrorStatus copyFrom(const PlRxObject* other);
    virtual bool isEqualTo(const PlRxObject* other) const;
    virtual int comparedTo(const PlRxObject* other) const;
    virtual PlRxObject* subQueryX(const PlRxClass* protocolClass) const;

    /// True when this object's class is `cls` or derives from it.
    bool isKindOf(const PlRxClass* cls) const;

    static PlRxClass* desc();

protected:
    PlRxObject() = default;
    PlRxObject(const PlRxObject&) = default;
    PlRxObject& operator=(const PlRxObject&) = default;
};

using PlRxPseudoConstructor = PlRxObject* (*)();

/// A class descriptor: a name and the descriptor of its parent.
class PLHOST_API PlRxClass : public PlRxObject {
public:
    const wchar_t* name() const;
    const wchar_t* appName() const;
    PlRxClass* myParent() const;
    /// True when this class is `other` or one of its descendants.
    bool isDerivedFrom(const PlRxClass* other) const;
    /// A new object of this class through its pseudo-constructor; null when it has none.
    PlRxObject* create() const;
    PlRxClass* isA() const override;
    static PlRxClass* desc();

    ~PlRxClass() override;
    PlRxClass(const PlRxClass&) = delete;
    PlRxClass& operator=(const PlRxClass&) = delete;

private:
    friend struct PlRxClassAccess;
    PlRxClass() = default;
    struct Impl;
    Impl* m_impl = nullptr;
};

/// Registers a class `name` under the registered class `parentName`. Null when
/// the parent is unknown or a class of that name already exists.
PLHOST_API PlRxClass* newPlRxClass(const wchar_t* name, const wchar_t* parentName,
                                   int proxyFlags = 0, PlRxPseudoConstructor pseudoConstructor = nullptr,
                                   const wchar_t* dxfName = nullptr, const wchar_t* appName = nullptr);
/// The registered class of that name, or null.
PLHOST_API PlRxClass* plrxFindPlRxClass(const wchar_t* name);
/// Unregisters and deletes a class. Refused (false) while other classes derive from it.
PLHOST_API bool deletePlRxClass(PlRxClass* cls);
/// Ends the host with the message: the host cannot go on.
[[noreturn]] PLHOST_API void plrx_abort(const wchar_t* format, ...);

/// A dictionary of named objects, ordered by key; keys compare exactly (letter
/// case counts). It owns none of them; storing null under a key removes it.
class PLHOST_API PlRxDictionary : public PlRxObject {
public:
    ~PlRxDictionary() override;
    PlRxObject* at(const wchar_t* key) const;
    /// Stores `object` under `key`; answers the object it replaced, or null.
    PlRxObject* atPut(const wchar_t* key, PlRxObject* object);
    /// Removes `key`; answers the object that was stored, or null.
    PlRxObject* remove(const wchar_t* key);
    bool has(const wchar_t* key) const;
    unsigned numEntries() const;
    PlRxClass* isA() const override;
    static PlRxClass* desc();

    PlRxDictionary();
    PlRxDictionary(const PlRxDictionary&) = delete;
    PlRxDictionary& operator=(const PlRxDictionary&) = delete;

private:
    struct Impl;
    Impl* m_impl;
};

/// The host's system registry: "DynamicLinker", "ServiceDictionary",
/// "PLAD_REGISTERED_COMMANDS", "ClassDictionary".
PLHOST_API PlRxDictionary* plrxSysRegistry();

/// A service object, registered under its name in the service dictionary.
class PLHOST_API PlRxService : public PlRxObject {
public:
    PlRxService();
    ~PlRxService() override;
    PlRxClass* isA() const override;
    static PlRxClass* desc();
};

/// The host's module loader.
class PLHOST_API PlRxDynamicLinker : public PlRxObject {
public:
    PlRxDynamicLinker();
    ~PlRxDynamicLinker() override;
    /// Lets the host unload the application `appHandle` on request.
    bool setAppUnloadable(void* appHandle);
    bool isAppUnloadable(void* appHandle) const;
    PlRxClass* isA() const override;
    static PlRxClass* desc();
};

/// Loads a host module ("PlSceneOE.dbx") by name; a module already loaded gains
/// a reference. False when it cannot be loaded.
PLHOST_API bool plrxLoadModule(const wchar_t* moduleName, bool printErrors, bool asCommand);
/// Drops one reference; the module is unloaded when none is left.
PLHOST_API bool plrxUnloadModule(const wchar_t* moduleName, bool asCommand);
PLHOST_API bool plrxAppIsLoaded(const wchar_t* moduleName);
/// Declares the application able to work with several open documents.
PLHOST_API bool plrxRegisterAppMDIAware(void* appHandle);
/// Creates a service object and registers it under `name`; null when the name is taken.
PLHOST_API PlRxObject* plrxRegisterService(const wchar_t* serviceName);
PLHOST_API bool plrxServiceIsRegistered(const wchar_t* serviceName);

namespace PlRx {
/// What a module's entry point answers.
enum AppRetCode : int { kRetOK = 0, kRetError = 3 };
/// Messages a host sends to a module's entry point.
enum AppMsgCode : int { kInitAppMsg = 1, kUnloadAppMsg = 2, kLoadDwgMsg = 3, kUnloadDwgMsg = 4 };
}  // namespace PlRx
