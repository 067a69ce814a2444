// PlDbLight: a light of the drawing with every property and the checks its setters make.
//
// Every setter first asks assertWriteEnabled (85 when the light is in a
// drawing but not open for write) and then refuses a value that is not
// finite or outside the light's range with status 3, keeping the old value.
// Position, target and direction are kept as set: the light derives none of
// them from the others. A light keeps its drawing's name index up to date
// when it is appended, erased, un-erased, renamed or deleted.
#include "host/plscene.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "host/pled.h"
#include "hostsim/sceneoe/light_defaults.h"
#include "hostsim/sceneoe/light_filer.h"
#include "hostsim/sceneoe/light_names.h"
#include "hostsim/sceneoe/module_pin.h"
#include "hostsim/sceneoe/photometry.h"
#include "hostsim/sceneoe/scene_driver.h"
#include "hostsim/sceneoe/web_files.h"

namespace d = plsim::scene::defaults;

namespace {

bool isFinite(const PlGePoint3d& p) { return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z); }
bool isFinite(const PlGeVector3d& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }
bool isConeAngle(double angle) { return std::isfinite(angle) && angle >= 0.0 && angle < d::kMaxConeAngle; }

std::vector<std::wstring>& refusals() {
    static auto* all = new std::vector<std::wstring>;  // lights may outlive the statics
    return *all;
}

/// Notes that `setter` refused the value it was given (see takeRefusedLightValues).
Plad::ErrorStatus refuse(const wchar_t* setter) {
    refusals().push_back(setter);
    return Plad::eInvalidInput;
}

/// `v` (finite, however large) made unit length without overflow: scaled by its
/// largest component first. False when it has no length.
bool unitVector(const PlGeVector3d& v, PlGeVector3d& unit) {
    const double largest = std::max({std::fabs(v.x), std::fabs(v.y), std::fabs(v.z)});
    if (!(largest > 0.0)) return false;
    unit = PlGeVector3d(v.x / largest, v.y / largest, v.z / largest).normal();
    return true;
}

}  // namespace

std::vector<std::wstring> plsim::scene::takeRefusedLightValues() { return std::exchange(refusals(), {}); }

struct PlDbLight::Impl {
    int kind = d::kKind;
    std::wstring name;
    bool on = d::kOn;
    double intensity = d::kIntensity;
    PlCmColor color;
    PlGiLightAttenuation attenuation;
    double hotspot = d::kHotspot;
    double falloff = d::kFalloff;
    PlGeVector3d direction{d::kDirection[0], d::kDirection[1], d::kDirection[2]};
    PlGePoint3d position{d::kPosition[0], d::kPosition[1], d::kPosition[2]};
    PlGePoint3d target{d::kTarget[0], d::kTarget[1], d::kTarget[2]};
    PlGiShadowParameters shadow;
    bool hasTarget = d::kHasTarget;
    std::wstring webFile = d::kWebFile;
    /// The web file as read; null while none could be read.
    std::shared_ptr<const plsim::scene::PhotometricWeb> web;
    /// Lumen per candela of peak intensity of `web`.
    double webLumensPerCandela = 0.0;
    PlGeVector3d webRotation{d::kWebRotation[0], d::kWebRotation[1], d::kWebRotation[2]};
    double physicalIntensity = d::kPhysicalIntensity;
    PhysicalIntensityMethod method = d::kIntensityMethod;
    // One metre in the units of the drawing the light is made in.
    double illuminanceDistance = d::kIlluminanceDistanceMetres / LightingUtil::getUnitFactor(true);
    LampColorType lampColorType = d::kLampColorType;
    double lampColorTemp = d::kLampColorTemp;
    LampColorPreset lampColorPreset = d::kLampColorPreset;

    /// Where the name is indexed: not while the light is outside a drawing,
    /// erased, or without a name.
    plsim::scene::IndexedName indexed;
};

// ---- Life ---------------------------------------------------------------------------

PlDbLight::PlDbLight() : m_impl(new Impl) { plsim::scene::keepModuleLoaded(); }

PlDbLight::~PlDbLight() {
    m_impl->indexed.drop(objectId());
    delete m_impl;
}

void PlDbLight::onAppended() { m_impl->indexed.enter(objectId(), database(), m_impl->name); }

