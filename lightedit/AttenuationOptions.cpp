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

/// Asks for the start limit (or the end limit) and stores both limits in the
/// record: a limit entered at or past the other moves that one out of its
/// way by kLimitGap. False on a cancel.
bool changeLimit(const LightEditContext& context, PlGiLightAttenuation& record, bool start, double& limit,
                 bool& useLimits) {
    if (!promptLimit(context, start ? msg::kStartLimitPrompt : msg::kEndLimitPrompt, limit, useLimits)) return false;
    const double other = start ? record.endLimit() : record.startLimit();
    if (start) record.setLimits(limit, other > limit ? other : limit + kLimitGap);
    else record.setLimits(limit > other ? other : limit - kLimitGap, limit);
    record.setUseLimits(useLimits);
    return true;
}

}  // namespace

PlString attenuationTypeDefaultText(const LightEditContext& context, int type) {
    PlString name;
    for (const AttenuationTypeRow& row : kAttenuationTypes)
        if (row.value == type) name = loadMessage(row.nameId);
    return context.defaultOpen + name + context.defaultClose;
}

bool promptAttenuationType(const LightEditContext& context, int& type) {
    const PlString prompt = loadMessage(msg::kAttenuationTypePrompt) + attenuationTypeDefaultText(context, type);
    wchar_t reply[kReplyBufferSize];
    if (askKeyword(prompt, msg::kAttenuationTypeKeywords, 0, reply) != PLRTNORM) return false;
    if (const AttenuationTypeRow* row = findKeyword(reply, kAttenuationTypes)) type = row->value;
    return true;
}

bool runAttenuationMenu(const LightEditContext& context, PlGiLightAttenuation& record, int type, bool useLimits,
                        double startLimit, double endLimit) {
    bool changed = false;
    for (;;) {
        const PlString prompt = loadMessage(msg::kAttenuationMenuPrompt);
        wchar_t reply[kReplyBufferSize];
        const int status = askKeyword(prompt, msg::kAttenuationMenuKeywords, 0, reply);
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
                if (changeLimit(context, record, true, startLimit, useLimits)) changed = true;
                break;
            case AttenuationOption::End:
                if (changeLimit(context, record, false, endLimit, useLimits)) changed = true;
                break;
            case AttenuationOption::Exit: return changed;
        }
    }
}
