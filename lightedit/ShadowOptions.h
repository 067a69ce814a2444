// The shadow option: shadows off or their type, the map size and softness of mapped
// shadows, and the emitting shape of sampled ones.
#pragma once

#include "host/plstring.h"
#include "lightedit/LightEditContext.h"
#include "lightedit/MenuState.h"

/// The only shadow map sizes, in the order they are offered.
inline constexpr int shadowMapSizes[] = {64, 128, 256, 512, 1024, 2048, 4096};

/// The working shadow type when shadows are off; never stored in a light.
inline constexpr int kShadowTypeOff = -1;

/// Asks for the shadow type (or off), then what belongs to it: map size and
/// softness for mapped shadows, the shape sub-menu for sampled ones. Changes
/// the working values only. True when the caller is to store them; false
/// after a cancel at the type, map size or softness prompt.
bool runShadowMenu(const LightEditContext& context, ShadowSettings& shadow);

/// The shape sub-menu of sampled shadows: shape and its dimensions, samples,
/// visibility. True after "eXit"; false on Enter, a cancel, or "Shape" for a
/// light kind that has no shape.
bool runShadowShapeMenu(const LightEditContext& context, ShadowSettings& shadow);

/// defaultOpen + the name of the shadow type (the off word for any value
/// other than 0, 1 and 2) + defaultClose.
PlString shadowTypeDefaultText(const LightEditContext& context, int type);
/// The display name of an extended-light shape; empty for a value that is none.
PlString shapeDisplayName(int shape);
/// defaultOpen + the value formatted in `unit` + defaultClose.
PlString realDefaultText(const LightEditContext& context, double value, int unit);
