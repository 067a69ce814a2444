// The attenuation option: its sub-menu, the type prompt and the two limit prompts.
#include "lightedit/AttenuationOptions.h"

#include "common/Messages.h"
#include "host/pled.h"
#include "lightedit/InputPrimitives.h"

namespace {

/// The gap kept between the limits when one is entered past the other.
constexpr double kLimitGap = 1.0;

bool promptLimit(const LightEditContext& context, unsigned promptId, double& limit, bool& useLimits) {
    wchar_t shown[kReplyBufferSize];
    realToText(limit, -1, shown);
    const PlString prompt = loadMessage(promptId) + context.defaultOpen + shown + context.defaultClose;
    pledInitGet(PLRSG_NONEG, L"");
    if (pledGetReal(prompt.kwszPtr(), &limit) == PLRTCAN) return false;
    useLimits = true;
    return true;
}

}  // namespace

PlString attenuationTypeDefaultText(const LightEditContext& context, int type) {
    PlString name;
    for (const AttenuationTypeRow& row : kAttenuationTypes)
        if (row.type == type) name = loadMessage(row.nameId);
    return context.defaultOpen + name + context.defaultClose;
}

bool promptAttenuationType(const LightEditContext& context, int& type) {
    const PlString prompt = loadMessage(msg::kAttenuationTypePrompt) + attenuationTypeDefaultText(context, type);
    const PlString keywords = loadMessage(msg::kAttenuationTypeKeywords);
    pledInitGet(0, keywords.kwszPtr());
    wchar_t reply[kReplyBufferSize];
    if (getKeywordInput(prompt.kwszPtr(), reply) != PLRTNORM) return false;
    if (const AttenuationTypeRow* row = findKeyword(reply, kAttenuationTypes)) type = row->type;
    return true;
}

bool promptAttenuationStart(const LightEditContext& context, double& startLimit, bool& useLimits) {
    return promptLimit(context, msg::kStartLimitPrompt, startLimit, useLimits);
}

bool promptAttenuationEnd(const LightEditContext& context, double& endLimit, bool& useLimits) {
    return promptLimit(context, msg::kEndLimitPrompt, endLimit, useLimits);
}

bool runAttenuationMenu(const LightEditContext& context, PlGiLightAttenuation& record, int type, bool useLimits,
                        double startLimit, double endLimit) {
    bool changed = false;
    for (;;) {
        const PlString keywords = loadMessage(msg::kAttenuationMenuKeywords);
        pledInitGet(0, keywords.kwszPtr());
        const PlString prompt = loadMessage(msg::kAttenuationMenuPrompt);
        wchar_t reply[kReplyBufferSize];
        const int status = getKeywordInput(prompt.kwszPtr(), reply);
        if (status == PLRTCAN) return false;
        if (status == PLRTNONE) return changed;
        if (status != PLRTNORM) continue;
        const auto* option = findKeyword(reply, kAttenuationMenu);
        if (!option) continue;
        switch (option->value) {
            case AttenuationOption::Type:
                if (promptAttenuationType(context, type)) {
                    record.setAttenuationType(static_cast<PlGiLightAttenuation::AttenuationType>(type));
                    changed = true;
                }
                break;
            case AttenuationOption::UseLimits:
                if (promptOnOff(context, msg::kUseLimitsPrompt, useLimits)) {
                    record.setUseLimits(useLimits);
                    changed = true;
                }
                break;
            case AttenuationOption::Start:
                if (promptAttenuationStart(context, startLimit, useLimits)) {
                    // A start at or past the end pushes the end out.
                    const double end = record.endLimit();
                    record.setLimits(startLimit, end > startLimit ? end : startLimit + kLimitGap);
                    record.setUseLimits(useLimits);
                    changed = true;
                }
                break;
            case AttenuationOption::End:
                if (promptAttenuationEnd(context, endLimit, useLimits)) {
                    // An end at or before the start pulls the start in.
                    const double start = record.startLimit();
                    record.setLimits(endLimit > start ? start : endLimit - kLimitGap, endLimit);
                    record.setUseLimits(useLimits);
                    changed = true;
                }
                break;
            case AttenuationOption::Exit: return changed;
        }
    }
}
