// The photometry option: its sub-menu, the intensity entry with its methods, and the lamp
// colour entry with the preset listing.
#include "lightedit/PhotometryOptions.h"

#include <cmath>

#include "common/Messages.h"
#include "common/SysVars.h"
#include "host/pldb.h"
#include "host/pled.h"
#include "lightedit/InputPrimitives.h"
#include "lightedit/ShadowOptions.h"

namespace {

/// The preset of that global keyword or local name.
const LampPresetRow* presetNamed(const wchar_t* name) {
    for (const LampPresetRow& row : lampPresetTable)
        if (sameIgnoringCase(row.keyword, name) || sameIgnoringCase(loadMessage(row.nameId).kwszPtr(), name))
            return &row;
    return nullptr;
}

/// A physical intensity typed as text. A light sends out no negative light:
/// the prompts ask the host to refuse such a number (and say why), and one that
/// still arrives is taken as a text that is none, so that the method and the
/// value stored together always belong together.
bool readPhysicalValue(const wchar_t* reply, double& value) {
    double number = 0.0;
    if (pldbDisToF(reply, 2, &number) != PLRTNORM) return false;
    if (!std::isfinite(number) || number < 0.0) return false;
    value = number;
    return true;
}

/// Switches the working intensity to `target`.
void switchMethod(const LightEditContext& context, PlDbLight::PhysicalIntensityMethod& method,
                  PlDbLight::PhysicalIntensityMethod target, double& intensity, double distance) {
    intensity = convertPhysicalIntensity(*context.light, method, target, intensity, distance);
    method = target;
}

enum class Step { Ask, Accepted, Abandoned };

/// The flag a value prompt adds for its default: a value that no number holds (a conversion
/// that overflowed) is no default, so Enter is refused by the host until a number is typed.
int noDefaultFlag(double value) { return std::isfinite(value) ? 0 : PLRSG_NONULL; }

Step askIntensity(const LightEditContext& context, PlDbLight::PhysicalIntensityMethod& method, double& intensity,
                  double distance) {
    const bool distant = context.light->lightKind() == PlDbLight::kDistantLight;
    const PlString prompt = loadMessage(distant ? msg::kDistantIntensityPrompt : msg::kCandelaPrompt) +
                            realDefaultText(context, intensity, 2);
    wchar_t reply[kReplyBufferSize];
    if (askKeyword(prompt, distant ? kNoKeywords : msg::kCandelaKeywords,
                   PLRSG_OTHER | PLRSG_NONEG | noDefaultFlag(intensity), reply) != PLRTNORM)
        return Step::Abandoned;
    if (const auto* other = findKeyword(reply, kIntensityMethods)) {
        switchMethod(context, method, other->value, intensity, distance);
        return Step::Ask;
    }
    return readPhysicalValue(reply, intensity) ? Step::Accepted : Step::Ask;
}

Step askFlux(const LightEditContext& context, double& flux) {
    const PlString prompt = loadMessage(msg::kFluxPrompt) + realDefaultText(context, flux, 2);
    pledInitGet(PLRSG_NONEG | noDefaultFlag(flux), L"");
    return pledGetReal(prompt.kwszPtr(), &flux) == PLRTCAN ? Step::Abandoned : Step::Accepted;
}

Step askIlluminance(const LightEditContext& context, double& illuminance, double& distance) {
    const unsigned promptId =
        getSysVarInt(L"LIGHTINGUNITS") == 1 ? msg::kIlluminanceFootCandlesPrompt : msg::kIlluminanceLuxPrompt;
    const PlString prompt = loadMessage(promptId) + realDefaultText(context, illuminance, 2);
    wchar_t reply[kReplyBufferSize];
    if (askKeyword(prompt, msg::kIlluminanceKeywords, PLRSG_OTHER | PLRSG_NONEG | noDefaultFlag(illuminance), reply) != PLRTNORM)
        return Step::Abandoned;
    if (findKeyword(reply, kIlluminanceOptions)) {
        // The illuminance stays as it is, now at the new distance. A distance
        // of zero would make every conversion from it meaningless: refused.
        const PlString distancePrompt = loadMessage(msg::kDistancePrompt) + realDefaultText(context, distance, 2);
        pledInitGet(PLRSG_NONEG | PLRSG_NOZERO, L"");
        if (pledGetReal(distancePrompt.kwszPtr(), &distance) == PLRTCAN) return Step::Abandoned;
        // An illuminance that no number holds is nothing to keep: it is asked for.
        return std::isfinite(illuminance) ? Step::Accepted : Step::Ask;
    }
    return readPhysicalValue(reply, illuminance) ? Step::Accepted : Step::Ask;
}

/// "?": lists every preset, or the one named.
bool listLampPresets() {
    const PlString prompt = loadMessage(msg::kPresetListPrompt);
    wchar_t reply[kReplyBufferSize];
    if (getStringInput(0, prompt.kwszPtr(), reply, kReplyBufferSize) != PLRTNORM) return false;
    const PlString name(reply);
    if (name.isEmpty() || name == L"*") {
        printMessage(msg::kPresetListHeading);
        for (const LampPresetRow& row : lampPresetTable) printLampPresetLine(row.nameId);
    } else if (const LampPresetRow* row = presetNamed(reply)) {
        printMessage(msg::kListingIndent);
        printMessage(row->nameId);
        printMessage(msg::kListingEnd);
    } else {
        printMessage(msg::kNoSuchPreset, reply);
    }
    return true;
}

}  // namespace

