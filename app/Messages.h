// Texts of the resource module by message id, and printing them.
#pragma once

#include "host/plstring.h"

class ZuredUDKMX;

/// The text of message `id` from the application's resource module. When the
/// module cannot be loaded, the text says so (with the module's name) instead.
PlString loadMessage(const ZuredUDKMX* app, unsigned id);
/// loadMessage of the running application.
PlString loadMessage(unsigned id);
/// Prints message `id` as it stands (no formatting is applied to it).
void printMessage(unsigned id);
/// `message` with its first "%s" replaced by `argument` as plain text ("%%"
/// becomes "%"; nothing else is interpreted).
PlString fillMessageArgument(const PlString& message, const wchar_t* argument);
/// Prints message `id` with its one "%s" filled with `argument`.
void printMessage(unsigned id, const wchar_t* argument);

/// The text of message `id` through the module-wide resource holder that the
/// direction input uses; it loads "PlSceneRes.dll" on first use, apart from
/// the application object.
PlString loadModuleMessage(unsigned id);
/// Frees the module-wide resource holder's module (library detach).
void releaseModuleMessages();

/// The text shown in place of every message when the resource module is missing.
PlString resourceMissingText(const wchar_t* moduleName);
