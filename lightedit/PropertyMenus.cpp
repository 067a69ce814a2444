// The property menus of the four kinds of light: their keyword tables and prompts.
#include "lightedit/PropertyMenus.h"

#include "common/Messages.h"

namespace {

const MenuEntry kSpotMenu[] = {
    {L"Name", menuName},         {L"Intensity", menuIntensity},
    {L"Status", menuStatus},     {L"shadoW", menuShadow},
    {L"Attenuation", menuAttenuation}, {L"Falloff", menuFalloff},
    {L"Hotspot", menuHotspot},   {L"Color", menuColor},
    {L"filterColor", menuColor}, {L"Photometry", menuPhotometryIfPhotometric},
    {L"eXit", menuExit},
};

const MenuEntry kPointMenu[] = {
    {L"Name", menuName},           {L"Intensity", menuIntensity},
    {L"Status", menuStatus},       {L"shadoW", menuShadow},
    {L"Attenuation", menuAttenuation}, {L"Color", menuColor},
    {L"filterColor", menuColor},   {L"Photometry", menuPhotometryIfPhotometric},
    {L"eXit", menuExit},
};

const MenuEntry kDistantMenu[] = {
    {L"Name", menuName},     {L"Intensity", menuIntensity},
    {L"Status", menuStatus}, {L"shadoW", menuShadow},
    {L"Color", menuColor},   {L"filterColor", menuColor},
    {L"Photometry", menuPhotometryIfPhotometric}, {L"eXit", menuExit},
};

const MenuEntry kWebMenu[] = {
    {L"Name", menuName},           {L"Intensityfactor", menuIntensity},
    {L"Status", menuStatus},       {L"Photometry", menuPhotometry},
    {L"weB", menuWeb},             {L"shadoW", menuShadow},
    {L"filterColor", menuColor},   {L"eXit", menuExit},
};

template <std::size_t N>
constexpr MenuDefinition menuOf(unsigned keywords, unsigned genericPrompt, unsigned photometricPrompt,
                                const MenuEntry (&entries)[N]) {
    return MenuDefinition{keywords, genericPrompt, photometricPrompt, entries, N};
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
