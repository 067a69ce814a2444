// The command stack: command groups, lookups by global and local name, help topics,
// and running a command by name.
#include "host/pledcmd.h"

#include <memory>
#include <string>
#include <vector>

#include "host/pled.h"
#include "hostsim/internal.h"

struct PlEdCommand::Impl {
    std::wstring globalName;
    std::wstring localName;
    std::wstring groupName;
    int flags = 0;
    PlRxFunctionPtr function = nullptr;
    int functionCode = -1;
    PlRxResourceInstance resources;
    std::wstring helpTopic;
    std::wstring helpFile;
};

/// Lets the host's editor functions and the driver reach the records of commands.
struct PlEdCommandAccess {
    static void setHelp(PlEdCommand& command, const wchar_t* helpFile, const wchar_t* topic) {
        command.m_impl->helpFile = helpFile ? helpFile : L"";
        command.m_impl->helpTopic = topic ? topic : L"";
    }
    /// The stack's groups (defined below, once they are known).
    static const auto& groups(const PlEdCommandStack& stack);
};

PlEdCommand::PlEdCommand() : m_impl(new Impl) {}
PlEdCommand::~PlEdCommand() { delete m_impl; }

const wchar_t* PlEdCommand::globalName() const { return m_impl->globalName.c_str(); }
const wchar_t* PlEdCommand::localName() const { return m_impl->localName.c_str(); }
const wchar_t* PlEdCommand::groupName() const { return m_impl->groupName.c_str(); }
int PlEdCommand::commandFlags() const { return m_impl->flags; }
PlRxFunctionPtr PlEdCommand::functionAddr() const { return m_impl->function; }
int PlEdCommand::functionCode() const { return m_impl->functionCode; }
const PlRxResourceInstance& PlEdCommand::resourceInstance() const { return m_impl->resources; }
const wchar_t* PlEdCommand::helpTopic() const { return m_impl->helpTopic.c_str(); }
const wchar_t* PlEdCommand::helpFile() const { return m_impl->helpFile.c_str(); }
PlRxClass* PlEdCommand::isA() const { return desc(); }

PlRxClass* PlEdCommand::desc() {
    static PlRxClass* const cls = plrxFindPlRxClass(L"PlEdCommand");
    return cls;
}

/// Groups in the order they were added, each with its commands in the order
/// they were added. When two groups hold a command of the same name, the
/// group added last answers the lookup: it is on top of the stack.
struct PlEdCommandStack::Impl {
    struct Group {
        std::wstring name;
        std::vector<std::unique_ptr<PlEdCommand>> commands;
    };
    std::vector<Group> groups;

    Group* group(const wchar_t* name) {
        if (!name) return nullptr;
        for (Group& g : groups) {
            if (plsim::detail::iequals(g.name, name)) return &g;
        }
        return nullptr;
    }

    template <class Match>
    PlEdCommand* find(Match match) const {
        for (auto g = groups.rbegin(); g != groups.rend(); ++g) {
            for (const auto& command : g->commands) {
                if (match(*command)) return command.get();
            }
        }
        return nullptr;
    }
};

const auto& PlEdCommandAccess::groups(const PlEdCommandStack& stack) { return stack.m_impl->groups; }

namespace {
bool isEmpty(const wchar_t* text) { return !text || !*text; }
}  // namespace

PlEdCommandStack::PlEdCommandStack() : m_impl(new Impl) {}
PlEdCommandStack::~PlEdCommandStack() { delete m_impl; }

Plad::ErrorStatus PlEdCommandStack::addCommand(const wchar_t* groupName, const wchar_t* globalName,
                                               const wchar_t* localName, int flags, PlRxFunctionPtr function,
                                               PlEdUIContext* /*uiContext*/, int functionCode,
                                               const PlRxResourceInstance& resources, PlEdCommand** newCommand) {
    if (newCommand) *newCommand = nullptr;
    if (isEmpty(groupName) || isEmpty(globalName) || !function) return Plad::eInvalidInput;
    Impl::Group* group = m_impl->group(groupName);
    if (group) {
        for (const auto& command : group->commands) {
            if (plsim::detail::iequals(command->globalName(), globalName)) return Plad::eDuplicateKey;
        }
    } else {
        m_impl->groups.push_back({groupName, {}});
        group = &m_impl->groups.back();
    }
    std::unique_ptr<PlEdCommand> command(new PlEdCommand);
    PlEdCommand::Impl& impl = *command->m_impl;
    impl.globalName = globalName;
    impl.localName = isEmpty(localName) ? globalName : localName;  // no local name: the global one serves
    impl.groupName = group->name;
    impl.flags = flags;
    impl.function = function;
    impl.functionCode = functionCode;
    impl.resources = resources;
    if (newCommand) *newCommand = command.get();
    group->commands.push_back(std::move(command));
    return Plad::eOk;
}

