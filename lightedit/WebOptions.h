// The photometric web option: the web sub-menu (rotation about X, Y and Z, and the web file)
// and the web-file prompt with its dialog.
#pragma once

#include "common/Keywords.h"
#include "host/plge.h"
#include "host/plstring.h"
#include "lightedit/LightEditContext.h"

/// The options of the web sub-menu; msg::kWebOptionKeywords declares them.
enum class WebOption { X, Y, Z, File, Exit };
inline constexpr KeywordRow<WebOption> kWebOptions[] = {
    {L"X", WebOption::X}, {L"Y", WebOption::Y}, {L"Z", WebOption::Z}, {L"File", WebOption::File},
    {L"Exit", WebOption::Exit},
};

/// The web sub-menu, on the menu's working file name and rotation (edited in place). True
/// when the user left with "Exit" or Enter; false on a cancel or another status at its
/// prompt, or when the file prompt failed.
bool promptWebOptions(const LightEditContext& context, PlString& webFile, PlGeVector3d& webRotation);

/// Asks for the web file: a name, resolved by the host and accepted with the extension
/// ".ies" (stored as the full path), or "~" for the host's web-file dialog. False only when
/// the prompt was not answered normally; the name is then unchanged.
bool promptWebFile(const LightEditContext& context, PlString& webFile);

/// True when `fileName` has the extension ".ies" in any letter case, taken as the standard
/// library's paths take it (".ies" alone, or "..", has none).
bool hasWebFileExtension(const PlString& fileName);

/// True when `fileName` names a regular file (links followed) that opens for reading: not a
/// folder, a device or a pipe.
bool isReadableFile(const PlString& fileName);
