// The lighting helpers: the next free light name, the lights layer, and finding a light by name.
// Unit factors and intensity conversion are in photometry.cpp; web-file paths are not here yet.
#include "host/plscene.h"

#include <cstddef>
#include <cstdint>
#include <string>

#include "hostsim/sceneoe/light_names.h"

namespace {

PlDbDatabase* workingDatabase() {
    const PlDbHostApplicationServices* services = pldbHostApplicationServices();
    return services ? services->workingDatabase() : nullptr;
}

constexpr const wchar_t* kLightsLayer = L"Lights";

/// Appends `number` in decimal digits: std::to_wstring formats through the C
/// library, at many times the cost of a few digits.
void appendDecimal(std::wstring& text, std::uint64_t number) {
    wchar_t digits[20];
    std::size_t count = 0;
    do {
        digits[count++] = static_cast<wchar_t>(L'0' + number % 10);
        number /= 10;
    } while (number != 0);
    while (count > 0) text += digits[--count];
}

}  // namespace

PlString LightingUtil::findNextLightName(const wchar_t* baseName) {
    const PlDbDatabase* db = workingDatabase();
    if (!db || !baseName || !*baseName) return PlString();
    const std::wstring_view base(baseName);
    const plsim::scene::LightNameIndex* index = plsim::scene::nameIndexOf(db, false);
    const std::uint64_t number = index ? index->smallestFreeNumber(plsim::scene::FoldedName(base).view()) : 1;
    std::wstring name;
    name.reserve(base.size() + 20);
    name = base;
    appendDecimal(name, number);
    // A base no light could be named after (too long, a forbidden character) gives none.
    if (!plsim::scene::isValidLightName(name)) return PlString();
    return PlString(std::move(name));
}

Plad::ErrorStatus LightingUtil::getLightsLayer(PlDbObjectId& layerId) {
    layerId = PlDbObjectId::kNull;
    PlDbDatabase* db = workingDatabase();
    if (!db) return Plad::eNoDatabase;
    layerId = db->layerId(kLightsLayer);
    if (!layerId.isNull()) return Plad::eOk;
    return db->addLayer(kLightsLayer, layerId);
}

Plad::ErrorStatus PlLightServiceManager::idAt(PlDbObjectId& id, const wchar_t* name, PlDbDatabase* db) {
    id = PlDbObjectId::kNull;
    if (!db) return Plad::eNoDatabase;
    if (!name || !*name) return Plad::eKeyNotFound;
    const plsim::scene::LightNameIndex* index = plsim::scene::nameIndexOf(db, false);
    if (!index) return Plad::eKeyNotFound;
    id = index->find(plsim::scene::foldName(name));
    return id.isNull() ? Plad::eKeyNotFound : Plad::eOk;
}
