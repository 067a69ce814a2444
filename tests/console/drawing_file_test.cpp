// Guards the drawing file against a property, an object, a handle or a setting that does not come back as it
// was saved, a handle given out twice, a layout that is not the JSON library's, and a file opened that should be
// refused (or refused without naming the value at fault, or leaving the open drawing changed).
#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <regex>
#include <string>

#include <nlohmann/json.hpp>

#include "drawing/utf8.h"
#include "drawingfile/drawing_builder.h"
#include "host/pldocs.h"
#include "host/plrx.h"
#include "hostsim/document_driver.h"
#include "hostsim/drawing_driver.h"
#include "hostsim/sceneoe/path_driver.h"

namespace {

using plsim::scene::ColorInfo;
using plsim::scene::LightInfo;
using Json = nlohmann::ordered_json;

constexpr double kDegree = 3.141592653589793 / 180.0;

/// A light with every property changed from what a new light holds.
LightInfo light(const wchar_t* name, int kind, ColorInfo color) {
    LightInfo l;
    l.name = name;
    l.kind = kind;
    l.hasTarget = kind != 1;
    l.layer = L"Lights";
    l.position = {1.5, -2.0, 3000.0};
    l.target = {4.0, 5.0, 6.0};
    l.direction = {0.0, 0.6, -0.8};
    l.intensity = 2.5;
    l.hotspot = 30.0 * kDegree;
    l.falloff = 45.5 * kDegree;
    l.color = std::move(color);
    l.shadow = {false, 2, 1024, 5, 4, 2.0, 3.0, 0.5, 32, true};
    l.attenuation = {2, true, 0.5, 100.0};
    l.photometry.physicalIntensity = 1200.0;
    l.photometry.method = 1;
    l.photometry.distance = 2.5;
    l.photometry.lampColorType = 1;
    l.photometry.lampColorTemp = 6500.0;
    l.photometry.preset = 12;
    l.webRotation = {10.0, 20.0, 45.0};
    return l;
}

plsim::EntityInfo entity(plsim::EntityInfo::Kind kind, std::vector<PlGePoint3d> points) {
    plsim::EntityInfo e;
    e.kind = kind;
    e.points = std::move(points);
    return e;
}

class DrawingFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        plsim::resetSession();
        ASSERT_TRUE(plrxLoadModule(L"PlSceneOE.dbx", false, false));
        drawing = plsim::openDrawing(L"Drawing1");
        db = drawing->database();
    }
    void TearDown() override {
        EXPECT_EQ(plsim::openObjectCount(), 0);
        EXPECT_TRUE(plsim::drawingErrors().empty());
        plsim::resetSession();
        plrxUnloadModule(L"PlSceneOE.dbx", false);
    }

    /// Lights of every kind and entities of every kind, views, named and motion paths, changed
    /// variables and a user coordinate system; an erased line, which the file leaves out.
    void makeEverything() {
        using Kind = plsim::EntityInfo::Kind;
        PlDbObjectId id, line, text, erased;
        ASSERT_EQ(db->addLayer(L"Lights", id), Plad::eOk);
        LightInfo web = light(L"Wall wash", 10, {ColorInfo::Method::Index, 0, 0, 0, 30, L"", L"", L""});
        web.webFile = plandor::fromUtf8(PL_EXAMPLES_DIR) + L"/webs/downlight.ies";
        LightInfo distant = light(L"Sun", 1, {ColorInfo::Method::Rgb, 10, 20, 30, 0, L"", L"", L""});
        distant.direction = {1.0 / std::sqrt(3.0), 1.0 / std::sqrt(3.0), -1.0 / std::sqrt(3.0)};
        for (const LightInfo& l : {light(L"Key", 3, {ColorInfo::Method::Book, 255, 99, 71, 0, L"CSS", L"tomato", L""}), web,
                                   light(L"Lamp", 2, {ColorInfo::Method::Rgb, 1, 2, 3, 0, L"", L"", L""}), distant})
            ASSERT_EQ(plsim::scene::addLight(db, l, id), Plad::eOk);
        plsim::EntityInfo arc = entity(Kind::Arc, {}), circle = entity(Kind::Circle, {}), ellipse = entity(Kind::Ellipse, {});
        arc.center = circle.center = ellipse.center = {1.0, 2.0, 3.0};
        arc.radius = circle.radius = 5.0;
        arc.startAngle = 0.5;
        arc.endAngle = 4.0;
        ellipse.majorAxis = {3.0, 0.0, 1.0};
        ellipse.radiusRatio = 0.5;
        plsim::EntityInfo note = entity(Kind::Text, {});
        note.center = {1.0, 1.0, 0.0};
        note.text = L"Stage \"left\"";
        note.height = 2.5;
        ASSERT_EQ(plsim::addEntity(db, entity(Kind::Line, {{0, 0, 0}, {10, 0, 0}}), line), Plad::eOk);
        ASSERT_EQ(plsim::addEntity(db, entity(Kind::Line, {{0, 0, 0}, {0, 9, 0}}), erased), Plad::eOk);
        for (const plsim::EntityInfo& e :
             {arc, circle, ellipse, entity(Kind::Polyline, {{0, 0, 2}, {1, 1, 2}, {2, 0, 2}}),
              entity(Kind::Polyline3d, {{0, 0, 0}, {1, 1, 1}}), entity(Kind::Spline, {{0, 0, 0}, {1, 2, 0}, {3, 1, 1}}),
              entity(Kind::Polyline2d, {{0, 0, 5}, {1, 0, 5}}), entity(Kind::Region, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}})})
            ASSERT_EQ(plsim::addEntity(db, e, id), Plad::eOk);
        ASSERT_EQ(plsim::addEntity(db, note, text), Plad::eOk);
        PlDbObjectId front, rail, tag;
        ASSERT_EQ(plsim::addView(db, L"Front", front), Plad::eOk);
        ASSERT_EQ(plsim::scene::addNamedPath(db, L"Rail", line, rail), Plad::eOk);
        ASSERT_EQ(plsim::scene::addNamedPath(db, L"Tag", text, tag), Plad::eOk);
        ASSERT_EQ(plsim::scene::addMotionPath(db, L"Fly", rail, tag, front, id), Plad::eOk);
        ASSERT_EQ(plsim::scene::addMotionPath(db, L"Look", PlDbObjectId::kNull, tag, PlDbObjectId::kNull, id), Plad::eOk);
        ASSERT_EQ(plsim::setErased(erased, true), Plad::eOk);
        for (const auto& [name, value] : {std::pair{L"LUPREC", L"2"}, {L"CLAYER", L"Lights"}, {L"VIEWTWIST", L"0.25"},
                                          {L"LIGHTINGUNITS", L"1"}, {L"DEFAULTLIGHTING", L"0"}})
            ASSERT_TRUE(plsim::setVar(name, value));
        ASSERT_TRUE(plsim::setUcs(1, 2, 3, 0, 1, 0, 0, 0, 1));
    }

    std::string file() const { return plandor::drawingFileText(plandor::drawingFileOf(plDocManagerPtr()->curDocument()->database())); }

    PlApDocument* drawing = nullptr;
    PlDbDatabase* db = nullptr;
};

