// The intensity, hotspot and falloff options.
#include "lightedit/ScalarOptions.h"

#include <cmath>
#include <limits>

#include "common/Messages.h"
#include "host/pled.h"
#include "host/plscene.h"
#include "lightedit/InputPrimitives.h"

namespace {

constexpr double kRadiansPerDegree = 0.017453292519943295;
constexpr double kPi = 3.141592653589793;

double toRadians(double degrees) { return degrees / 180.0 * kPi; }
/// True when `radians` is an angle a spot light takes; says why not otherwise.
bool isSpotAngle(double radians) {
    const double degrees = radians / kPi * 180.0;
    if (degrees >= 0.0 && degrees <= kLargestSpotAngleDegrees) return true;
    printMessage(msg::kAngleOutOfRange);
    return false;
}

/// The whole number of degrees shown as the falloff's default, truncated
/// toward zero; an angle no int holds shows as the nearest int.
int wholeDegrees(double degrees) {
    if (std::isnan(degrees)) return 0;
    if (degrees >= static_cast<double>(std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
    if (degrees <= static_cast<double>(std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
    return static_cast<int>(degrees);
}

PlString realDefault(const LightEditContext& context, double value, int unit) {
    wchar_t text[kReplyBufferSize];
    realToText(value, unit, text);
    return context.defaultOpen + text + context.defaultClose;
}

}  // namespace

bool promptIntensity(const LightEditContext& context, double& value) {
    const PlString prompt = loadMessage(msg::kIntensityPrompt) + realDefault(context, value, 2);
    for (;;) {
        double typed = value;
        pledInitGet(PLRSG_NONEG, L"");
        if (pledGetReal(prompt.kwszPtr(), &typed) == PLRTCAN) return false;
        // Enter keeps what the light holds, whatever put it there.
        if (typed <= kLargestIntensity || typed == value) {
            value = typed;
            return true;
        }
        printMessage(msg::kIntensityOutOfRange);
    }
}

bool promptAngle(const LightEditContext& context, double& angle) {
    double degrees = angle / kRadiansPerDegree;
    const PlString prompt = loadMessage(msg::kHotspotPrompt) + realDefault(context, degrees, -1);
    pledInitGet(PLRSG_NONEG, L"");
    if (pledGetReal(prompt.kwszPtr(), &degrees) == PLRTCAN) return false;
    angle = toRadians(degrees);
    return true;
}

void promptHotspot(const LightEditContext& context, double& workingHotspot, double workingFalloff) {
    for (;;) {
        double hotspot = context.light->hotspotAngle();
        if (!promptAngle(context, hotspot)) {
            workingHotspot = context.light->hotspotAngle();
            return;
        }
        if (!isSpotAngle(hotspot)) continue;
        workingHotspot = hotspot;
        context.light->setHotspotAndFalloff(workingHotspot, workingFalloff);
        return;
    }
}

void promptFalloff(const LightEditContext& context, double workingHotspot, double& workingFalloff) {
    for (;;) {
        workingFalloff = context.light->falloffAngle();
        double degrees = workingFalloff / kRadiansPerDegree;
        const PlString prompt = loadMessage(msg::kFalloffPrompt) + integerDefaultText(context, wholeDegrees(degrees));
        pledInitGet(PLRSG_NONEG, L"");
        if (pledGetReal(prompt.kwszPtr(), &degrees) == PLRTCAN) return;
        const double falloff = toRadians(degrees);
        if (!isSpotAngle(falloff)) continue;
        workingFalloff = falloff;
        context.light->setHotspotAndFalloff(workingHotspot, workingFalloff);
        return;
    }
}
