// Colour entry: the prompts through which a menu's "Color" and "filterColor" set a colour as
// true colour, HSL, index colour or colour-book colour.
#pragma once

#include "common/Keywords.h"
#include "host/plcmcolor.h"
#include "host/plstring.h"
#include "lightedit/LightEditContext.h"
#include "resources/MessageIds.h"

/// Where the colour entry goes next; each prompt answers the state after it.
enum class ColorEntryState : int {
    TrueColor = 0,  ///< red, green and blue, or a keyword for another way
    Hsl = 1,        ///< hue, saturation and luminance
    Index = 2,      ///< an index colour by number or name
    ColorBook = 3,  ///< a book, then a colour of it
    Done = 4,       ///< the colour is final: the caller stores it
    Cancelled = 5,  ///< the user cancelled: the caller stores nothing
};

/// The other ways the true-colour prompt offers; msg::kTrueColorKeywords declares them.
inline constexpr KeywordRow<ColorEntryState> kOtherColorEntries[] = {
    {L"Hsl", ColorEntryState::Hsl},
    {L"Index", ColorEntryState::Index},
    {L"colorBook", ColorEntryState::ColorBook},
};

/// An index colour that can be given by name: the local name is a message,
/// the English name (the keyword) is accepted in every language.
using NamedIndexColor = NamedKeywordRow<unsigned>;

/// In the order the names are tried; msg::kIndexColorKeywords declares them.
inline constexpr NamedIndexColor namedIndexColors[] = {
    {L"Red", 1, msg::kColorRed},     {L"Yellow", 2, msg::kColorYellow}, {L"Green", 3, msg::kColorGreen},
    {L"Cyan", 4, msg::kColorCyan},   {L"Blue", 5, msg::kColorBlue},     {L"Magenta", 6, msg::kColorMagenta},
    {L"White", 7, msg::kColorWhite},
};

/// Runs the prompts from the true-colour prompt on `color` until Done or Cancelled.
ColorEntryState runColorEntry(const LightEditContext& context, PlCmColor& color);

/// Each asks once and answers the next state. `color` changes only on the way
/// to Done, and only after the whole reply was found good.
ColorEntryState promptTrueColor(const LightEditContext& context, PlCmColor& color);
ColorEntryState promptHslColor(const LightEditContext& context, PlCmColor& color);
ColorEntryState promptIndexColor(PlCmColor& color);
/// Asks for a book and then for colours of it until one is found.
ColorEntryState promptBookColor(PlCmColor& color);

/// The current value shown by the true-colour prompt (`hsl` false) or the HSL
/// prompt (`hsl` true): the colour's display text between the default marks;
/// for a true colour at the HSL prompt its hue, saturation and luminance; for
/// a book colour there just ": ".
PlString colorDefaultText(const LightEditContext& context, const PlCmColor& color, bool hsl);

/// True when `text` is 1 to 3 decimal digits with a value from 0 to `max`.
bool isValidColorComponent(const wchar_t* text, int max);

/// One channel of an HSL colour (p, q and the hue offset t, all 0 to 1).
double hueToRgb(double p, double q, double t);
