// Injected faults: the driver makes the next operations of a kind fail, the host takes them one by one.
#include "hostsim/driver.h"

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

std::map<Fault, int>& performed() {
    static std::map<Fault, int> counts;
    return counts;
}

}  // namespace

void injectFault(Fault fault, int count, int after) {
    if (count > 0) {
        pending()[fault] = Pending{after > 0 ? after : 0, count};
    } else {
        pending().erase(fault);
    }
}

int faultOpportunities(Fault fault) {
    const auto it = performed().find(fault);
    return it == performed().end() ? 0 : it->second;
}

namespace detail {

bool takeFault(Fault fault) {
    ++performed()[fault];
    auto it = pending().find(fault);
    if (it == pending().end()) return false;
    if (it->second.after > 0) {
        --it->second.after;
        return false;
    }
    if (--it->second.count <= 0) pending().erase(it);
    return true;
}

void resetFaults() {
    pending().clear();
    performed().clear();
}

}  // namespace detail
}  // namespace plsim
