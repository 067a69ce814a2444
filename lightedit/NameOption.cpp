// The "Name" option: length, uniqueness and character checks, in that order.
#include "lightedit/NameOption.h"

#include <cwchar>

#include "common/Messages.h"
#include "host/pldb.h"
#include "host/pled.h"
#include "host/plscene.h"
#include "lightedit/InputPrimitives.h"

const wchar_t kForbiddenNameCharacters[] = L"<>/\\\"\":;?*|,=`";

namespace {

/// True when `name` holds a forbidden character or a control character (the light refuses
/// both; a name accepted here and refused there would be lost without a word).
bool hasInvalidCharacter(const wchar_t* name) {
    for (const wchar_t* c = name; *c; ++c)
        if (*c < L' ' || *c == 0x7F) return true;
    return std::wcspbrk(name, kForbiddenNameCharacters) != nullptr;
}

void restoreName(wchar_t* nameBuffer, const wchar_t* previous, const PlString& suggested) {
    const wchar_t* source = previous[0] ? previous : suggested.kwszPtr();
    copyReply(PLRTNORM, source, nameBuffer, kNameBufferSize);
}

}  // namespace

bool promptLightName(const LightEditContext& context, PlString suggested, wchar_t* nameBuffer) {
    for (;;) {
        wchar_t previous[kNameBufferSize];
        previous[0] = L'\0';
        PlString prompt = loadMessage(msg::kNamePrompt) + context.defaultOpen;
        if (nameBuffer[0]) {
            copyReply(PLRTNORM, nameBuffer, previous, kNameBufferSize);
            prompt += nameBuffer;
        } else {
            prompt += suggested;
        }
        prompt += context.defaultClose;

        PlString reply;
        const int hostStatus = pledGetString(1, prompt.kwszPtr(), reply);
        const int status = copyReply(hostStatus, reply.kwszPtr(), nameBuffer, kNameBufferSize);
        if (status == PLRTTRUNC || std::wcslen(nameBuffer) > kLongestLightName) {
            printMessage(msg::kNameTooLong, nameBuffer);
            restoreName(nameBuffer, previous, suggested);
            continue;
        }
        if (status != PLRTNORM) return false;

        PlDbObjectId existing;
        PlDbHostApplicationServices* services = pldbHostApplicationServices();
        if (PlLightServiceManager::idAt(existing, nameBuffer, services ? services->workingDatabase() : nullptr) ==
            Plad::eOk) {
            printMessage(msg::kNameTaken);
            copyReply(PLRTNORM, suggested.kwszPtr(), nameBuffer, kNameBufferSize);
            continue;
        }
        if (nameBuffer[0] == L'\0') {
            restoreName(nameBuffer, previous, suggested);
            return false;
        }
        if (hasInvalidCharacter(nameBuffer)) {
            printMessage(msg::kNameForbiddenCharacters);
            restoreName(nameBuffer, previous, suggested);
            continue;
        }
        return true;
    }
}