TEST_F(DrawingFileTest, EverythingComesBackAsSavedAndNoHandleTwice) {
    makeEverything();
    const std::string saved = file();
    EXPECT_EQ(saved.find("\"erased\": true"), std::string::npos);
    const plandor::ReadDrawing read = plandor::readDrawing(saved);
    ASSERT_TRUE(read.drawing) << plandor::toUtf8(plandor::faultText(read.refusal));
    EXPECT_TRUE(read.warnings.empty());
    const std::uint64_t erasedLine = plsim::entitiesOf(db)[1].handle;
    plsim::resetDrawingVariables();
    plsim::resetUcs();
    const plandor::BuiltDrawing built = plandor::buildDrawing(*read.drawing, L"Opened");
    ASSERT_TRUE(built.drawing) << plandor::toUtf8(plandor::faultText(built.refusal));
    EXPECT_TRUE(built.warnings.empty());
    EXPECT_FALSE(plsim::drawingModified(built.drawing));
    EXPECT_EQ(file(), saved);
    // The drawing goes on where it left off: a new entity takes no handle given out before, the erased one's neither.
    PlDbObjectId id;
    ASSERT_EQ(plsim::addEntity(built.drawing->database(), entity(plsim::EntityInfo::Kind::Line, {{0, 0, 0}, {1, 0, 0}}), id),
              Plad::eOk);
    EXPECT_EQ(id.handle(), read.drawing->nextHandle);
    EXPECT_GT(id.handle(), erasedLine);
    EXPECT_TRUE(plsim::drawingModified(built.drawing));
    // Handles are never given out twice; the next handle only rises; settings count as changes too.
    plsim::EntityInfo again = entity(plsim::EntityInfo::Kind::Line, {{0, 0, 0}, {2, 0, 0}});
    again.handle = id.handle();
    EXPECT_EQ(plsim::addEntity(built.drawing->database(), again, id), Plad::eDuplicateKey);
    EXPECT_EQ(plsim::setNextHandle(built.drawing->database(), 5), Plad::eInvalidInput);
    const std::function<bool()> changes[] = {[] { return plsim::setVar(L"LUPREC", L"3"); },
                                             [] { return plsim::setUcs(0, 0, 0, 1, 0, 0, 0, 0, 1); }};
    for (const std::function<bool()>& change : changes) {
        plsim::markDrawingSaved(built.drawing);
        EXPECT_TRUE(change());
        EXPECT_TRUE(plsim::drawingModified(built.drawing));
    }
    plsim::closeDrawing(built.drawing);
}

