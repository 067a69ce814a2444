// The keyword loop of the property menus and the working values it edits.
#include "lightedit/MenuState.h"

#include <cstdint>
#include <limits>

#include "common/Messages.h"
#include "common/SysVars.h"
#include "host/pled.h"

bool runKeywordLoop(LightEditContext& context, MenuState& state, const MenuDefinition& menu) {
    for (;;) {
        // The prompt follows "LIGHTINGUNITS" each time it is shown.
        const PlString& prompt =
            loadMessage(photometricUnits() ? menu.photometricPromptId : menu.genericPromptId);
        wchar_t reply[kReplyBufferSize];
        const int status = askKeyword(prompt, menu.keywordListId, 0, reply);
        if (status == PLRTCAN) return false;
        if (status == PLRTNONE) return true;
        if (status != PLRTNORM) continue;
        const PlString answer(reply);
        for (std::size_t i = 0; i < menu.entryCount; ++i) {
            if (!(answer == menu.entries[i].keyword)) continue;
            if (menu.entries[i].action(context, state)) return true;
            break;
        }
    }
}

bool readWorkingValues(const PlDbLight& light, MenuState& state) {
    PlGiShadowParameters record;
    if (light.shadowParameters(record) != Plad::eOk) return false;
    copyReply(PLRTNORM, light.name(), state.name, kNameBufferSize);
    state.intensity = light.intensity();
    state.on = light.isOn();
    const PlGiLightAttenuation& attenuation = light.lightAttenuation();
    state.attenuationType = attenuation.attenuationType();
    state.useLimits = attenuation.useLimits();
    state.startLimit = attenuation.startLimit();
    state.endLimit = attenuation.endLimit();
    state.shadow.on = record.shadowsOn();
    state.shadow.type = record.shadowType();
    state.shadow.mapSize = record.shadowMapSize();
    state.shadow.softness = record.shadowMapSoftness();
    state.shadow.shape = record.extendedLightShape();
    state.shadow.length = record.extendedLightLength();
    state.shadow.width = record.extendedLightWidth();
    state.shadow.radius = record.extendedLightRadius();
    state.shadow.samples = record.shadowSamples();
    state.shadow.visible = record.shapeVisibility();
    state.color = light.lightColor();
    state.falloff = light.falloffAngle();
    state.hotspot = light.hotspotAngle();
    state.webFile = PlString(light.webFile());
    state.webRotation = light.webRotation();
    return true;
}

void storeShadowSettings(PlDbLight& light, const ShadowSettings& shadow) {
    PlGiShadowParameters record;
    if (light.shadowParameters(record) != Plad::eOk) return;
    record.setShadowsOn(shadow.on);
    if (shadow.on) {
        record.setShadowType(static_cast<PlGiShadowParameters::ShadowType>(shadow.type));
        record.setShadowMapSize(static_cast<std::uint16_t>(shadow.mapSize));
        record.setShadowMapSoftness(static_cast<std::uint8_t>(shadow.softness));
        record.setExtendedLightShape(static_cast<PlGiShadowParameters::ExtendedLightShape>(shadow.shape));
        record.setExtendedLightLength(shadow.length);
        record.setExtendedLightWidth(shadow.width);
        record.setExtendedLightRadius(shadow.radius);
        // A count the 16-bit field cannot hold is not cut down to one that it can.
        if (shadow.samples >= 0 && shadow.samples <= std::numeric_limits<std::uint16_t>::max()) {
            record.setShadowSamples(static_cast<std::uint16_t>(shadow.samples));
        }
        record.setShapeVisibility(shadow.visible);
    }
    light.setShadowParameters(record);
}
