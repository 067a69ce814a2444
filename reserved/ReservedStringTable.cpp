// ReservedStringTable: the 49 reserved scene names, their global literals and local message ids.
#include "reserved/ReservedStringTable.h"

#include <vector>

#include "host/pldb.h"

namespace {

struct ReservedName {
    const wchar_t* global;
    unsigned localMessage;
};

/// In type order from kViewCurrent. The isometric views spell "ISometric"
/// with two capitals; the last three render presets follow the materials.
const ReservedName kReservedNames[kSceneStringCount] = {
    {L"*Current*", 2352},
    {L"*Top*", 2360},
    {L"*Bottom*", 2351},
    {L"*Left*", 2354},
    {L"*Right*", 2357},
    {L"*Front*", 2353},
    {L"*Back*", 2350},
    {L"*SW ISometric*", 2359},
    {L"*SE ISometric*", 2358},
    {L"*NE ISometric*", 2355},
    {L"*NW ISometric*", 2356},
    {L"As Displayed", 2271},
    {L"Wireframe", 2955},
    {L"Hidden", 2502},
    {L"Rendered", 2678},
    {L"Draft", 3480},
    {L"Low", 3527},
    {L"Medium", 3548},
    {L"High", 3513},
    {L"Presentation", 3576},
    {L"Ceramic Tile, Glazed", 1271},
    {L"Fabric", 1272},
    {L"Glass - Clear", 1273},
    {L"Glass - Translucent", 1274},
    {L"Ideal Diffuse", 1275},
    {L"Masonry", 1276},
    {L"Paint Flat", 1282},
    {L"Paint Gloss", 1283},
    {L"Paint Semi Gloss", 1284},
    {L"Paper", 1285},
    {L"Paper - Translucent", 1286},
    {L"Plastic", 1287},
    {L"Stone", 1288},
    {L"Stone Polished", 1289},
    {L"Water", 1290},
    {L"Wood Unfinished", 1291},
    {L"Wood Varnished", 1292},
    {L"Realistic", 1246},
    {L"Realistic Metal", 1247},
    {L"Advanced", 1248},
    {L"Advanced Metal", 1249},
    {L"Metal", 1277},
    {L"Metal - Brushed", 1278},
    {L"Metal - Flat", 1279},
    {L"Metal - Polished", 1280},
    {L"Mirror", 1281},
    {L"Coffee-Break Quality", 3458},
    {L"Lunch Quality", 3530},
    {L"Overnight Quality", 3570},
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