TEST(JsonReaderTest, TextsAndNumbersReadAsJsonWritesThem) {
    const std::pair<const char*, const char*> texts[] = {
        {R"("plain")", "plain"},
        {R"("a\\b\"c\/d\b\f\n\r\t")", "a\\b\"c/d\b\f\n\r\t"},
        {R"("\u00e9\u20AC\ud83d\ude00")", "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"},
        {"\"\xC3\xA9 as it is\"", "\xC3\xA9 as it is"},
    };
    for (const auto& [json, utf8] : texts) {
        plandor::JsonReader r(json);
        std::string value;
        EXPECT_TRUE(r.readString(value)) << json;
        EXPECT_EQ(value, utf8);
    }
    const std::pair<const char*, double> numbers[] = {{"-0", -0.0}, {"0.5", 0.5}, {"1e-7", 1e-7}, {"-12.5E+2", -1250.0}};
    for (const auto& [json, expected] : numbers) {
        plandor::JsonReader r(json);
        double value = 0.0;
        EXPECT_TRUE(r.readNumber(value)) << json;
        EXPECT_EQ(value, expected);
    }
    // What JSON does not allow, and a number no double holds.
    for (const char* json : {"01", "1.", ".5", "+1", "1e", "1e400", R"("\ud800")", R"("\udc00")", R"("\x")",
                             "\"\xC0\xAF\"", "\"\xED\xA0\x80\"", "\"tab\there\"", "\"open", "nul", "[1,]", "{\"a\" 1}"}) {
        plandor::JsonReader r(json);
        r.skip();
        r.finish();
        EXPECT_TRUE(r.failed()) << json;
    }
}

TEST_F(DrawingFileTest, LaidOutAsTheJsonLibraryLaysItOut) {
    makeEverything();
    // Numbers aside: the library's digits are not always the fewest.
    const std::regex number("-?[0-9][0-9.eE+-]*");
    const std::string saved = file();
    EXPECT_EQ(std::regex_replace(saved, number, "N"), std::regex_replace(Json::parse(saved).dump(2) + "\n", number, "N"));
}

