// Injected faults: the driver makes the next operations of a kind fail, the host takes them one by one.
#include "hostsim/driver.h"

#include <map>

#include "hostsim/internal.h"

namespace plsim {
namespace {

std::map<Fault, int>& pending() {
    static std::map<Fault, int> counts;
    return counts;
}

/// How many kinds of fault are pending: the host asks on every open, and
/// almost always none is.
int g_pendingKinds = 0;

}  // namespace

void injectFault(Fault fault, int count) {
    if (count > 0) {
        pending()[fault] = count;
    } else {
        pending().erase(fault);
    }
    g_pendingKinds = static_cast<int>(pending().size());
}

namespace detail {

bool takeFault(Fault fault) {
    if (g_pendingKinds == 0) return false;
    auto it = pending().find(fault);
    if (it == pending().end()) return false;
    if (--it->second <= 0) pending().erase(it);
    g_pendingKinds = static_cast<int>(pending().size());
    return true;
}

void resetFaults() {
    pending().clear();
    g_pendingKinds = 0;
}

}  // namespace detail
}  // namespace plsim
