// The kinds of light the commands place: one row a command, with its keyword, kind, target and base name.
#pragma once

#include "common/Messages.h"
#include "host/plscene.h"
#include "lights/LightType.h"

struct LightKindRow {
    LightType command;          ///< the command that places such a light directly
    const wchar_t* keyword;     ///< its global keyword at the kind question of LIGHT
    unsigned keywordName;       ///< the keyword's local name, the question's default after such a light
    PlDbLight::LightKind kind;
    bool hasTarget;
    unsigned baseName;          ///< the name new lights of the kind are numbered from
};

/// In the order the replies of LIGHT's kind question are tested; msg::kKindKeywords declares
/// the keywords. Every command but LIGHT has its row.
inline constexpr LightKindRow kLightKinds[] = {
    {kLightSpot, L"Spot", msg::kKindSpot, PlDbLight::kSpotLight, true, msg::kBaseNameSpot},
    {kLightPoint, L"Point", msg::kKindPoint, PlDbLight::kPointLight, false, msg::kBaseNamePoint},
    {kLightDistant, L"Distant", msg::kKindDistant, PlDbLight::kDistantLight, false, msg::kBaseNameDistant},
    {kLightWeb, L"Web", msg::kKindWeb, PlDbLight::kWebLight, true, msg::kBaseNameWeb},
    {kLightTargetPoint, L"Targetpoint", msg::kKindTargetPoint, PlDbLight::kPointLight, true, msg::kBaseNamePoint},
    {kLightFreeSpot, L"Freespot", msg::kKindFreeSpot, PlDbLight::kSpotLight, false, msg::kBaseNameSpot},
    {kLightFreeWeb, L"freeweB", msg::kKindFreeWeb, PlDbLight::kWebLight, false, msg::kBaseNameWeb},
};

/// The row of a command; null for LIGHT, which asks for the kind.
const LightKindRow* lightKindOf(LightType command);
/// The row of a kind with or without a target; a distant light has none, so `hasTarget` does
/// not matter for it. Null when none fits.
const LightKindRow* lightKindOf(PlDbLight::LightKind kind, bool hasTarget);