PlString lampPresetDisplayName(int preset) {
    for (const LampPresetRow& row : lampPresetTable)
        if (row.value == preset) return loadMessage(row.nameId);
    return PlString();
}

void printLampPresetLine(unsigned messageId) {
    plutPrintf(L"\n");
    printMessage(msg::kListingIndent);
    printMessage(messageId);
    printMessage(msg::kListingEnd);
}

PhotometryChoice promptPhotometryChoice() {
    const PlString prompt = loadMessage(msg::kPhotometryMenuPrompt);
    wchar_t reply[kReplyBufferSize];
    const int status = askKeyword(prompt, msg::kPhotometryMenuKeywords, 0, reply);
    if (status == PLRTNONE) return kEditIntensity;
    if (status != PLRTNORM) return kLeavePhotometry;
    const auto* choice = findKeyword(reply, kPhotometryMenu);
    return choice ? choice->value : kEditIntensity;
}

double convertPhysicalIntensity(const PlDbLight& light, PlDbLight::PhysicalIntensityMethod sourceMethod,
                                PlDbLight::PhysicalIntensityMethod targetMethod, double value, double distance) {
    const int kind = light.lightKind();
    if (kind == PlDbLight::kDistantLight) return value;
    const double metres = distance * LightingUtil::getUnitFactor(true);
    // A web light's distribution comes from its file; without one it shines as a point
    // light, and a point light made for the question (never added to a drawing) answers it.
    const wchar_t* webFile = light.webFile();
    if (kind == PlDbLight::kWebLight && (!webFile || !*webFile)) {
        PlDbLight point;
        static_cast<void>(point.setLightKind(PlDbLight::kPointLight));  // a light of its own takes any kind
        return LightingUtil::ConvertIntensity(&point, sourceMethod, targetMethod, value, metres);
    }
    return LightingUtil::ConvertIntensity(&light, sourceMethod, targetMethod, value, metres);
}

bool promptPhysicalIntensity(const LightEditContext& context, PlDbLight::PhysicalIntensityMethod& method,
                             double& intensity, double& distance) {
    switchMethod(context, method, PlDbLight::kPeakIntensity, intensity, distance);
    for (;;) {
        Step step = Step::Abandoned;
        switch (method) {
            case PlDbLight::kPeakIntensity: step = askIntensity(context, method, intensity, distance); break;
            case PlDbLight::kFlux: step = askFlux(context, intensity); break;
            case PlDbLight::kIlluminance: step = askIlluminance(context, intensity, distance); break;
        }
        if (step != Step::Ask) return step == Step::Accepted;
    }
}

bool promptLampColor(const LightEditContext& context, int& colorType, double& temperature, int& preset) {
    for (;;) {
        const PlString prompt = loadMessage(msg::kLampColorPrompt) + context.defaultOpen +
                                lampPresetDisplayName(preset) + context.defaultClose;
        wchar_t reply[kReplyBufferSize];
        if (askKeyword(prompt, msg::kLampColorKeywords, PLRSG_OTHER, reply) != PLRTNORM) return false;
        const auto* option = findKeyword(reply, kLampColorOptions);
        if (option && option->value == LampColorOption::List) {
            if (!listLampPresets()) return false;
            continue;
        }
        if (option && option->value == LampColorOption::Kelvin) {
            double kelvin = temperature;
            const PlString kelvinPrompt = loadMessage(msg::kKelvinPrompt) + realDefaultText(context, kelvin, 2);
            pledInitGet(PLRSG_NONEG, L"");
            if (pledGetReal(kelvinPrompt.kwszPtr(), &kelvin) == PLRTCAN) return false;
            temperature = kelvin;
            colorType = PlDbLight::kKelvin;
            return true;
        }
        if (const LampPresetRow* row = presetNamed(reply)) {
            colorType = PlDbLight::kPreset;
            preset = row->value;
            return true;
        }
        printMessage(msg::kNoSuchPreset, reply);
    }
}

void runPhotometryMenu(const LightEditContext& context) {
    PlDbLight* light = context.light;
    PlDbLight::PhysicalIntensityMethod method = light->physicalIntensityMethod();
    double intensity = light->physicalIntensity();
    double distance = light->illuminanceDistance();
    int colorType = light->lampColorType();
    double temperature = light->lampColorTemp();
    int preset = light->lampColorPreset();
    for (;;) {
        switch (promptPhotometryChoice()) {
            case kEditIntensity:
                if (promptPhysicalIntensity(context, method, intensity, distance)) {
                    light->setPhysicalIntensityMethod(method);
                    light->setPhysicalIntensity(intensity);
                    if (method == PlDbLight::kIlluminance) light->setIlluminanceDistance(distance);
                }
                break;
            case kEditLampColor:
                if (promptLampColor(context, colorType, temperature, preset)) {
                    light->setLampColorType(static_cast<PlDbLight::LampColorType>(colorType));
                    if (colorType == PlDbLight::kPreset) {
                        light->setLampColorPreset(static_cast<PlDbLight::LampColorPreset>(preset));
                    } else if (colorType == PlDbLight::kKelvin) {
                        light->setLampColorTemp(temperature);
                    }
                }
                break;
            case kLeavePhotometry:
                return;
        }
    }
}