Plad::ErrorStatus PlEdCommandStack::removeGroup(const wchar_t* groupName) {
    auto& groups = m_impl->groups;
    for (auto it = groups.begin(); it != groups.end(); ++it) {
        if (groupName && plsim::detail::iequals(it->name, groupName)) {
            groups.erase(it);
            return Plad::eOk;
        }
    }
    return Plad::eKeyNotFound;
}

Plad::ErrorStatus PlEdCommandStack::removeCmd(const wchar_t* groupName, const wchar_t* globalName) {
    Impl::Group* group = m_impl->group(groupName);
    if (!group || !globalName) return Plad::eKeyNotFound;
    auto& commands = group->commands;
    for (auto it = commands.begin(); it != commands.end(); ++it) {
        if (plsim::detail::iequals((*it)->globalName(), globalName)) {
            commands.erase(it);
            return Plad::eOk;
        }
    }
    return Plad::eKeyNotFound;
}

PlEdCommand* PlEdCommandStack::lookupGlobalCmd(const wchar_t* globalName) const {
    if (isEmpty(globalName)) return nullptr;
    const std::wstring_view name = globalName;
    return m_impl->find([&name](const PlEdCommand& c) { return plsim::detail::iequals(c.globalName(), name); });
}

PlEdCommand* PlEdCommandStack::lookupLocalCmd(const wchar_t* localName) const {
    if (isEmpty(localName)) return nullptr;
    const std::wstring_view name = localName;
    return m_impl->find([&name](const PlEdCommand& c) { return plsim::detail::iequals(c.localName(), name); });
}

PlEdCommand* PlEdCommandStack::lookupCmd(const wchar_t* name) const {
    if (isEmpty(name)) return nullptr;
    if (name[0] == L'_') return lookupGlobalCmd(name + 1);
    // What the user types is read in the user's language first.
    if (PlEdCommand* local = lookupLocalCmd(name)) return local;
    return lookupGlobalCmd(name);
}

unsigned PlEdCommandStack::groupCommandCount(const wchar_t* groupName) const {
    const Impl::Group* group = m_impl->group(groupName);
    return group ? static_cast<unsigned>(group->commands.size()) : 0;
}

PlEdCommand* PlEdCommandStack::groupCommandAt(const wchar_t* groupName, unsigned index) const {
    const Impl::Group* group = m_impl->group(groupName);
    return (group && index < group->commands.size()) ? group->commands[index].get() : nullptr;
}

bool PlEdCommandStack::hasGroup(const wchar_t* groupName) const { return m_impl->group(groupName) != nullptr; }

PlRxClass* PlEdCommandStack::isA() const { return desc(); }

PlRxClass* PlEdCommandStack::desc() {
    static PlRxClass* const cls = plrxFindPlRxClass(L"PlEdCommandStack");
    return cls;
}

namespace {

/// The host's command stack, as registered.
PlEdCommandStack* commandStack() {
    PlRxObject* entry = plrxSysRegistry()->at(L"PLAD_REGISTERED_COMMANDS");
    return (entry && entry->isKindOf(PlEdCommandStack::desc())) ? static_cast<PlEdCommandStack*>(entry) : nullptr;
}

}  // namespace

int pledSetFunHelp(const wchar_t* commandName, const wchar_t* helpFile, const wchar_t* topic, int /*command*/) {
    PlEdCommandStack* stack = commandStack();
    PlEdCommand* command = stack ? stack->lookupGlobalCmd(commandName) : nullptr;
    if (!command) return PLRTERROR;
    PlEdCommandAccess::setHelp(*command, helpFile, topic);
    return PLRTNORM;
}

namespace plsim {

PlEdCommand* findCommand(const std::wstring& name) {
    PlEdCommandStack* stack = commandStack();
    return stack ? stack->lookupCmd(name.c_str()) : nullptr;
}

std::vector<PlEdCommand*> registeredCommands() {
    std::vector<PlEdCommand*> commands;
    PlEdCommandStack* stack = commandStack();
    if (!stack) return commands;
    for (const auto& group : PlEdCommandAccess::groups(*stack)) {
        for (const auto& command : group.commands) commands.push_back(command.get());
    }
    return commands;
}

bool runCommand(const std::wstring& name) {
    const PlEdCommand* command = findCommand(name);
    if (!command) return false;
    // Kept before the call: the command may remove its own group while it runs.
    const PlRxFunctionPtr function = command->functionAddr();
    function();
    finishOutputLine();
    return true;
}

}  // namespace plsim
