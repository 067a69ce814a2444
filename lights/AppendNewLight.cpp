// Placing a new light: the kind question of LIGHT, the property menu of the
// kind, and discarding the light when the user ends placement.
#include <new>

#include "app/Messages.h"
#include "app/SysVars.h"
#include "app/ZuredUDKMX.h"
#include "host/pldb.h"
#include "host/pldocs.h"
#include "host/pled.h"
#include "host/plscene.h"
#include "lightedit/InputPrimitives.h"
#include "lightedit/PropertyMenus.h"
#include "lights/LastLightKind.h"

namespace {

/// The local name of the last kind placed, shown as the kind question's default.
PlString defaultLightKindName() {
    switch (lastLightKind) {
        case PlDbLight::kDistantLight: return loadMessage(2568);
        case PlDbLight::kPointLight: return loadMessage(lastLightTargeted ? 2576 : 2572);
        case PlDbLight::kSpotLight: return loadMessage(lastLightTargeted ? 2574 : 2570);
        case PlDbLight::kWebLight: return loadMessage(lastLightTargeted ? 2577 : 2571);
        default: return PlString();
    }
}

bool runMenuOfKind(LightEditContext& context, int kind, bool hasTarget) {
    switch (kind) {
        case PlDbLight::kSpotLight: return editSpotLight(context, hasTarget);
        case PlDbLight::kDistantLight: return editDistantLight(context);
        case PlDbLight::kPointLight: return editPointLight(context, hasTarget);
        case PlDbLight::kWebLight: return editWebLight(context, hasTarget);
        default: return false;
    }
}

/// The kind question of LIGHT; runs the chosen menu and answers its result.
bool askKindAndRunMenu(LightEditContext& context) {
    PlString prompt = fillMessageArgument(loadMessage(2402), defaultLightKindName().kwszPtr());
    const PlString keywords = loadMessage(2403);
    pledInitGet(0, keywords.kwszPtr());
    wchar_t reply[kReplyBufferSize];
    const int status = getKeywordInput(prompt.kwszPtr(), reply);
    if (status == PLRTNONE) return runMenuOfKind(context, lastLightKind, lastLightTargeted);
    if (status != PLRTNORM) return false;

    struct KindChoice {
        const wchar_t* keyword;
        int kind;
        bool hasTarget;
    };
    static const KindChoice kChoices[] = {
        {L"Spot", PlDbLight::kSpotLight, true},        {L"Point", PlDbLight::kPointLight, false},
        {L"Distant", PlDbLight::kDistantLight, false}, {L"Web", PlDbLight::kWebLight, true},
        {L"Targetpoint", PlDbLight::kPointLight, true}, {L"Freespot", PlDbLight::kSpotLight, false},
        {L"freeweB", PlDbLight::kWebLight, false},
    };
    const PlString answer(reply);
    for (const KindChoice& choice : kChoices) {
        if (!(answer == choice.keyword)) continue;
        if (choice.kind != PlDbLight::kDistantLight) lastLightTargeted = choice.hasTarget;
        return runMenuOfKind(context, choice.kind, choice.hasTarget);
    }
    return false;
}

struct DirectKind {
    LightType type;
    int kind;
    bool hasTarget;
};

const DirectKind kDirectKinds[] = {
    {kLightDistant, PlDbLight::kDistantLight, false}, {kLightPoint, PlDbLight::kPointLight, false},
    {kLightTargetPoint, PlDbLight::kPointLight, true}, {kLightSpot, PlDbLight::kSpotLight, true},
    {kLightFreeSpot, PlDbLight::kSpotLight, false},   {kLightWeb, PlDbLight::kWebLight, true},
    {kLightFreeWeb, PlDbLight::kWebLight, false},
};

}  // namespace

Plad::ErrorStatus ZuredUDKMX::appendNewLightToModelSpace(LightType type) {
    PlApDocManager* docs = plDocManagerPtr();
    PlApDocument* doc = docs ? docs->mdiActiveDocument() : nullptr;
    if (!doc) return Plad::eNoDocument;
    if (!doc->database()) return Plad::eNoDatabase;

    PlDbLight* light = new (std::nothrow) PlDbLight();
    if (!light) return Plad::eOutOfMemory;

    LightEditContext context;
    context.light = light;
    context.appended = false;
    context.defaultOpen = loadMessage(2559);
    context.defaultClose = loadMessage(2682);

    bool kept = false;
    bool madeNothing = false;
    if (type == kLightAnyKind) {
        kept = askKindAndRunMenu(context);
    } else {
        const DirectKind* direct = nullptr;
        for (const DirectKind& entry : kDirectKinds)
            if (entry.type == type) direct = &entry;
        if (!direct) {
            madeNothing = true;
        } else {
            light->setLightKind(direct->kind);
            if (getSysVarInt(L"cvport") == 1) printMessage(2634);
            else kept = runMenuOfKind(context, direct->kind, direct->hasTarget);
        }
    }

    Plad::ErrorStatus status = Plad::eOk;
    if (!kept) {
        if (context.appended && !madeNothing) light->erase(true);
        status = context.failure != Plad::eOk ? context.failure : Plad::eUserBreak;
    }
    if (light->objectId().isNull()) delete light;
    else light->close();
    return status;
}