/// A row of the refusal table: the file made from the saved drawing, and what reading and building it gives.
struct Refusal {
    const char* what;
    std::function<std::string(const std::string&)> file;
    std::string pointer;  ///< of the refusal, or of the one warning when `warns`
    std::string reason;   ///< part of the reason
    bool warns = false;
    std::size_t line = 0, column = 0;
};

/// The saved file with `change` made to its JSON.
std::function<std::string(const std::string&)> edit(std::function<void(Json&)> change) {
    return [change](const std::string& saved) {
        Json json = Json::parse(saved);
        change(json);
        return json.dump(2);
    };
}

std::function<std::string(const std::string&)> replaced(std::string from, std::string to) {
    return [from, to](std::string saved) { return saved.replace(saved.find(from), from.size(), to); };
}

TEST_F(DrawingFileTest, RefusesWhatNoDrawingHoldsNamingTheValue) {
    makeEverything();
    const std::string saved = file();
    const Refusal table[] = {
        {"not JSON", [](const std::string&) { return std::string("{\n  \"format\": \"plandor-drawing\",\n  \"version\": 1,\n  x"); },
         "", "expected the name of a member", false, 4, 3},
        {"not UTF-8", [](const std::string&) { return std::string("{\n\"format\": \"pl\xFF\"}"); }, "/format", "not UTF-8", false, 2, 14},
        {"another format", edit([](Json& j) { j["format"] = "plandor-picture"; }), "/format", "opens \"plandor-drawing\""},
        {"no format", edit([](Json& j) { j.erase("format"); }), "", "is no plandor drawing"},
        {"a newer version", edit([](Json& j) { j["version"] = 2; }), "/version", "reads version 1, and that one is newer"},
        {"a member missing", edit([](Json& j) { j["lights"][1].erase("kind"); }), "/lights/1", "lacks the member \"kind\""},
        {"a member given twice", replaced("\"name\": \"Lamp\"", "\"name\": \"Lamp\", \"name\": \"Lamp\""), "/lights/2/name", "given twice"},
        {"a wrong type", edit([](Json& j) { j["lights"][0]["hotspotDeg"] = "30"; }), "/lights/0/hotspotDeg", "must be a number, not a string"},
        {"a light kind", edit([](Json& j) { j["lights"][0]["kind"] = 4; }), "/lights/0/kind", "3 (spot) or 10 (web), not 4"},
        {"a colour channel", edit([](Json& j) { j["lights"][2]["color"]["g"] = 256; }), "/lights/2/color/g", "from 0 to 255, not 256"},
        {"an index colour", edit([](Json& j) { j["lights"][1]["color"]["index"] = 0; }), "/lights/1/color/index", "from 1 to 255, not 0"},
        {"no colour", edit([](Json& j) { j["lights"][1]["color"]["method"] = "none"; }), "/lights/1/color", "rgb, index or book"},
        {"a cone angle", edit([](Json& j) { j["lights"][0]["falloffDeg"] = 180.0; }), "/lights/0/falloffDeg", "below 180 degrees"},
        {"a map size", edit([](Json& j) { j["lights"][0]["shadow"]["mapSize"] = 100; }), "/lights/0/shadow/mapSize", "2048 or 4096, not 100"},
        {"a sample count", edit([](Json& j) { j["lights"][0]["shadow"]["samples"] = -1; }), "/lights/0/shadow/samples", "from 0 to 65535"},
        {"a negative length", edit([](Json& j) { j["lights"][0]["shadow"]["radius"] = -0.5; }), "/lights/0/shadow/radius", "not be negative"},
        {"a distance of 0", edit([](Json& j) { j["lights"][0]["photometry"]["distance"] = 0.0; }), "/lights/0/photometry/distance", "above 0"},
        {"a name used twice", edit([](Json& j) { j["lights"][3]["name"] = "KEY"; }), "/lights/3/name", "which the light at /lights/0/name"},
        {"a control character", edit([](Json& j) { j["lights"][0]["name"] = "Key\tlight"; }), "/lights/0/name", "U+0009"},
        {"a handle used twice", edit([](Json& j) { j["views"][0]["handle"] = j["lights"][2]["handle"]; }), "/views/0/handle", "the handle of /lights/2"},
        {"a drawing's own handle", edit([](Json& j) { j["lights"][0]["handle"] = "1"; }), "/lights/0/handle", "its own records"},
        {"a next handle below", edit([](Json& j) { j["nextHandle"] = "9"; }), "/nextHandle", "not above every handle"},
        {"a path along nothing", edit([](Json& j) { j["namedPaths"][0]["entity"] = "FFF"; }), "/namedPaths/0/entity", "no entity or light"},
        {"a motion path along no path", edit([](Json& j) { j["motionPaths"][1]["targetPath"] = "Nope"; }), "/motionPaths/1/targetPath", "none of the named paths"},
        {"a motion path at no view", edit([](Json& j) { j["motionPaths"][0]["view"] = "Back"; }), "/motionPaths/0/view", "none of the views"},
        {"a layer no drawing has", edit([](Json& j) { j["lights"][0]["layer"] = "Walls"; }), "/lights/0/layer", "none of the layers"},
        {"an entity kind", edit([](Json& j) { j["entities"][0]["kind"] = "cube"; }), "/entities/0", "of the kind \"cube\""},
        {"a line's ends", edit([](Json& j) { j["entities"][0]["end"] = j["entities"][0]["start"]; }), "/entities/0", "its two ends must differ"},
        {"a variable out of range", edit([](Json& j) { j["sysvars"]["LUPREC"] = 9; }), "/sysvars/LUPREC", "between 0 and 8"},
        {"parallel axes", edit([](Json& j) { j["ucs"]["yAxis"] = j["ucs"]["xAxis"]; }), "/ucs", "parallel"},
        // Held by a drawing all the same, with a warning:
        {"a hotspot wider than its falloff", edit([](Json& j) { j["lights"][0]["hotspotDeg"] = 60.0; }), "/lights/0/hotspotDeg", "wider than the falloff", true},
        {"a negative limit", edit([](Json& j) { j["lights"][0]["attenuation"]["start"] = -0.5; }), "/lights/0/attenuation", "negative", true},
        {"a web file not found", edit([](Json& j) { j["lights"][1]["web"]["file"] = "gone.ies"; }), "/lights/1/web/file", "not found", true},
    };
    for (const Refusal& row : table) {
        SCOPED_TRACE(row.what);
        const std::string text = row.file(saved);
        const plandor::ReadDrawing read = plandor::readDrawing(text);
        const plandor::BuiltDrawing built = read.drawing ? plandor::buildDrawing(*read.drawing, L"Opened") : plandor::BuiltDrawing{};
        const std::vector<plandor::JsonFault> warnings = read.warnings.empty() ? built.warnings : read.warnings;
        const plandor::JsonFault& fault = row.warns ? (warnings.empty() ? plandor::JsonFault{} : warnings[0])
                                                    : (read.drawing ? built.refusal : read.refusal);
        EXPECT_EQ(built.drawing != nullptr, row.warns);
        EXPECT_EQ(warnings.size(), row.warns ? 1u : 0u);
        EXPECT_EQ(fault.pointer, row.pointer);
        EXPECT_NE(fault.reason.find(plandor::fromUtf8(row.reason)), std::wstring::npos) << plandor::toUtf8(fault.reason);
        EXPECT_EQ(fault.line, row.line);
        EXPECT_EQ(fault.column, row.column);
        if (built.drawing) plsim::closeDrawing(built.drawing);
        // The drawing that was open is as it was, settings too.
        EXPECT_EQ(plDocManagerPtr()->curDocument(), drawing);
        EXPECT_EQ(file(), saved);
    }
}

}  // namespace
