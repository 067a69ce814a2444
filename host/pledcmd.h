// The command stack: command groups, global and local names, help topics.
#pragma once

#include "host/plexport.h"
#include "host/plres.h"
#include "host/plrx.h"

using PlRxFunctionPtr = void (*)();

class PlEdUIContext;

/// Command flags (bit set).
enum PlEdCommandFlags : int {
    PLRX_CMD_MODAL = 0,
    PLRX_CMD_TRANSPARENT = 1,
    PLRX_CMD_USEPICKSET = 2,
};

/// One registered command.
class PLHOST_API PlEdCommand : public PlRxObject {
public:
    ~PlEdCommand() override;
    PlEdCommand(const PlEdCommand&) = delete;
    PlEdCommand& operator=(const PlEdCommand&) = delete;
    const wchar_t* globalName() const;
    const wchar_t* localName() const;
    const wchar_t* groupName() const;
    int commandFlags() const;
    PlRxFunctionPtr functionAddr() const;
    int functionCode() const;
    const PlRxResourceInstance& resourceInstance() const;
    /// The help topic attached with pledSetFunHelp; empty when none.
    const wchar_t* helpTopic() const;
    const wchar_t* helpFile() const;
    PlRxClass* isA() const override;
    static PlRxClass* desc();

private:
    friend class PlEdCommandStack;
    friend struct PlEdCommandAccess;
    PlEdCommand();
    struct Impl;
    Impl* m_impl;
};

/// The command stack, registered as "PLAD_REGISTERED_COMMANDS".
class PLHOST_API PlEdCommandStack : public PlRxObject {
public:
    PlEdCommandStack();
    ~PlEdCommandStack() override;
    PlEdCommandStack(const PlEdCommandStack&) = delete;
    PlEdCommandStack& operator=(const PlEdCommandStack&) = delete;

    /// Adds `globalName` (and its local name) to `groupName`. Answers 23 when a
    /// command of that global name is already in the group, 3 for an empty
    /// group or global name or a null function.
    Plad::ErrorStatus addCommand(const wchar_t* groupName, const wchar_t* globalName,
                                 const wchar_t* localName, int flags, PlRxFunctionPtr function,
                                 PlEdUIContext* uiContext = nullptr, int functionCode = -1,
                                 const PlRxResourceInstance& resources = PlRxResourceInstance(),
                                 PlEdCommand** newCommand = nullptr);
    /// Removes a whole group; 22 when there is none of that name.
    Plad::ErrorStatus removeGroup(const wchar_t* groupName);
    Plad::ErrorStatus removeCmd(const wchar_t* groupName, const wchar_t* globalName);

    /// Finds a command by its global name (case-insensitive), null when none.
    PlEdCommand* lookupGlobalCmd(const wchar_t* globalName) const;
    /// Finds a command by its local name (case-insensitive), null when none.
    PlEdCommand* lookupLocalCmd(const wchar_t* localName) const;
    /// Finds by either name; a leading "_" asks for the global name only.
    PlEdCommand* lookupCmd(const wchar_t* name) const;

    /// The commands of one group in the order they were added.
    unsigned groupCommandCount(const wchar_t* groupName) const;
    PlEdCommand* groupCommandAt(const wchar_t* groupName, unsigned index) const;
    bool hasGroup(const wchar_t* groupName) const;

    PlRxClass* isA() const override;
    static PlRxClass* desc();

private:
    friend struct PlEdCommandAccess;
    struct Impl;
    Impl* m_impl;
};

/// Attaches a help topic to the command `commandName` (global name). The help
/// file may be empty. Answers 5100, or -5001 when there is no such command.
PLHOST_API int pledSetFunHelp(const wchar_t* commandName, const wchar_t* helpFile,
                              const wchar_t* topic, int command);
