// The property menus of the four kinds of light: their keyword tables and prompts.
#include "lightedit/PropertyMenus.h"

#include <algorithm>
#include <array>

#include "common/Messages.h"

namespace {

// The spot, point and distant menus open with the same rows and close with the
// same rows; in between, only the spot light has Falloff and Hotspot, and only
// the distant one lacks Attenuation.
constexpr std::array<MenuEntry, 4> kOpeningRows{{
    {L"Name", menuName},
    {L"Intensity", menuIntensity},
    {L"Status", menuStatus},
    {L"shadoW", menuShadow},
}};
constexpr std::array<MenuEntry, 4> kClosingRows{{
    {L"Color", menuColor},
    {L"filterColor", menuColor},
    {L"Photometry", menuPhotometryIfPhotometric},
    {L"eXit", menuExit},
}};
constexpr std::array<MenuEntry, 1> kAttenuationRow{{{L"Attenuation", menuAttenuation}}};
constexpr std::array<MenuEntry, 2> kConeRows{{{L"Falloff", menuFalloff}, {L"Hotspot", menuHotspot}}};

/// The rows of `parts`, one after the other.
template <std::size_t... N>
constexpr std::array<MenuEntry, (N + ...)> joined(const std::array<MenuEntry, N>&... parts) {
    std::array<MenuEntry, (N + ...)> rows{};
    auto next = rows.begin();
    ((next = std::copy(parts.begin(), parts.end(), next)), ...);
    return rows;
}

constexpr auto kSpotMenu = joined(kOpeningRows, kAttenuationRow, kConeRows, kClosingRows);
constexpr auto kPointMenu = joined(kOpeningRows, kAttenuationRow, kClosingRows);
constexpr auto kDistantMenu = joined(kOpeningRows, kClosingRows);

constexpr std::array<MenuEntry, 8> kWebMenu{{
    {L"Name", menuName},
    {L"Intensityfactor", menuIntensity},
    {L"Status", menuStatus},
    {L"Photometry", menuPhotometry},
    {L"weB", menuWeb},
    {L"shadoW", menuShadow},
    {L"filterColor", menuColor},
    {L"eXit", menuExit},
}};

template <std::size_t N>
constexpr MenuDefinition menuOf(unsigned keywords, unsigned genericPrompt, unsigned photometricPrompt,
                                const std::array<MenuEntry, N>& entries) {
    return MenuDefinition{keywords, genericPrompt, photometricPrompt, entries.data(), N};
}

constexpr MenuDefinition kSpotDefinition =
    menuOf(msg::kSpotPointMenuKeywords, msg::kSpotMenuPrompt, msg::kSpotMenuPhotometricPrompt, kSpotMenu);
constexpr MenuDefinition kPointDefinition =
    menuOf(msg::kSpotPointMenuKeywords, msg::kPointMenuPrompt, msg::kPointMenuPhotometricPrompt, kPointMenu);
constexpr MenuDefinition kDistantDefinition =
    menuOf(msg::kDistantMenuKeywords, msg::kDistantMenuPrompt, msg::kDistantMenuPhotometricPrompt, kDistantMenu);
constexpr MenuDefinition kWebDefinition =
    menuOf(msg::kWebMenuKeywords, msg::kWebMenuPrompt, msg::kWebMenuPrompt, kWebMenu);

}  // namespace

const MenuDefinition& propertyMenuOf(PlDbLight::LightKind kind) {
    switch (kind) {
        case PlDbLight::kSpotLight: return kSpotDefinition;
        case PlDbLight::kPointLight: return kPointDefinition;
        case PlDbLight::kDistantLight: return kDistantDefinition;
        case PlDbLight::kWebLight: return kWebDefinition;
    }
    return kPointDefinition;  // no other kind exists
}
