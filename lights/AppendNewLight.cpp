// Placing a new light: the kind question of LIGHT, the property menu of the
// kind, and discarding the light when the user ends placement.
#include <new>

#include "common/Messages.h"
#include "common/SysVars.h"
#include "host/pldb.h"
#include "host/pldocs.h"
#include "host/pled.h"
#include "lightedit/InputPrimitives.h"
#include "lights/CompleteLight.h"
#include "lights/LastLightKind.h"
#include "lights/LightCommands.h"
#include "lights/LightKinds.h"

namespace {

/// The local name of the last kind placed, shown as the kind question's default.
PlString defaultLightKindName() {
    const LightKindRow* last = lightKindOf(lastLightKind, lastLightTargeted);
    return last ? loadMessage(last->keywordName) : PlString();
}

/// The kind question of LIGHT; runs the chosen menu and answers its result.
bool askKindAndRunMenu(LightEditContext& context) {
    const PlString prompt = fillMessageArgument(loadMessage(msg::kKindPrompt), defaultLightKindName().kwszPtr());
    wchar_t reply[kReplyBufferSize];
    const int status = askKeyword(prompt, msg::kKindKeywords, 0, reply);
    if (status == PLRTNONE) {
        const LightKindRow* last = lightKindOf(lastLightKind, lastLightTargeted);
        return last && completeAndEditLight(context, *last);
    }
    if (status != PLRTNORM) return false;

    const LightKindRow* chosen = findKeyword(reply, kLightKinds);
    if (!chosen) return false;
    if (chosen->kind != PlDbLight::kDistantLight) lastLightTargeted = chosen->hasTarget;
    return completeAndEditLight(context, *chosen);
}

}  // namespace

Plad::ErrorStatus appendNewLight(LightType type) {
    PlApDocManager* docs = plDocManagerPtr();
    PlApDocument* doc = docs ? docs->mdiActiveDocument() : nullptr;
    if (!doc) return Plad::eNoDocument;
    if (!doc->database()) return Plad::eNoDatabase;

    PlDbLight* light = new (std::nothrow) PlDbLight();
    if (!light) return Plad::eOutOfMemory;

    LightEditContext context;
    context.light = light;
    context.appended = false;
    context.defaultOpen = loadMessage(msg::kDefaultOpen);
    context.defaultClose = loadMessage(msg::kDefaultClose);

    bool kept = false;
    if (const LightKindRow* direct = lightKindOf(type)) {
        light->setLightKind(direct->kind);
        if (getSysVarInt(L"cvport") == 1) printMessage(msg::kNotInThisViewport);
        else kept = completeAndEditLight(context, *direct);
    } else {
        kept = askKindAndRunMenu(context);  // LIGHT: the user chooses
    }

    Plad::ErrorStatus status = Plad::eOk;
    if (!kept) {
        if (context.appended) light->erase(true);
        status = context.failure != Plad::eOk ? context.failure : Plad::eUserBreak;
    }
    if (light->objectId().isNull()) delete light;
    else light->close();
    return status;
}