void PlDbLight::onErased(bool erased) {
    if (erased) {
        m_impl->indexed.drop(objectId());
    } else {
        m_impl->indexed.enter(objectId(), database(), m_impl->name);
    }
}

PlRxClass* PlDbLight::isA() const { return desc(); }

// Not kept: the class goes when the module unloads and comes back when it loads again.
PlRxClass* PlDbLight::desc() { return plrxFindPlRxClass(L"PlDbLight"); }

// ---- Kind, name, switch -------------------------------------------------------------

int PlDbLight::lightKind() const { return m_impl->kind; }

Plad::ErrorStatus PlDbLight::setLightKind(int kind) {
    if (const Plad::ErrorStatus es = assertWriteEnabled(); es != Plad::eOk) return es;
    if (kind != kDistantLight && kind != kPointLight && kind != kSpotLight && kind != kWebLight) {
        return refuse(L"setLightKind");
    }
    m_impl->kind = kind;
    return Plad::eOk;
}

const wchar_t* PlDbLight::name() const { return m_impl->name.c_str(); }

// Unique among the lights of the light's drawing; a light outside any drawing
// is checked against the working drawing, where it is about to go.
Plad::ErrorStatus PlDbLight::setName(const wchar_t* name) {
    if (const Plad::ErrorStatus es = assertWriteEnabled(); es != Plad::eOk) return es;
    const std::wstring_view text = name ? std::wstring_view(name) : std::wstring_view();
    if (!name || !plsim::scene::isValidLightName(text)) return refuse(L"setName");
    const PlDbDatabase* db = database();
    if (!db) {
        const PlDbHostApplicationServices* services = pldbHostApplicationServices();
        db = services ? services->workingDatabase() : nullptr;
    }
    if (const plsim::scene::LightNameIndex* index = plsim::scene::nameIndexOf(db, false)) {
        if (index->takenByOther(plsim::scene::FoldedName(text).view(), objectId())) return Plad::eDuplicateKey;
    }
    m_impl->name = text;
    if (database() && !isErased()) m_impl->indexed.enter(objectId(), database(), m_impl->name);
    return Plad::eOk;
}

bool PlDbLight::isOn() const { return m_impl->on; }

Plad::ErrorStatus PlDbLight::setOn(bool on) {
    if (const Plad::ErrorStatus es = assertWriteEnabled(); es != Plad::eOk) return es;
    m_impl->on = on;
    return Plad::eOk;
}

bool PlDbLight::hasTarget() const { return m_impl->hasTarget; }

Plad::ErrorStatus PlDbLight::setHasTarget(bool hasTarget) {
    if (const Plad::ErrorStatus es = assertWriteEnabled(); es != Plad::eOk) return es;
    m_impl->hasTarget = hasTarget;
    return Plad::eOk;
}

// ---- Intensity, colour, records -------------------------------------------------------

double PlDbLight::intensity() const { return m_impl->intensity; }

Plad::ErrorStatus PlDbLight::setIntensity(double intensity) {
    if (const Plad::ErrorStatus es = assertWriteEnabled(); es != Plad::eOk) return es;
    if (!std::isfinite(intensity) || intensity < 0.0) return refuse(L"setIntensity");
    m_impl->intensity = intensity;
    return Plad::eOk;
}

const PlCmColor& PlDbLight::lightColor() const { return m_impl->color; }

Plad::ErrorStatus PlDbLight::setLightColor(const PlCmColor& color) {
    if (const Plad::ErrorStatus es = assertWriteEnabled(); es != Plad::eOk) return es;
    m_impl->color = color;
    return Plad::eOk;
}

const PlGiLightAttenuation& PlDbLight::lightAttenuation() const { return m_impl->attenuation; }

Plad::ErrorStatus PlDbLight::setLightAttenuation(const PlGiLightAttenuation& attenuation) {
    if (const Plad::ErrorStatus es = assertWriteEnabled(); es != Plad::eOk) return es;
    m_impl->attenuation = attenuation;
    return Plad::eOk;
}

Plad::ErrorStatus PlDbLight::shadowParameters(PlGiShadowParameters& params) const {
    params = m_impl->shadow;
    return Plad::eOk;
}

Plad::ErrorStatus PlDbLight::setShadowParameters(const PlGiShadowParameters& params) {
    if (const Plad::ErrorStatus es = assertWriteEnabled(); es != Plad::eOk) return es;
    m_impl->shadow = params;
    return Plad::eOk;
}

