// Reading the lights of a drawing for tests and the console.
#include "hostsim/sceneoe/scene_driver.h"

#include <functional>

#include "host/plscene.h"
#include "hostsim/drawing_driver.h"
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

}  // namespace

std::vector<LightInfo> lightsOf(PlDbDatabase* db) {
    std::vector<LightInfo> lights;
    forEachLight(db, [&lights](const PlDbLight& light) { lights.push_back(lightInfo(light)); });
    return lights;
}

std::size_t lightCount(PlDbDatabase* db) {
    std::size_t count = 0;
    forEachLight(db, [&count](const PlDbLight&) { ++count; });
    return count;
}

}  // namespace plsim::scene
