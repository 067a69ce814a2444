// The "Name" option: asking for a light's new name and checking it.
#pragma once

#include "host/plstring.h"
#include "lightedit/LightEditContext.h"

/// Characters a light name must not hold.
extern const wchar_t kForbiddenNameCharacters[];
/// Longest light name accepted.
constexpr std::size_t kLongestLightName = 255;

/// Asks for a name until it is valid (true: nameBuffer holds it), empty
/// (false: the name stays) or cancelled (false: nameBuffer is left empty).
/// nameBuffer holds kNameBufferSize characters.
bool promptLightName(const LightEditContext& context, PlString suggested, wchar_t* nameBuffer);
