// Colour entry: the true-colour, HSL, index and colour-book prompts and the loop that runs them.
#include "lightedit/ColorEntry.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cwchar>
#include <optional>

#include "common/Messages.h"
#include "host/plcolorbook.h"
#include "host/pldb.h"
#include "host/pled.h"
#include "lightedit/InputPrimitives.h"

namespace {

constexpr int kChannelMax = 255;
constexpr int kHueMax = 360;
constexpr int kPercentMax = 100;
constexpr long kLastIndex = 255;

/// Three whole numbers separated by commas, each checked against its maximum.
/// The text after the second comma is the third number, further commas and all.
bool readComponents(const wchar_t* reply, const int (&maxima)[3], int (&values)[3]) {
    const wchar_t* first = std::wcschr(reply, L',');
    const wchar_t* second = first ? std::wcschr(first + 1, L',') : nullptr;
    if (!second) return false;
    const PlString parts[3] = {PlString(reply, static_cast<std::size_t>(first - reply)),
                               PlString(first + 1, static_cast<std::size_t>(second - first - 1)),
                               PlString(second + 1)};
    for (int i = 0; i < 3; ++i) {
        if (!isValidColorComponent(parts[i].kwszPtr(), maxima[i])) return false;
        values[i] = static_cast<int>(std::wcstol(parts[i].kwszPtr(), nullptr, 10));
    }
    return true;
}

/// A fresh colour given by red, green and blue, so that no earlier book or
/// method survives.
PlCmColor trueColor(int red, int green, int blue) {
    PlCmColor color;
    color.setRGB(static_cast<std::uint8_t>(red), static_cast<std::uint8_t>(green), static_cast<std::uint8_t>(blue));
    return color;
}

struct HslValues {
    int hue;
    int saturation;
    int luminance;
};

HslValues hslOf(const PlCmColor& color) {
    const double r = color.red() / 255.0;
    const double g = color.green() / 255.0;
    const double b = color.blue() / 255.0;
    const double max = std::max({r, g, b});
    const double min = std::min({r, g, b});
    const double luminance = (max + min) / 2;
    double hue = 0.0;
    double saturation = 0.0;
    if (max != min) {
        const double range = max - min;
        saturation = luminance < 0.5 ? range / (max + min) : range / (2 - max - min);
        // Tested in this order: where two channels are the largest, the later test holds.
        if (r == max) hue = (g - b) / range;
        if (g == max) hue = (b - r) / range + 2;
        if (b == max) hue = (r - g) / range + 4;
        hue = hue / 6 * 360;
        if (hue < 0) hue += 360;
    }
    return {static_cast<int>(std::lround(hue)), static_cast<int>(std::lround(saturation * 100)),
            static_cast<int>(std::lround(luminance * 100))};
}

PlCmColor colorOfHsl(int h, int s, int l) {
    const double luminance = l / 100.0;
    const double saturation = s / 100.0;
    const double hue = h / 360.0;
    if (s == 0) {
        const int grey = static_cast<int>(luminance * 255);  // truncated, not rounded
        return trueColor(grey, grey, grey);
    }
    const double q = luminance <= 0.5 ? luminance * (1 + saturation) : luminance + saturation - luminance * saturation;
    const double p = 2 * luminance - q;
    auto channel = [p, q](double t) { return static_cast<int>(hueToRgb(p, q, t) * 255 + 0.5); };
    return trueColor(channel(hue + 1.0 / 3), channel(hue), channel(hue - 1.0 / 3));
}

/// A reply of three components made into the colour (Done), or refused with
/// message `invalidId` (back to the prompt `self`).
ColorEntryState takeComponents(const wchar_t* reply, const int (&maxima)[3], PlCmColor (*make)(int, int, int),
                               unsigned invalidId, ColorEntryState self, PlCmColor& color) {
    int values[3] = {};
    if (!readComponents(reply, maxima, values)) {
        printMessage(invalidId);
        return self;
    }
    color = make(values[0], values[1], values[2]);
    return ColorEntryState::Done;
}

/// Where a status other than a normal reply leads: a cancel to Cancelled,
/// Enter to Done, any other status back to the prompt `self`. Nothing for a
/// normal reply, which the prompt reads on.
std::optional<ColorEntryState> stateAfterStatus(int status, ColorEntryState self) {
    if (status == PLRTCAN) return ColorEntryState::Cancelled;
    if (status == PLRTNONE) return ColorEntryState::Done;
    if (status != PLRTNORM) return self;
    return std::nullopt;
}

/// The books at the colour-book path, loaded afresh; null when the host has
/// no path or no book.
const PlColorBookList* availableColorBooks() {
    const wchar_t* path = pldbHostApplicationServices()->colorBookLocation();
    if (!path) return nullptr;
    static_cast<void>(UpdateColorBooks(path));  // a folder that cannot be read leaves no book
    const PlColorBookList* books = GetColorBooks();
    return books && books->count() > 0 ? books : nullptr;
}

/// Asks for colour names of `book` until one is found, Enter or a cancel.
ColorEntryState promptColorOfBook(const PlColorBook& book, PlCmColor& color) {
    const PlString prompt = loadMessage(msg::kBookColorPrompt);
    for (;;) {
        wchar_t reply[kReplyBufferSize];
        const int status = getStringInput(1, prompt.kwszPtr(), reply, kReplyBufferSize);
        if (status == PLRTCAN) return ColorEntryState::Cancelled;
        if (status != PLRTNORM) continue;
        if (reply[0] == L'\0') return ColorEntryState::Done;
        std::uint32_t rgb = 0;
        if (const PlColorBookColor* found = book.findColor(reply, rgb, true)) {
            PlCmColor chosen = trueColor(static_cast<int>((rgb >> 16) & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                                         static_cast<int>(rgb & 0xFF));
            // Refused only for an empty name, which no book colour has.
            static_cast<void>(chosen.setNames(found->name.kwszPtr(), book.name()));
            color = chosen;
            return ColorEntryState::Done;
        }
        printMessage(msg::kNoSuchBookColor);
    }
}

}  // namespace

ColorEntryState runColorEntry(const LightEditContext& context, PlCmColor& color) {
    ColorEntryState state = ColorEntryState::TrueColor;
    for (;;) {
        switch (state) {
            case ColorEntryState::TrueColor: state = promptTrueColor(context, color); break;
            case ColorEntryState::Hsl: state = promptHslColor(context, color); break;
            case ColorEntryState::Index: state = promptIndexColor(color); break;
            case ColorEntryState::ColorBook: state = promptBookColor(color); break;
            case ColorEntryState::Done:
            case ColorEntryState::Cancelled: return state;
        }
    }
}

ColorEntryState promptTrueColor(const LightEditContext& context, PlCmColor& color) {
    const PlString prompt = loadMessage(msg::kTrueColorPrompt) + colorDefaultText(context, color, false);
    wchar_t reply[kReplyBufferSize];
    const int status = askKeyword(prompt, msg::kTrueColorKeywords, PLRSG_OTHER, reply);
    if (const auto next = stateAfterStatus(status, ColorEntryState::TrueColor)) return *next;
    if (const auto* other = findKeyword(reply, kOtherColorEntries)) {
        if (other->value != ColorEntryState::ColorBook || availableColorBooks()) return other->value;
        printMessage(msg::kNoColorBooks);
        return ColorEntryState::TrueColor;
    }
    return takeComponents(reply, {kChannelMax, kChannelMax, kChannelMax}, trueColor, msg::kInvalidTrueColor,
                          ColorEntryState::TrueColor, color);
}

ColorEntryState promptHslColor(const LightEditContext& context, PlCmColor& color) {
    const PlString prompt = loadMessage(msg::kHslPrompt) + colorDefaultText(context, color, true);
    wchar_t reply[kReplyBufferSize];
    const int status = getStringInput(0, prompt.kwszPtr(), reply, kReplyBufferSize);
    if (const auto next = stateAfterStatus(status, ColorEntryState::Hsl)) return *next;
    if (reply[0] == L'\0') return ColorEntryState::Done;
    return takeComponents(reply, {kHueMax, kPercentMax, kPercentMax}, colorOfHsl, msg::kInvalidHsl,
                          ColorEntryState::Hsl, color);
}

ColorEntryState promptIndexColor(PlCmColor& color) {
    const PlString prompt = loadMessage(msg::kIndexColorPrompt);
    wchar_t reply[kReplyBufferSize];
    const int status = askKeyword(prompt, msg::kIndexColorKeywords, PLRSG_OTHER, reply);
    if (const auto next = stateAfterStatus(status, ColorEntryState::Index)) return *next;
    long index = 0;
    for (const NamedIndexColor& named : namedIndexColors) {
        if (sameIgnoringCase(reply, loadMessage(named.nameId).kwszPtr()) || sameIgnoringCase(reply, named.keyword)) {
            index = static_cast<long>(named.value);
            break;
        }
    }
    if (index == 0) {
        // Read as the C library reads a number: blanks and a sign first, up to
        // the first other character; a reply without digits is 0.
        index = std::wcstol(reply, nullptr, 10);
    }
    PlCmColor chosen;
    if (index < 1 || index > kLastIndex || chosen.setColorIndex(static_cast<std::uint16_t>(index)) != Plad::eOk) {
        printMessage(msg::kInvalidIndexColor);
        return ColorEntryState::Index;
    }
    color = chosen;
    return ColorEntryState::Done;
}

ColorEntryState promptBookColor(PlCmColor& color) {
    const PlString prompt = loadMessage(msg::kBookPrompt);
    wchar_t reply[kReplyBufferSize];
    const int status = getStringInput(1, prompt.kwszPtr(), reply, kReplyBufferSize);
    if (const auto next = stateAfterStatus(status, ColorEntryState::ColorBook)) return *next;
    // Enter keeps the colour here too, rather than asking for a book again and again.
    if (reply[0] == L'\0') return ColorEntryState::Done;
    const PlColorBookList* books = availableColorBooks();
    const PlColorBook* book = books ? books->findBook(reply, true) : nullptr;
    if (!book) return ColorEntryState::ColorBook;
    return promptColorOfBook(*book, color);
}

PlString colorDefaultText(const LightEditContext& context, const PlCmColor& color, bool hsl) {
    if (hsl && color.isByColor()) {
        if (color.hasColorBook()) return PlString(L": ");
        const HslValues values = hslOf(color);
        PlString text;
        text.format(L"%d,%d,%d", values.hue, values.saturation, values.luminance);
        return context.defaultOpen + text + context.defaultClose;
    }
    return context.defaultOpen + color.getDescription() + context.defaultClose;
}

bool isValidColorComponent(const wchar_t* text, int max) {
    if (!text) return false;
    const std::size_t length = std::wcslen(text);
    if (length < 1 || length > 3) return false;
    int value = 0;
    for (std::size_t i = 0; i < length; ++i) {
        if (text[i] < L'0' || text[i] > L'9') return false;
        value = value * 10 + (text[i] - L'0');
    }
    return value <= max;
}

double hueToRgb(double p, double q, double t) {
    if (t < 0) t += 1;
    if (t > 1) t -= 1;
    if (6 * t < 1) return p + (q - p) * 6 * t;
    if (2 * t < 1) return q;
    if (3 * t < 2) return p + (q - p) * (2.0 / 3 - t) * 6;
    return p;
}
