// Guards against a keyword the code compares that its keyword-list message does not declare (a reply the host
// never hands over), and a declared keyword that no table of the code handles; the tables are the code's own.
#include <algorithm>
#include <map>
#include <set>
#include <sstream>

#include "lightedit/AttenuationOptions.h"
#include "lightedit/ColorEntry.h"
#include "lightedit/PhotometryOptions.h"
#include "lightedit/PropertyMenus.h"
#include "lightedit/ShadowOptions.h"
#include "lightedit/WebOptions.h"
#include "lights/LightKinds.h"
#include "light_fixture.h"

namespace {

struct Table {
    const char* name;
    unsigned listId;
    std::vector<std::wstring> keywords;
};

template <class Row, std::size_t N>
std::vector<std::wstring> keywordsOf(const Row (&rows)[N]) {
    std::vector<std::wstring> keywords;
    for (const Row& row : rows) keywords.emplace_back(row.keyword);
    return keywords;
}

/// The global names a keyword-list message declares.
std::vector<std::wstring> globalNames(unsigned listId) {
    std::wistringstream list(loadMessage(listId).str());
    std::vector<std::wstring> locals, globals;
    bool afterSeparator = false;
    for (std::wstring token; list >> token;) {
        if (token == L"_") afterSeparator = true;
        else (afterSeparator ? globals : locals).push_back(token);
    }
    return afterSeparator ? globals : locals;
}

Table propertyMenu(const char* name, PlDbLight::LightKind kind) {
    const MenuDefinition& menu = propertyMenuOf(kind);
    Table table{name, menu.keywordListId, {}};
    for (std::size_t i = 0; i < menu.entryCount; ++i) table.keywords.emplace_back(menu.entries[i].keyword);
    return table;
}

using KeywordTablesTest = LightCommandTest;

TEST_F(KeywordTablesTest, EveryTableAgreesWithItsKeywordList) {
    std::vector<std::wstring> lampColor = keywordsOf(kLampColorOptions);
    for (const std::wstring& preset : keywordsOf(lampPresetTable)) lampColor.push_back(preset);
    const Table tables[] = {
        {"light kinds", msg::kKindKeywords, keywordsOf(kLightKinds)},
        propertyMenu("spot menu", PlDbLight::kSpotLight),
        propertyMenu("point menu", PlDbLight::kPointLight),
        propertyMenu("distant menu", PlDbLight::kDistantLight),
        propertyMenu("web menu", PlDbLight::kWebLight),
        {"on/off", msg::kOnOffKeywords, keywordsOf(kOnOffReplies)},
        {"shadow type", msg::kShadowTypeKeywords, keywordsOf(kShadowTypeReplies)},
        {"distant shadow type", msg::kDistantShadowTypeKeywords, keywordsOf(kShadowTypeReplies)},
        {"point shape", msg::kPointShapeKeywords, keywordsOf(kShapes)},
        {"spot shape", msg::kSpotShapeKeywords, keywordsOf(kShapes)},
        {"web shape", msg::kWebShapeKeywords, keywordsOf(kShapes)},
        {"shape menu", msg::kShapeMenuKeywords, keywordsOf(kShapeMenu)},
        {"shape visible", msg::kYesNoKeywords, keywordsOf(kYesNoReplies)},
        {"attenuation menu", msg::kAttenuationMenuKeywords, keywordsOf(kAttenuationMenu)},
        {"attenuation type", msg::kAttenuationTypeKeywords, keywordsOf(kAttenuationTypes)},
        {"photometry menu", msg::kPhotometryMenuKeywords, keywordsOf(kPhotometryMenu)},
        {"candela", msg::kCandelaKeywords, keywordsOf(kIntensityMethods)},
        {"illuminance", msg::kIlluminanceKeywords, keywordsOf(kIlluminanceOptions)},
        {"lamp colour", msg::kLampColorKeywords, lampColor},
        {"true colour", msg::kTrueColorKeywords, keywordsOf(kOtherColorEntries)},
        {"index colour", msg::kIndexColorKeywords, keywordsOf(namedIndexColors)},
        {"web options", msg::kWebOptionKeywords, keywordsOf(kWebOptions)},
    };
    std::map<unsigned, std::set<std::wstring>> handled;
    for (const Table& table : tables) {
        const std::vector<std::wstring> declared = globalNames(table.listId);
        auto last = declared.begin();  // the table is tried in the order its list shows the names
        for (const std::wstring& keyword : table.keywords) {
            EXPECT_EQ(std::count(declared.begin(), declared.end(), keyword), 1) << table.name << ": " << keyword;
            const auto at = std::find(last, declared.end(), keyword);
            EXPECT_TRUE(at != declared.end()) << table.name << ": " << keyword << " is out of the order its list shows";
            if (at != declared.end()) last = at;
            handled[table.listId].insert(keyword);
        }
    }
    // The point menu shares the spot menu's list: together they handle every name of it.
    for (const auto& [listId, keywords] : handled)
        for (const std::wstring& name : globalNames(listId))
            EXPECT_EQ(keywords.count(name), 1u) << "list " << listId << " declares a name no table handles: " << name;
}

}  // namespace