// ---- Geometry --------------------------------------------------------------------------

double PlDbLight::hotspotAngle() const { return m_impl->hotspot; }
double PlDbLight::falloffAngle() const { return m_impl->falloff; }

Plad::ErrorStatus PlDbLight::setHotspotAndFalloff(double hotspot, double falloff) {
    if (const Plad::ErrorStatus es = assertWriteEnabled(); es != Plad::eOk) return es;
    if (!isConeAngle(hotspot) || !isConeAngle(falloff)) return refuse(L"setHotspotAndFalloff");
    m_impl->hotspot = hotspot;
    m_impl->falloff = falloff;
    return Plad::eOk;
}

const PlGeVector3d& PlDbLight::lightDirection() const { return m_impl->direction; }

// A light points from its position to its target; while the two coincide it
// keeps the direction it had. Halves are subtracted, as the difference of two
// finite points may be too large for a double.
void PlDbLight::aimAtTarget() {
    const PlGePoint3d& from = m_impl->position;
    const PlGePoint3d& to = m_impl->target;
    const PlGeVector3d half(to.x / 2 - from.x / 2, to.y / 2 - from.y / 2, to.z / 2 - from.z / 2);
    if ((half * 2.0).isZeroLength()) return;
    unitVector(half, m_impl->direction);
}

Plad::ErrorStatus PlDbLight::setLightDirection(const PlGeVector3d& direction) {
    if (const Plad::ErrorStatus es = assertWriteEnabled(); es != Plad::eOk) return es;
    if (!isFinite(direction) || direction.isZeroLength() || !unitVector(direction, m_impl->direction)) {
        return refuse(L"setLightDirection");
    }
    return Plad::eOk;
}

const PlGePoint3d& PlDbLight::position() const { return m_impl->position; }

Plad::ErrorStatus PlDbLight::setPosition(const PlGePoint3d& position) {
    if (const Plad::ErrorStatus es = assertWriteEnabled(); es != Plad::eOk) return es;
    if (!isFinite(position)) return refuse(L"setPosition");
    m_impl->position = position;
    aimAtTarget();
    return Plad::eOk;
}

const PlGePoint3d& PlDbLight::targetLocation() const { return m_impl->target; }

Plad::ErrorStatus PlDbLight::setTargetLocation(const PlGePoint3d& target) {
    if (const Plad::ErrorStatus es = assertWriteEnabled(); es != Plad::eOk) return es;
    if (!isFinite(target)) return refuse(L"setTargetLocation");
    m_impl->target = target;
    aimAtTarget();
    return Plad::eOk;
}

Plad::ErrorStatus PlDbLight::moveBy(const PlGeVector3d& offset) {
    if (const Plad::ErrorStatus es = assertWriteEnabled(); es != Plad::eOk) return es;
    const PlGePoint3d position = m_impl->position + offset;
    const PlGePoint3d target = m_impl->target + offset;
    if (!isFinite(position) || !isFinite(target)) return Plad::eInvalidInput;
    m_impl->position = position;
    m_impl->target = target;
    return Plad::eOk;
}

// ---- Photometric web ----------------------------------------------------------------------

const wchar_t* PlDbLight::webFile() const { return m_impl->webFile.c_str(); }

// An empty name (or none) takes the web file away. The file is read now, found as
// LightingUtil::GetIESFileFullPath finds it; a file that cannot be found or read is kept by
// name, the command line is told why, once, and the light then shines as a point light.
Plad::ErrorStatus PlDbLight::setWebFile(const wchar_t* file) {
    if (const Plad::ErrorStatus es = assertWriteEnabled(); es != Plad::eOk) return es;
    m_impl->webFile = file ? file : L"";
    m_impl->web.reset();
    m_impl->webLumensPerCandela = 0.0;
    if (m_impl->webFile.empty()) return Plad::eOk;
    const PlString path = LightingUtil::GetIESFileFullPath(m_impl->webFile.c_str(), nullptr);
    std::wstring error = L"it cannot be found";
    std::optional<plsim::scene::PhotometricWeb> web;
    if (!path.isEmpty()) web = plsim::scene::readWebFile(path.str(), error);
    if (!web) {
        plutPrintf(L"The web file \"%s\" cannot be used (%s); the light will shine as a point light.\n",
                   m_impl->webFile.c_str(), error.c_str());
        return Plad::eOk;
    }
    m_impl->webLumensPerCandela = plsim::scene::webFlux(*web) / plsim::scene::peakCandela(*web);
    m_impl->web = std::make_shared<const plsim::scene::PhotometricWeb>(std::move(*web));
    return Plad::eOk;
}

