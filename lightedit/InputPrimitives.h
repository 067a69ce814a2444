// Command-line input primitives shared by the light menus and their options.
#pragma once

#include <cstddef>

#include "common/Keywords.h"
#include "host/plstring.h"
#include "lightedit/LightEditContext.h"

/// Wide characters in a keyword reply or formatted-number buffer, terminator included.
constexpr std::size_t kReplyBufferSize = 133;
/// Wide characters in the light-name buffer, terminator included.
constexpr std::size_t kNameBufferSize = 512;

/// Copies a host reply into a caller buffer. Empties the buffer first; -5001
/// without a buffer, or on 5100 without a text; -5008 (keeping the first
/// capacity-1 characters) when the text does not fit; else `hostStatus`.
int copyReply(int hostStatus, const wchar_t* text, wchar_t* buffer, std::size_t capacity);

/// Equal texts, letter case ignored for A to Z only, so that every system compares alike.
bool sameIgnoringCase(const wchar_t* a, const wchar_t* b);

/// Asks for a keyword declared just before with pledInitGet; the reply (the
/// global name) goes to `reply` (kReplyBufferSize characters).
int getKeywordInput(const wchar_t* prompt, wchar_t* reply);
/// No keyword list: a keyword prompt that takes only the text typed.
inline constexpr unsigned kNoKeywords = 0;
/// Declares the keyword-list message `keywordListId` with the flags of
/// pledInitGet and asks for a keyword as getKeywordInput does.
int askKeyword(const PlString& prompt, unsigned keywordListId, int flags, wchar_t* reply);
/// Asks for a text; allowSpaces 1 lets the reply hold spaces.
int getStringInput(int allowSpaces, const wchar_t* prompt, wchar_t* reply, std::size_t capacity);
/// Formats a real in a unit mode (2 decimal, -1 the drawing's) at the
/// drawing's precision into `buffer` (kReplyBufferSize characters).
int realToText(double value, int unit, wchar_t* buffer);

/// defaultOpen + the value as a whole number + defaultClose.
PlString integerDefaultText(const LightEditContext& context, int value);
/// defaultOpen + the on or off word + defaultClose; alternateWords picks the
/// second pair of words (the shadow options').
PlString onOffDefaultText(const LightEditContext& context, bool value, bool alternateWords);
/// The replies of the on/off prompts; msg::kOnOffKeywords declares them.
inline constexpr KeywordRow<bool> kOnOffReplies[] = {{L"oN", true}, {L"oFf", false}};

/// Asks on or off with the current value as default. True when a keyword was
/// given ("oN" and "oFf" set `value`); false on Enter, cancel or error.
bool promptOnOff(const LightEditContext& context, unsigned promptMessageId, bool& value);
