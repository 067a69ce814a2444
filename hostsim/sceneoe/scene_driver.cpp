// Reading the lights of a drawing for tests and the console.
#include "hostsim/sceneoe/scene_driver.h"

#include <cmath>
#include <functional>

#include "host/plscene.h"
#include "hostsim/drawing_driver.h"
#include "hostsim/sceneoe/light_filer.h"
#include "hostsim/sceneoe/light_names.h"
#include "hostsim/sceneoe/photometry.h"

namespace plsim::scene {
namespace {

/// Calls `visit` with each light of `db` that is not erased, open while it is called.
void forEachLight(PlDbDatabase* db, const std::function<void(const PlDbLight&)>& visit) {
    if (!db) return;
    for (const PlDbObjectId& id : plsim::entityIds(db)) {
        PlDbLight* light = nullptr;
        Plad::ErrorStatus es = pldbOpenObject(light, id, PlDb::kForRead);
        if (es == Plad::eNotOpenForWrite) es = pldbOpenObject(light, id, PlDb::kForNotify);
        if (es != Plad::eOk) continue;  // erased, or not a light
        visit(*light);
        light->close();
    }
}

std::wstring layerName(PlDbObjectId layerId) {
    PlDbLayerTableRecord* layer = nullptr;
    if (pldbOpenObject(layer, layerId, PlDb::kForNotify) != Plad::eOk) return {};
    std::wstring name = layer->name();
    layer->close();
    return name;
}

ColorInfo colorInfo(const PlCmColor& color) {
    ColorInfo info;
    switch (color.colorMethod()) {
        case PlCmColor::kByColor:
            info.method = color.hasColorBook() ? ColorInfo::Method::Book : ColorInfo::Method::Rgb;
            break;
        case PlCmColor::kByACI:
            info.method = ColorInfo::Method::Index;
            break;
        case PlCmColor::kNone:
            info.method = ColorInfo::Method::None;
            break;
    }
    info.red = color.red();
    info.green = color.green();
    info.blue = color.blue();
    info.index = color.colorIndex();
    info.book = color.bookName();
    info.name = color.colorName();
    info.description = color.getDescription().str();
    return info;
}

LightInfo lightInfo(const PlDbLight& light) {
    LightInfo info;
    info.handle = light.objectId().handle();
    info.name = light.name();
    info.kind = light.lightKind();
    info.hasTarget = light.hasTarget();
    info.layer = layerName(light.layerId());
    info.position = light.position();
    info.target = light.targetLocation();
    info.direction = light.lightDirection();
    info.on = light.isOn();
    info.intensity = light.intensity();
    info.hotspot = light.hotspotAngle();
    info.falloff = light.falloffAngle();
    info.color = colorInfo(light.lightColor());

    PlGiShadowParameters shadow;
    light.shadowParameters(shadow);
    info.shadow.on = shadow.shadowsOn();
    info.shadow.type = shadow.shadowType();
    info.shadow.mapSize = shadow.shadowMapSize();
    info.shadow.softness = shadow.shadowMapSoftness();
    info.shadow.shape = shadow.extendedLightShape();
    info.shadow.length = shadow.extendedLightLength();
    info.shadow.width = shadow.extendedLightWidth();
    info.shadow.radius = shadow.extendedLightRadius();
    info.shadow.samples = shadow.shadowSamples();
    info.shadow.shapeVisible = shadow.shapeVisibility();

    const PlGiLightAttenuation& attenuation = light.lightAttenuation();
    info.attenuation.type = attenuation.attenuationType();
    info.attenuation.useLimits = attenuation.useLimits();
    info.attenuation.start = attenuation.startLimit();
    info.attenuation.end = attenuation.endLimit();

    info.photometry.physicalIntensity = light.physicalIntensity();
    info.photometry.method = light.physicalIntensityMethod();
    info.photometry.distance = light.illuminanceDistance();
    info.photometry.lampColorType = light.lampColorType();
    info.photometry.lampColorTemp = light.lampColorTemp();
    info.photometry.preset = light.lampColorPreset();
    // Converted as the photometry menu converts: the distance in metres.
    const auto method = light.physicalIntensityMethod();
    const double metres = light.illuminanceDistance() * LightingUtil::getUnitFactor(true);
    info.photometry.candela =
        LightingUtil::ConvertIntensity(&light, method, PlDbLight::kPeakIntensity, light.physicalIntensity(), metres);
    info.photometry.lumens =
        LightingUtil::ConvertIntensity(&light, method, PlDbLight::kFlux, light.physicalIntensity(), metres);
    const LampPreset* preset = lampPresetOf(light.lampColorPreset());
    info.photometry.lampKelvin =
        light.lampColorType() == PlDbLight::kPreset && preset ? preset->kelvin : light.lampColorTemp();
    info.photometry.lampRgb = plsim::kelvinToSrgb(info.photometry.lampKelvin);

    info.webFile = light.webFile();
    info.webRotation = light.webRotation();
    return info;
}

/// The colour `info` describes; false when it is none a light can have.
bool colorOf(const ColorInfo& info, PlCmColor& color) {
    const auto channel = [](int value) { return value >= 0 && value <= 255; };
    switch (info.method) {
        case ColorInfo::Method::Index:
            return info.index >= 0 && info.index <= 0xFFFF && color.setColorIndex(static_cast<std::uint16_t>(info.index)) == Plad::eOk;
        case ColorInfo::Method::Rgb:
        case ColorInfo::Method::Book:
            if (!channel(info.red) || !channel(info.green) || !channel(info.blue)) return false;
            color.setRGB(static_cast<std::uint8_t>(info.red), static_cast<std::uint8_t>(info.green),
                         static_cast<std::uint8_t>(info.blue));
            return info.method == ColorInfo::Method::Rgb ||
                   color.setNames(info.name.c_str(), info.book.c_str()) == Plad::eOk;
        case ColorInfo::Method::None:
            return false;  // no light is given no colour
    }
    return false;
}

bool shadowOf(const ShadowInfo& info, PlGiShadowParameters& shadow) {
    const auto fits16 = [](unsigned value) { return value <= 0xFFFF; };
    if (info.type < PlGiShadowParameters::kShadowsRayTraced || info.type > PlGiShadowParameters::kAreaSampled ||
        !fits16(info.mapSize) || info.softness > 0xFF || !fits16(info.samples))
        return false;
    shadow.setShadowsOn(info.on);
    shadow.setShadowType(static_cast<PlGiShadowParameters::ShadowType>(info.type));
    shadow.setShapeVisibility(info.shapeVisible);
    return shadow.setShadowMapSize(static_cast<std::uint16_t>(info.mapSize)) &&
           shadow.setShadowMapSoftness(static_cast<std::uint8_t>(info.softness)) &&
           shadow.setExtendedLightShape(static_cast<PlGiShadowParameters::ExtendedLightShape>(info.shape)) &&
           shadow.setExtendedLightLength(info.length) && shadow.setExtendedLightWidth(info.width) &&
           shadow.setExtendedLightRadius(info.radius) && shadow.setShadowSamples(static_cast<std::uint16_t>(info.samples));
}

bool attenuationOf(const AttenuationInfo& info, PlGiLightAttenuation& attenuation) {
    if (info.type < PlGiLightAttenuation::kNone || info.type > PlGiLightAttenuation::kInverseSquare ||
        !std::isfinite(info.start) || !std::isfinite(info.end))
        return false;
    attenuation.setAttenuationType(static_cast<PlGiLightAttenuation::AttenuationType>(info.type));
    attenuation.setUseLimits(info.useLimits);
    attenuation.setLimits(info.start, info.end);
    return true;
}

/// Gives `light`, not yet in a drawing, every property of `info` but its name.
bool fill(PlDbLight& light, const LightInfo& info) {
    const PhotometryInfo& p = info.photometry;
    PlCmColor color;
    PlGiShadowParameters shadow;
    PlGiLightAttenuation attenuation;
    const bool direction = std::isfinite(info.direction.x) && std::isfinite(info.direction.y) &&
                           std::isfinite(info.direction.z) && !info.direction.isZeroLength();
    const bool ok =
        direction && colorOf(info.color, color) && shadowOf(info.shadow, shadow) &&
        attenuationOf(info.attenuation, attenuation) && light.setLightKind(info.kind) == Plad::eOk &&
        light.setHasTarget(info.hasTarget) == Plad::eOk && light.setOn(info.on) == Plad::eOk &&
        light.setIntensity(info.intensity) == Plad::eOk && light.setLightColor(color) == Plad::eOk &&
        light.setShadowParameters(shadow) == Plad::eOk && light.setLightAttenuation(attenuation) == Plad::eOk &&
        light.setHotspotAndFalloff(info.hotspot, info.falloff) == Plad::eOk &&
        light.setPosition(info.position) == Plad::eOk && light.setTargetLocation(info.target) == Plad::eOk &&
        light.setWebRotation(info.webRotation) == Plad::eOk && light.setPhysicalIntensity(p.physicalIntensity) == Plad::eOk &&
        light.setPhysicalIntensityMethod(static_cast<PlDbLight::PhysicalIntensityMethod>(p.method)) == Plad::eOk &&
        light.setIlluminanceDistance(p.distance) == Plad::eOk &&
        light.setLampColorType(static_cast<PlDbLight::LampColorType>(p.lampColorType)) == Plad::eOk &&
        light.setLampColorTemp(p.lampColorTemp) == Plad::eOk &&
        light.setLampColorPreset(static_cast<PlDbLight::LampColorPreset>(p.preset)) == Plad::eOk &&
        light.setWebFile(info.webFile.c_str()) == Plad::eOk;
    if (!ok) return false;
    // Written last: placing the light aimed it at its target. A direction of unit length is
    // kept to the last bit, as saved; another is made so as the light makes one.
    if (std::fabs(info.direction.length() - 1.0) <= 1e-12) {
        fileDirection(light, info.direction);
        return true;
    }
    return light.setLightDirection(info.direction) == Plad::eOk;
}

}  // namespace

Plad::ErrorStatus addLight(PlDbDatabase* db, const LightInfo& info, PlDbObjectId& id) {
    id = PlDbObjectId::kNull;
    if (!db) return Plad::eNoDatabase;
    const PlDbObjectId layer = info.layer.empty() ? PlDbObjectId::kNull : db->layerId(info.layer.c_str());
    if (!info.layer.empty() && layer.isNull()) return Plad::eInvalidInput;
    if (info.name.empty() || !isValidLightName(info.name)) return Plad::eInvalidInput;
    PlDbObjectId taken;
    if (PlLightServiceManager::idAt(taken, info.name.c_str(), db) == Plad::eOk) return Plad::eDuplicateKey;
    auto* light = new PlDbLight;
    if (!light) return Plad::eOutOfMemory;
    Plad::ErrorStatus es = fill(*light, info) ? Plad::eOk : Plad::eInvalidInput;
    if (es == Plad::eOk && !layer.isNull()) es = light->setLayer(layer);
    if (es == Plad::eOk && info.handle != 0) es = plsim::giveNextHandle(db, info.handle);
    if (es != Plad::eOk) {
        delete light;
        return es;
    }
    PlDbBlockTableRecord* space = nullptr;
    es = pldbOpenObject(space, db->modelSpaceId(), PlDb::kForWrite);
    if (es == Plad::eOk) {
        es = space->appendPlDbEntity(id, light);
        space->close();
    }
    if (es != Plad::eOk) {
        if (info.handle != 0) static_cast<void>(plsim::giveNextHandle(db, 0));
        delete light;
        id = PlDbObjectId::kNull;
        return es;
    }
    // Named in the drawing, where the name index takes it in.
    es = light->setName(info.name.c_str());
    if (es != Plad::eOk) {
        static_cast<void>(light->erase(true));
        id = PlDbObjectId::kNull;
    }
    light->close();
    return es;
}

std::vector<LightInfo> lightsOf(PlDbDatabase* db) {
    std::vector<LightInfo> lights;
    forEachLight(db, [&lights](const PlDbLight& light) { lights.push_back(lightInfo(light)); });
    return lights;
}

void forEachLightInfo(PlDbDatabase* db, const std::function<void(const LightInfo&)>& visit) {
    forEachLight(db, [&visit](const PlDbLight& light) { visit(lightInfo(light)); });
}

std::size_t lightCount(PlDbDatabase* db) {
    std::size_t count = 0;
    forEachLight(db, [&count](const PlDbLight&) { ++count; });
    return count;
}

}  // namespace plsim::scene
