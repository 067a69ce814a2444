// Texts of the resource module by message id, and printing them.
#pragma once

#include "host/plres.h"
#include "host/plstring.h"
#include "resources/MessageIds.h"

/// The file name of the module's resource module.
inline constexpr wchar_t kResourceModuleName[] = L"PlSceneRes.dll";

/// The running application's resource module, loaded when it is not; null
/// when there is no application or its module cannot be loaded, and then
/// `missingName` (when given) names the module. The application (app/)
/// defines it: messages are the application's.
PlResModuleHandle applicationResources(const wchar_t** missingName = nullptr);

/// The text of message `id` from the application's resource module. When the
/// module cannot be loaded, the text says so (with the module's name) instead.
/// Each text is read from the module once; the reference stays valid until
/// forgetLoadedMessages.
const PlString& loadMessage(unsigned id);
/// Drops the texts loadMessage keeps: called as the application frees its
/// resource module, whose handle may later name another module.
void forgetLoadedMessages();
/// Prints message `id` as it stands (no formatting is applied to it).
void printMessage(unsigned id);
/// `message` with its first "%s" replaced by `argument` as plain text ("%%"
/// becomes "%"; nothing else is interpreted).
PlString fillMessageArgument(const PlString& message, const wchar_t* argument);
/// Prints message `id` with its one "%s" filled with `argument`.
void printMessage(unsigned id, const wchar_t* argument);

/// The text of message `id` through the module-wide resource holder that the
/// direction input uses; it loads the resource module on first use, apart
/// from the application object.
PlString loadModuleMessage(unsigned id);
/// Frees the module-wide resource holder's module (library detach).
void releaseModuleMessages();

/// The text shown in place of every message when the resource module is missing.
PlString resourceMissingText(const wchar_t* moduleName);