struct PlDbLightWeb {
    static double lumensPerCandela(const PlDbLight& light) { return light.m_impl->webLumensPerCandela; }
};

double plsim::scene::webLumensPerCandela(const PlDbLight& light) { return PlDbLightWeb::lumensPerCandela(light); }

struct PlDbLightFiler {
    static void setDirection(PlDbLight& light, const PlGeVector3d& direction) { light.m_impl->direction = direction; }
};

void plsim::scene::fileDirection(PlDbLight& light, const PlGeVector3d& direction) {
    PlDbLightFiler::setDirection(light, direction);
}

const PlGeVector3d& PlDbLight::webRotation() const { return m_impl->webRotation; }

Plad::ErrorStatus PlDbLight::setWebRotation(const PlGeVector3d& rotation) {
    if (const Plad::ErrorStatus es = assertWriteEnabled(); es != Plad::eOk) return es;
    if (!isFinite(rotation)) return refuse(L"setWebRotation");
    m_impl->webRotation = rotation;
    return Plad::eOk;
}

// ---- Photometry ---------------------------------------------------------------------------

double PlDbLight::physicalIntensity() const { return m_impl->physicalIntensity; }

Plad::ErrorStatus PlDbLight::setPhysicalIntensity(double value) {
    if (const Plad::ErrorStatus es = assertWriteEnabled(); es != Plad::eOk) return es;
    if (!std::isfinite(value) || value < 0.0) return refuse(L"setPhysicalIntensity");
    m_impl->physicalIntensity = value;
    return Plad::eOk;
}

PlDbLight::PhysicalIntensityMethod PlDbLight::physicalIntensityMethod() const { return m_impl->method; }

Plad::ErrorStatus PlDbLight::setPhysicalIntensityMethod(PhysicalIntensityMethod method) {
    if (const Plad::ErrorStatus es = assertWriteEnabled(); es != Plad::eOk) return es;
    if (method != kPeakIntensity && method != kFlux && method != kIlluminance)
        return refuse(L"setPhysicalIntensityMethod");
    m_impl->method = method;
    return Plad::eOk;
}

double PlDbLight::illuminanceDistance() const { return m_impl->illuminanceDistance; }

Plad::ErrorStatus PlDbLight::setIlluminanceDistance(double distance) {
    if (const Plad::ErrorStatus es = assertWriteEnabled(); es != Plad::eOk) return es;
    if (!std::isfinite(distance) || distance <= 0.0) return refuse(L"setIlluminanceDistance");
    m_impl->illuminanceDistance = distance;
    return Plad::eOk;
}

PlDbLight::LampColorType PlDbLight::lampColorType() const { return m_impl->lampColorType; }

Plad::ErrorStatus PlDbLight::setLampColorType(LampColorType type) {
    if (const Plad::ErrorStatus es = assertWriteEnabled(); es != Plad::eOk) return es;
    if (type != kKelvin && type != kPreset) return refuse(L"setLampColorType");
    m_impl->lampColorType = type;
    return Plad::eOk;
}

double PlDbLight::lampColorTemp() const { return m_impl->lampColorTemp; }

Plad::ErrorStatus PlDbLight::setLampColorTemp(double kelvin) {
    if (const Plad::ErrorStatus es = assertWriteEnabled(); es != Plad::eOk) return es;
    if (!std::isfinite(kelvin) || kelvin < 0.0) return refuse(L"setLampColorTemp");
    m_impl->lampColorTemp = kelvin;
    return Plad::eOk;
}

PlDbLight::LampColorPreset PlDbLight::lampColorPreset() const { return m_impl->lampColorPreset; }

Plad::ErrorStatus PlDbLight::setLampColorPreset(LampColorPreset preset) {
    if (const Plad::ErrorStatus es = assertWriteEnabled(); es != Plad::eOk) return es;
    if (preset < kD65White || preset > kLowPressureSodium) return refuse(L"setLampColorPreset");
    m_impl->lampColorPreset = preset;
    return Plad::eOk;
}
