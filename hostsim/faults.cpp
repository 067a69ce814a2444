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

}  // namespace

void injectFault(Fault fault, int count) {
    if (count > 0) {
        pending()[fault] = count;
    } else {
        pending().erase(fault);
    }
}

namespace detail {

bool takeFault(Fault fault) {
    auto it = pending().find(fault);
    if (it == pending().end()) return false;
    if (--it->second <= 0) pending().erase(it);
    return true;
}

void resetFaults() { pending().clear(); }

}  // namespace detail
}  // namespace plsim
