// The attenuation option: attenuation type, whether limits are used, and the start and end
// limits, kept in order.
#pragma once

#include "common/Keywords.h"
#include "host/plscene.h"
#include "host/plstring.h"
#include "lightedit/LightEditContext.h"
#include "resources/MessageIds.h"

/// The options of the attenuation sub-menu; msg::kAttenuationMenuKeywords declares them.
enum class AttenuationOption { Type, UseLimits, Start, End, Exit };
inline constexpr KeywordRow<AttenuationOption> kAttenuationMenu[] = {
    {L"attenuationType", AttenuationOption::Type},
    {L"Uselimits", AttenuationOption::UseLimits},
    {L"attenuationstartLimit", AttenuationOption::Start},
    {L"attenuationEndlimit", AttenuationOption::End},
    {L"eXit", AttenuationOption::Exit},
};

/// The attenuation types with their keywords (msg::kAttenuationTypeKeywords
/// declares them) and display names.
using AttenuationTypeRow = NamedKeywordRow<int>;
inline constexpr AttenuationTypeRow kAttenuationTypes[] = {
    {L"None", PlGiLightAttenuation::kNone, msg::kAttenuationNone},
    {L"Inverse", PlGiLightAttenuation::kInverseLinear, msg::kAttenuationInverse},
    {L"Squared", PlGiLightAttenuation::kInverseSquare, msg::kAttenuationSquared},
};

/// The attenuation sub-menu on `record`, a copy of the light's record, changed
/// in place. The four values are its working copies for this run: the prompts
/// show them as defaults and update them. True when the caller is to store the
/// record: something changed and the user left with "eXit" or Enter; false
/// after a cancel or when nothing changed.
bool runAttenuationMenu(const LightEditContext& context, PlGiLightAttenuation& record, int type, bool useLimits,
                        double startLimit, double endLimit);

/// Asks for the attenuation type. True when the caller is to apply `type`.
bool promptAttenuationType(const LightEditContext& context, int& type);

/// defaultOpen + the name of the type (nothing for a value that is none) + defaultClose.
PlString attenuationTypeDefaultText(const LightEditContext& context, int type);
