// PlGiShadowParameters: how a light casts shadows; every setter keeps the old value when it
// refuses a new one.
#include "host/plscene.h"

#include <cmath>

#include "hostsim/sceneoe/light_defaults.h"

namespace d = plsim::scene::defaults;

namespace {

bool isDimension(double value) { return std::isfinite(value) && value >= 0.0; }

}  // namespace

PlGiShadowParameters::PlGiShadowParameters()
    : m_on(d::kShadowsOn),
      m_type(d::kShadowType),
      m_mapSize(d::kShadowMapSize),
      m_softness(d::kShadowSoftness),
      m_samples(d::kShadowSamples),
      m_visible(d::kShapeVisible),
      m_shape(d::kLightShape),
      m_length(d::kLightLength),
      m_width(d::kLightWidth),
      m_radius(d::kLightRadius) {}

PlGiShadowParameters::~PlGiShadowParameters() = default;

void PlGiShadowParameters::setShadowsOn(bool on) { m_on = on; }
bool PlGiShadowParameters::shadowsOn() const { return m_on; }

void PlGiShadowParameters::setShadowType(ShadowType type) {
    // The type has no status to answer: a value outside the enum is ignored.
    if (type == kShadowsRayTraced || type == kShadowMaps || type == kAreaSampled) m_type = type;
}
PlGiShadowParameters::ShadowType PlGiShadowParameters::shadowType() const { return m_type; }

bool PlGiShadowParameters::setShadowMapSize(std::uint16_t size) {
    // A power of two from the smallest to the largest size.
    const bool powerOfTwo = size != 0 && (size & (size - 1)) == 0;
    if (!powerOfTwo || size < d::kMinShadowMapSize || size > d::kMaxShadowMapSize) return false;
    m_mapSize = size;
    return true;
}
std::uint16_t PlGiShadowParameters::shadowMapSize() const { return m_mapSize; }

bool PlGiShadowParameters::setShadowMapSoftness(std::uint8_t softness) {
    if (softness < d::kMinShadowSoftness || softness > d::kMaxShadowSoftness) return false;
    m_softness = softness;
    return true;
}
std::uint8_t PlGiShadowParameters::shadowMapSoftness() const { return m_softness; }

bool PlGiShadowParameters::setShadowSamples(std::uint16_t samples) {
    m_samples = samples;
    return true;
}
std::uint16_t PlGiShadowParameters::shadowSamples() const { return m_samples; }

void PlGiShadowParameters::setShapeVisibility(bool visible) { m_visible = visible; }
bool PlGiShadowParameters::shapeVisibility() const { return m_visible; }

bool PlGiShadowParameters::setExtendedLightShape(ExtendedLightShape shape) {
    if (shape < kLinear || shape > kSphere) return false;
    m_shape = shape;
    return true;
}
PlGiShadowParameters::ExtendedLightShape PlGiShadowParameters::extendedLightShape() const { return m_shape; }

bool PlGiShadowParameters::setExtendedLightLength(double length) {
    if (!isDimension(length)) return false;
    m_length = length;
    return true;
}
double PlGiShadowParameters::extendedLightLength() const { return m_length; }

bool PlGiShadowParameters::setExtendedLightWidth(double width) {
    if (!isDimension(width)) return false;
    m_width = width;
    return true;
}
double PlGiShadowParameters::extendedLightWidth() const { return m_width; }

bool PlGiShadowParameters::setExtendedLightRadius(double radius) {
    if (!isDimension(radius)) return false;
    m_radius = radius;
    return true;
}
double PlGiShadowParameters::extendedLightRadius() const { return m_radius; }

bool PlGiShadowParameters::operator==(const PlGiShadowParameters& other) const {
    return m_on == other.m_on && m_type == other.m_type && m_mapSize == other.m_mapSize &&
           m_softness == other.m_softness && m_samples == other.m_samples && m_visible == other.m_visible &&
           m_shape == other.m_shape && m_length == other.m_length && m_width == other.m_width &&
           m_radius == other.m_radius;
}

PlRxClass* PlGiShadowParameters::isA() const { return desc(); }
PlRxClass* PlGiShadowParameters::desc() { return plrxFindPlRxClass(L"PlGiShadowParameters"); }
