// Injected faults: the driver makes the next operations of a kind fail, the host takes them one by one.
#include "hostsim/driver.h"

#include <array>
#include <map>

#include "hostsim/internal.h"

namespace plsim {
namespace {

struct Pending {
    int after = 0;  // operations still to go through before the first failure
    int count = 0;  // failures still to come
};

std::map<Fault, Pending>& pending() {
    static std::map<Fault, Pending> faults;
    return faults;
}

/// How many kinds of fault are pending: the host asks on every open, and
/// almost always none is.
int g_pendingKinds = 0;

/// The operations of each kind performed since the last reset, by the kind's value.
std::array<int, static_cast<std::size_t>(Fault::OpenObject) + 1> g_performed{};

int& performed(Fault fault) { return g_performed.at(static_cast<std::size_t>(fault)); }

}  // namespace

void injectFault(Fault fault, int count, int after) {
    if (count > 0) {
        pending()[fault] = Pending{after > 0 ? after : 0, count};
    } else {
        pending().erase(fault);
    }
    g_pendingKinds = static_cast<int>(pending().size());
}

int faultOpportunities(Fault fault) { return performed(fault); }

namespace detail {

bool takeFault(Fault fault) {
    ++performed(fault);
    if (g_pendingKinds == 0) return false;
    auto it = pending().find(fault);
    if (it == pending().end()) return false;
    if (it->second.after > 0) {
        --it->second.after;
        return false;
    }
    if (--it->second.count <= 0) pending().erase(it);
    g_pendingKinds = static_cast<int>(pending().size());
    return true;
}

void resetFaults() {
    pending().clear();
    g_pendingKinds = 0;
    g_performed.fill(0);
}

}  // namespace detail
}  // namespace plsim
