// PlGiLightAttenuation: how a light's intensity falls off with distance.
#include "host/plscene.h"

#include <cmath>

#include "hostsim/sceneoe/light_defaults.h"

namespace d = plsim::scene::defaults;

PlGiLightAttenuation::PlGiLightAttenuation()
    : m_type(d::kAttenuationType), m_useLimits(d::kUseLimits), m_start(d::kStartLimit), m_end(d::kEndLimit) {}

PlGiLightAttenuation::~PlGiLightAttenuation() = default;

PlRxObject* PlGiLightAttenuation::clone() const { return new PlGiLightAttenuation(*this); }

Plad::ErrorStatus PlGiLightAttenuation::copyFrom(const PlRxObject* other) {
    const auto* record = dynamic_cast<const PlGiLightAttenuation*>(other);
    if (!record) return Plad::eInvalidInput;
    *this = *record;
    return Plad::eOk;
}

bool PlGiLightAttenuation::isEqualTo(const PlRxObject* other) const {
    const auto* record = dynamic_cast<const PlGiLightAttenuation*>(other);
    return record && *this == *record;
}

bool PlGiLightAttenuation::operator==(const PlGiLightAttenuation& other) const {
    return m_type == other.m_type && m_useLimits == other.m_useLimits && m_start == other.m_start &&
           m_end == other.m_end;
}

void PlGiLightAttenuation::setAttenuationType(AttenuationType type) {
    // No status to answer: a value outside the enum is ignored.
    if (type == kNone || type == kInverseLinear || type == kInverseSquare) m_type = type;
}
PlGiLightAttenuation::AttenuationType PlGiLightAttenuation::attenuationType() const { return m_type; }

void PlGiLightAttenuation::setUseLimits(bool on) { m_useLimits = on; }
bool PlGiLightAttenuation::useLimits() const { return m_useLimits; }

// The limits are stored as given, in any order and of any sign (a caller may
// derive a negative start from an end below 1); only numbers that are not
// finite are refused, and then neither limit changes.
void PlGiLightAttenuation::setLimits(double startLimit, double endLimit) {
    if (!std::isfinite(startLimit) || !std::isfinite(endLimit)) return;
    m_start = startLimit;
    m_end = endLimit;
}
double PlGiLightAttenuation::startLimit() const { return m_start; }
double PlGiLightAttenuation::endLimit() const { return m_end; }

PlRxClass* PlGiLightAttenuation::isA() const { return desc(); }
PlRxClass* PlGiLightAttenuation::desc() { return plrxFindPlRxClass(L"PlGiLightAttenuation"); }
