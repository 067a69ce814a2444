// ReservedStringTable: the 49 reserved scene names, their global literals and local message ids.
#include "reserved/ReservedStringTable.h"

#include <vector>

#include "host/pldb.h"
#include "resources/MessageIds.h"

namespace {

struct ReservedName {
    const wchar_t* global;
    unsigned localMessage;
};

/// In type order from kViewCurrent. The isometric views spell "ISometric"
/// with two capitals; the last three render presets follow the materials.
const ReservedName kReservedNames[kSceneStringCount] = {
    {L"*Current*", msg::kViewCurrent},
    {L"*Top*", msg::kViewTop},
    {L"*Bottom*", msg::kViewBottom},
    {L"*Left*", msg::kViewLeft},
    {L"*Right*", msg::kViewRight},
    {L"*Front*", msg::kViewFront},
    {L"*Back*", msg::kViewBack},
    {L"*SW ISometric*", msg::kViewSWIsometric},
    {L"*SE ISometric*", msg::kViewSEIsometric},
    {L"*NE ISometric*", msg::kViewNEIsometric},
    {L"*NW ISometric*", msg::kViewNWIsometric},
    {L"As Displayed", msg::kShadeAsDisplayed},
    {L"Wireframe", msg::kShadeWireframe},
    {L"Hidden", msg::kShadeHidden},
    {L"Rendered", msg::kShadeRendered},
    {L"Draft", msg::kRenderDraft},
    {L"Low", msg::kRenderLow},
    {L"Medium", msg::kRenderMedium},
    {L"High", msg::kRenderHigh},
    {L"Presentation", msg::kRenderPresentation},
    {L"Ceramic Tile, Glazed", msg::kMaterialCeramicTileGlazed},
    {L"Fabric", msg::kMaterialFabric},
    {L"Glass - Clear", msg::kMaterialGlassClear},
    {L"Glass - Translucent", msg::kMaterialGlassTranslucent},
    {L"Ideal Diffuse", msg::kMaterialIdealDiffuse},
    {L"Masonry", msg::kMaterialMasonry},
    {L"Paint Flat", msg::kMaterialPaintFlat},
    {L"Paint Gloss", msg::kMaterialPaintGloss},
    {L"Paint Semi Gloss", msg::kMaterialPaintSemiGloss},
    {L"Paper", msg::kMaterialPaper},
    {L"Paper - Translucent", msg::kMaterialPaperTranslucent},
    {L"Plastic", msg::kMaterialPlastic},
    {L"Stone", msg::kMaterialStone},
    {L"Stone Polished", msg::kMaterialStonePolished},
    {L"Water", msg::kMaterialWater},
    {L"Wood Unfinished", msg::kMaterialWoodUnfinished},
    {L"Wood Varnished", msg::kMaterialWoodVarnished},
    {L"Realistic", msg::kMaterialRealistic},
    {L"Realistic Metal", msg::kMaterialRealisticMetal},
    {L"Advanced", msg::kMaterialAdvanced},
    {L"Advanced Metal", msg::kMaterialAdvancedMetal},
    {L"Metal", msg::kMaterialMetal},
    {L"Metal - Brushed", msg::kMaterialMetalBrushed},
    {L"Metal - Flat", msg::kMaterialMetalFlat},
    {L"Metal - Polished", msg::kMaterialMetalPolished},
    {L"Mirror", msg::kMaterialMirror},
    {L"Coffee-Break Quality", msg::kRenderCoffeeBreak},
    {L"Lunch Quality", msg::kRenderLunch},
    {L"Overnight Quality", msg::kRenderOvernight},
};

bool isOwnType(int type) { return type >= kViewCurrent && type <= kRenderPresetOvernight; }

/// Null never equals anything.
bool matches(const wchar_t* text, const wchar_t* form) { return form && sameReservedName(text, form); }

}  // namespace

ReservedStringTable::ReservedStringTable(const std::function<PlString(unsigned)>& loadLocal) {
    std::vector<const wchar_t*> forms;
    for (int k = 0; k < kSceneStringCount; ++k) {
        m_forms[2 * k] = loadLocal(kReservedNames[k].localMessage);
        m_forms[2 * k + 1] = PlString(kReservedNames[k].global);
    }
    for (const PlString& form : m_forms) forms.push_back(form.kwszPtr());
    m_index = ReservedNameIndex(forms);
}

const wchar_t* ReservedStringTable::form(int type, bool localized) const {
    if (!isOwnType(type)) return nullptr;
    return m_forms[2 * (type - kViewCurrent) + (localized ? 0 : 1)].kwszPtr();
}

const wchar_t* hostReservedString(int type, bool localized) {
    if (type < 0 || type >= kViewCurrent) return nullptr;
    return pldbGetReservedString(static_cast<PlDb::reservedStringEnumType>(type), localized);
}

const wchar_t* ReservedStringTable::anyForm(int type, bool localized) const {
    return isOwnType(type) ? form(type, localized) : hostReservedString(type, localized);
}

bool ReservedStringTable::isReservedString(const wchar_t* text, int type) const {
    if (!text) return false;
    if (matches(text, anyForm(type, false)) || matches(text, anyForm(type, true))) return true;
    if (type >= kViewCurrent) return false;
    return pldbIsReservedString(text, static_cast<PlDb::reservedStringEnumType>(type));
}

bool ReservedStringTable::isReservedString(const wchar_t* text) const { return text && m_index.contains(text); }

bool ReservedStringTable::isFormOfTypes(const wchar_t* text, int first, int last) const {
    if (!text) return false;
    for (int type = first; type <= last; ++type) {
        if (matches(text, form(type, false)) || matches(text, form(type, true))) return true;
    }
    return false;
}

bool ReservedStringTable::scanForReservedString(const wchar_t* text) const {
    return isFormOfTypes(text, kViewCurrent, kRenderPresetOvernight);
}

bool ReservedStringTable::isReservedViewString(const wchar_t* text) const {
    return isFormOfTypes(text, kViewCurrent, kViewNWIsometric);
}

const wchar_t* ReservedStringTable::translateReservedString(const wchar_t* text, bool toLocalized) const {
    if (!text) return nullptr;
    for (int type = kViewCurrent; type <= kRenderPresetOvernight; ++type) {
        if (matches(text, form(type, !toLocalized))) return form(type, toLocalized);
    }
    return nullptr;
}
