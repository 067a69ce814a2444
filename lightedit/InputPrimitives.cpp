// Command-line input primitives: reply copying, default-value texts, the on/off prompt.
#include "lightedit/InputPrimitives.h"

#include "common/Messages.h"
#include "host/pldb.h"
#include "host/pled.h"
#include "host/plstatus.h"

int copyReply(int hostStatus, const wchar_t* text, wchar_t* buffer, std::size_t capacity) {
    if (!buffer || capacity == 0) return PLRTERROR;
    buffer[0] = L'\0';
    if (hostStatus != PLRTNORM) return hostStatus;
    if (!text) return PLRTERROR;
    for (std::size_t i = 0; i < capacity; ++i) {
        buffer[i] = text[i];
        if (text[i] == L'\0') return PLRTNORM;
    }
    buffer[capacity - 1] = L'\0';
    return PLRTTRUNC;
}

bool sameIgnoringCase(const wchar_t* a, const wchar_t* b) {
    auto fold = [](wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; };
    for (;; ++a, ++b) {
        if (fold(*a) != fold(*b)) return false;
        if (*a == L'\0') return true;
    }
}

int getKeywordInput(const wchar_t* prompt, wchar_t* reply) {
    PlString text;
    const int status = pledGetKword(prompt, text);
    return copyReply(status, text.kwszPtr(), reply, kReplyBufferSize);
}

int askKeyword(const PlString& prompt, unsigned keywordListId, int flags, wchar_t* reply) {
    pledInitGet(flags, keywordListId == kNoKeywords ? nullptr : loadMessage(keywordListId).kwszPtr());
    return getKeywordInput(prompt.kwszPtr(), reply);
}

int getStringInput(int allowSpaces, const wchar_t* prompt, wchar_t* reply, std::size_t capacity) {
    PlString text;
    const int status = pledGetString(allowSpaces, prompt, text);
    return copyReply(status, text.kwszPtr(), reply, capacity);
}

int realToText(double value, int unit, wchar_t* buffer) {
    PlString text;
    const int status = pldbRToS(value, unit, -1, text);
    return copyReply(status, text.kwszPtr(), buffer, kReplyBufferSize);
}

PlString integerDefaultText(const LightEditContext& context, int value) {
    PlString digits;
    digits.format(L"%d", value);
    return context.defaultOpen + digits + context.defaultClose;
}

PlString onOffDefaultText(const LightEditContext& context, bool value, bool alternateWords) {
    const unsigned wordId =
        alternateWords ? (value ? msg::kWordYes : msg::kWordNo) : (value ? msg::kWordOn : msg::kWordOff);
    return context.defaultOpen + loadMessage(wordId) + context.defaultClose;
}

bool promptOnOff(const LightEditContext& context, unsigned promptMessageId, bool& value) {
    const PlString prompt = loadMessage(promptMessageId) + onOffDefaultText(context, value, false);
    wchar_t reply[kReplyBufferSize];
    if (askKeyword(prompt, msg::kOnOffKeywords, 0, reply) != PLRTNORM) return false;
    if (const auto* row = findKeyword(reply, kOnOffReplies)) value = row->value;
    return true;
}
