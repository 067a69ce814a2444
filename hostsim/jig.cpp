// PlEdJig: the host's drag loop over typed points, with a log tests can read.
#include "host/pljig.h"

#include "host/pldb.h"
#include "host/pled.h"
#include "hostsim/internal.h"

namespace {

plsim::JigLog& jigLog() {
    static plsim::JigLog log;
    return log;
}

PlEdJig::DragStatus dragStatusOf(int inputStatus) {
    switch (inputStatus) {
        case PLRTNORM: return PlEdJig::kNormal;
        case PLRTNONE: return PlEdJig::kNull;
        default: return PlEdJig::kCancel;
    }
}

}  // namespace

namespace plsim {
const JigLog& jigActivity() { return jigLog(); }
void resetJigActivity() { jigLog() = JigLog{}; }
}  // namespace plsim

PlEdJig::PlEdJig() = default;
PlEdJig::~PlEdJig() = default;

PlEdJig::DragStatus PlEdJig::drag() {
    ++jigLog().drags;
    for (;;) {
        const DragStatus status = sampler();
        ++jigLog().samples;
        if (status == kNoChange) return kNormal;  // the point given is the one the jig has
        if (status != kNormal) return status;
        ++jigLog().updates;
        return update() ? kNormal : kCancel;
    }
}

namespace {

PlEdJig::DragStatus acquire(const PlEdJig& jig, const PlGePoint3d* base, PlGePoint3d& point) {
    const int controls = jig.userInputControls();
    pledInitGet((controls & PlEdJig::kNullResponseAccepted) ? 0 : PLRSG_NONULL, nullptr);
    PlGePoint3d picked;
    const PlEdJig::DragStatus status = dragStatusOf(pledGetPoint(base, jig.dispPrompt(), picked));
    if (status == PlEdJig::kNormal) {
        point = picked;
        jigLog().points.push_back({picked.x, picked.y, picked.z});
    }
    return status;
}

}  // namespace

PlEdJig::DragStatus PlEdJig::acquirePoint(PlGePoint3d& point) { return acquire(*this, nullptr, point); }

PlEdJig::DragStatus PlEdJig::acquirePoint(PlGePoint3d& point, const PlGePoint3d& basePoint) {
    return acquire(*this, &basePoint, point);
}

void PlEdJig::setDispPrompt(const wchar_t* prompt) { m_prompt = PlString(prompt); }
const wchar_t* PlEdJig::dispPrompt() const { return m_prompt.kwszPtr(); }
void PlEdJig::setUserInputControls(UserInputControls controls) { m_controls = controls; }
PlEdJig::UserInputControls PlEdJig::userInputControls() const { return m_controls; }

PlRxClass* PlEdJig::isA() const { return desc(); }
PlRxClass* PlEdJig::desc() {
    static PlRxClass* cls = plsim::detail::registerBuiltinClass(L"PlEdJig", L"PlRxObject");
    return cls;
}
