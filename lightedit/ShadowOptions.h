// The shadow option: shadows off or their type, the map size and softness of mapped
// shadows, and the emitting shape of sampled ones.
#pragma once

#include "common/Keywords.h"
#include "host/plscene.h"
#include "host/plstring.h"
#include "lightedit/LightEditContext.h"
#include "lightedit/MenuState.h"
#include "resources/MessageIds.h"

/// The only shadow map sizes, in the order they are offered.
inline constexpr int shadowMapSizes[] = {64, 128, 256, 512, 1024, 2048, 4096};

/// The working shadow type when shadows are off; never stored in a light.
inline constexpr int kShadowTypeOff = -1;

/// The replies of the shadow type prompts; msg::kShadowTypeKeywords and
/// msg::kDistantShadowTypeKeywords declare them.
struct ShadowTypeReply {
    const wchar_t* keyword;
    bool on;
    int type;
};

inline constexpr ShadowTypeReply kShadowTypeReplies[] = {
    {L"Sharp", true, PlGiShadowParameters::kShadowsRayTraced},
    {L"soFt", true, PlGiShadowParameters::kShadowMaps},
    {L"soFtmapped", true, PlGiShadowParameters::kShadowMaps},
    {L"softsAmpled", true, PlGiShadowParameters::kAreaSampled},
    {L"Off", false, kShadowTypeOff},
};

/// A dimension of an emitting shape.
enum class Dimension { None, Length, Width, Radius };

/// The emitting shapes of sampled shadows; the shape prompts' keyword lists
/// (msg::kPointShapeKeywords and its twins) declare them.
struct ShapeRow {
    int shape;
    const wchar_t* keyword;
    unsigned nameId;
    Dimension first, second;  ///< asked in this order
};

inline constexpr ShapeRow kShapes[] = {
    {PlGiShadowParameters::kLinear, L"Linear", msg::kShapeLinear, Dimension::Length, Dimension::None},
    {PlGiShadowParameters::kRectangle, L"Rect", msg::kShapeRect, Dimension::Length, Dimension::Width},
    {PlGiShadowParameters::kDisk, L"Disk", msg::kShapeDisk, Dimension::Radius, Dimension::None},
    {PlGiShadowParameters::kCylinder, L"Cylinder", msg::kShapeCylinder, Dimension::Radius, Dimension::Length},
    {PlGiShadowParameters::kSphere, L"Sphere", msg::kShapeSphere, Dimension::Radius, Dimension::None},
};

/// The options of the shape sub-menu; msg::kShapeMenuKeywords declares them.
enum class ShapeOption { Shape, Samples, Visible, Exit };
inline constexpr KeywordRow<ShapeOption> kShapeMenu[] = {
    {L"Shape", ShapeOption::Shape},
    {L"sAmples", ShapeOption::Samples},
    {L"Visible", ShapeOption::Visible},
    {L"eXit", ShapeOption::Exit},
};

/// The replies of the shape visibility prompt; msg::kYesNoKeywords declares them.
inline constexpr KeywordRow<bool> kYesNoReplies[] = {{L"Yes", true}, {L"No", false}};

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
