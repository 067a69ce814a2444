// Object ids and the stubs they point at.
#include "hostsim/db_internal.h"

#include <deque>

namespace plsim::detail {
namespace {

/// Never destroyed and never shrunk: ids handed out earlier may be asked
/// about at any time, even while the process ends.
std::deque<PlDbStub>& stubs() {
    static auto* all = new std::deque<PlDbStub>;
    return *all;
}

}  // namespace

PlDbStub* newStub(PlDbObject* object, PlDbDatabase* db, std::uint64_t handle) {
    PlDbStub& stub = stubs().emplace_back();
    stub.object = object;
    stub.state = &PlDbObjectAccess::impl(object);
    stub.database = db;
    stub.handle = handle;
    return &stub;
}

PlDbObject* objectOf(PlDbObjectId id) {
    const PlDbStub* stub = id.stub();
    return (stub && stub->database) ? stub->object : nullptr;
}

}  // namespace plsim::detail

const PlDbObjectId PlDbObjectId::kNull{};

bool PlDbObjectId::isValid() const { return plsim::detail::objectOf(*this) != nullptr; }

bool PlDbObjectId::isErased() const {
    const PlDbObject* object = plsim::detail::objectOf(*this);
    return object && object->isErased();
}

PlDbDatabase* PlDbObjectId::database() const { return isValid() ? m_stub->database : nullptr; }

std::uint64_t PlDbObjectId::handle() const { return m_stub ? m_stub->handle : 0; }
