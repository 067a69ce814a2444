// Guards against a picture that misleads: cones at the wrong angle or length, target lines that miss the target, lights or entities outside their panel, coordinates that overflow, names over one another, wrong colours, and files that are not XML or change between runs.
#include "picture/plan_picture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "picture/label_layout.h"
#include "picture/plan_geometry.h"
#include "picture/svg_writer.h"
#include "drawing/utf8.h"
#include "hostsim/xml_reader.h"
#include "plandor_runner.h"

namespace {

using plsim::detail::XmlElement;
using plsim::scene::LightInfo;

constexpr double kPi = 3.141592653589793;

struct P {
    double x, y;
};

XmlElement parseSvg(const std::string& svg) {
    XmlElement root;
    std::wstring error;
    EXPECT_TRUE(plsim::detail::parseXml(plandor::fromUtf8(svg), root, error)) << plandor::toUtf8(error);
    return root;
}

bool hasClass(const XmlElement& e, const std::wstring& name) {
    const std::wstring* classes = e.attribute(L"class");
    return classes && (L" " + *classes + L" ").find(L" " + name + L" ") != std::wstring::npos;
}

/// The elements below `e` of the class `name` (of any class when it is empty), in document order.
std::vector<const XmlElement*> withClass(const XmlElement& e, const std::wstring& name,
                                         std::vector<const XmlElement*> found = {}) {
    for (const XmlElement& child : e.children) {
        if (name.empty() || hasClass(child, name)) found.push_back(&child);
        found = withClass(child, name, std::move(found));
    }
    return found;
}

double number(const XmlElement& e, const wchar_t* name) {
    const std::wstring* value = e.attribute(name);
    return value ? std::stod(*value) : std::nan("");
}

/// The group of the light `name` in the view `view` ("plan" or "front").
const XmlElement& lightGroup(const XmlElement& root, const wchar_t* view, const std::wstring& name) {
    for (const XmlElement* v : withClass(root, view)) {
        for (const XmlElement* g : withClass(*v, L"light")) {
            if (!g->children.empty() && g->children[0].name == L"title" && g->children[0].text == name) return *g;
        }
    }
    ADD_FAILURE() << "no light " << plandor::toUtf8(name) << " in " << plandor::toUtf8(view);
    static const XmlElement none;
    return none;
}

const XmlElement& part(const XmlElement& group, const wchar_t* name) {
    const std::vector<const XmlElement*> found = withClass(group, name);
    EXPECT_EQ(found.size(), 1u) << plandor::toUtf8(name);
    static const XmlElement none;
    return found.empty() ? none : *found[0];
}

/// The points a path's data passes through: the ends of its moves, lines and arcs.
std::vector<P> pathPoints(const XmlElement& path) {
    std::wistringstream in(*path.attribute(L"d"));
    std::vector<P> points;
    for (std::wstring word; in >> word;) {
        if (word == L"Z") continue;
        double skipped;
        if (word == L"A")
            for (int i = 0; i < 5; ++i) in >> skipped;
        P p{};
        in >> p.x >> p.y;
        points.push_back(p);
    }
    return points;
}

double distance(P a, P b) { return std::hypot(a.x - b.x, a.y - b.y); }
double angleDeg(P apex, P a, P b) {
    const double t = std::atan2(a.y - apex.y, a.x - apex.x) - std::atan2(b.y - apex.y, b.x - apex.x);
    return std::abs(std::remainder(t, 2.0 * kPi)) * 180.0 / kPi;
}

LightInfo light(const std::wstring& name, int kind, PlGePoint3d position) {
    LightInfo info;
    info.name = name;
    info.kind = kind;
    info.on = true;
    info.position = position;
    info.direction = {0.0, 0.0, -1.0};
    info.color.red = info.color.green = info.color.blue = 255;
    return info;
}

TEST(PlanPicture, SpotConesOpenAtTheirAnglesAndTargetLinesEndAtTheTarget) {
    LightInfo spot = light(L"Spot", 3, {0.0, 0.0, 0.0});
    spot.hasTarget = true;
    spot.target = {1000.0, 0.0, 0.0};
    spot.direction = {1.0, 0.0, 0.0};
    spot.hotspot = 30.0 * kPi / 180.0;
    spot.falloff = 60.0 * kPi / 180.0;
    const XmlElement svg = parseSvg(plandor::planPictureSvg({{spot, light(L"Lamp", 2, {0.0, 500.0, 500.0})}, {}, true}));

    for (const wchar_t* view : {L"plan", L"front"}) {
        SCOPED_TRACE(plandor::toUtf8(view));
        const XmlElement& s = lightGroup(svg, view, L"Spot");
        const XmlElement& ring = part(s, L"lamp");
        const XmlElement& lampRing = part(lightGroup(svg, view, L"Lamp"), L"lamp");
        const P at{number(ring, L"cx"), number(ring, L"cy")};
        // The lamp is 500 units up the picture from the spot in both views: that gives the scale.
        EXPECT_NEAR(number(lampRing, L"cx"), at.x, 0.01);
        const double scale = (at.y - number(lampRing, L"cy")) / 500.0;
        ASSERT_GT(scale, 0.0);

        const XmlElement& target = part(s, L"target");
        EXPECT_NEAR(number(target, L"x1"), at.x, 0.01);
        EXPECT_NEAR(number(target, L"y1"), at.y, 0.01);
        EXPECT_NEAR(number(target, L"x2"), at.x + 1000.0 * scale, 0.02);
        EXPECT_NEAR(number(target, L"y2"), at.y, 0.01);

        for (const auto& [cone, degrees] : {std::pair{L"hotspot", 30.0}, std::pair{L"falloff", 60.0}}) {
            const std::vector<P> wedge = pathPoints(part(s, cone));
            ASSERT_EQ(wedge.size(), 3u) << plandor::toUtf8(cone);
            EXPECT_NEAR(distance(wedge[0], at), 0.0, 0.01);
            EXPECT_NEAR(angleDeg(wedge[0], wedge[1], wedge[2]), degrees, 0.05);
            // Its sides reach as far as the target is away.
            EXPECT_NEAR(distance(wedge[0], wedge[1]), 1000.0 * scale, 0.05);
            EXPECT_NEAR(distance(wedge[0], wedge[2]), 1000.0 * scale, 0.05);
        }
    }
}

TEST(PlanPicture, EverythingStaysInsideItsPanel) {
    LightInfo wide = light(L"Wide", 3, {-5000.0, 2000.0, 8000.0});
    wide.direction = PlGeVector3d(1.0, -1.0, -0.3).normal();
    wide.hotspot = 120.0 * kPi / 180.0;
    wide.falloff = 170.0 * kPi / 180.0;
    LightInfo down = light(L"Down", 3, {300.0, 300.0, 2500.0});
    down.hotspot = down.falloff = 0.5;
    LightInfo sun = light(L"Sun with a rather long name", 1, {9000.0, -3000.0, 0.0});
    sun.direction = PlGeVector3d(-1.0, 2.0, -1.0).normal();
    plandor::EntityOutline line{L"line", {{-9000.0, -9000.0, -100.0}, {12000.0, 4000.0, 50.0}}, false, L"", 0.0};
    plandor::EntityOutline text{L"text", {{11000.0, 0.0, 0.0}}, false, L"Stage", 400.0};
    const std::string bytes = plandor::planPictureSvg(
        {{wide, down, sun, light(L"Web", 10, {0.0, -8000.0, 100.0}), light(L"P", 2, {1e-3, 0.0, 0.0})}, {line, text}, true});
    const XmlElement svg = parseSvg(bytes);

    for (const wchar_t* view : {L"plan", L"front"}) {
        SCOPED_TRACE(plandor::toUtf8(view));
        const std::vector<const XmlElement*> views = withClass(svg, view);
        ASSERT_EQ(views.size(), 1u);
        const XmlElement& panel = part(*views[0], L"panel");
        const double left = number(panel, L"x"), top = number(panel, L"y");
        const double right = left + number(panel, L"width"), bottom = top + number(panel, L"height");
        std::vector<const XmlElement*> drawn = withClass(*views[0], L"entity");
        for (const XmlElement* g : withClass(*views[0], L"light")) drawn = withClass(*g, L"", std::move(drawn));
        std::vector<P> points;
        for (const XmlElement* e : drawn) {
            if (e->attribute(L"d")) for (const P& p : pathPoints(*e)) points.push_back(p);
            for (const auto& [x, y] : {std::pair{L"x", L"y"}, std::pair{L"cx", L"cy"}, std::pair{L"x2", L"y2"}}) {
                if (e->attribute(x)) points.push_back({number(*e, x), number(*e, y)});
            }
        }
        EXPECT_GT(points.size(), 30u);
        for (const P& p : points) {
            EXPECT_TRUE(p.x >= left && p.x <= right && p.y >= top && p.y <= bottom) << p.x << "," << p.y;
        }
    }
}

TEST(PlanPicture, ColorsAndNamesAreTheLights) {
    using Method = plsim::scene::ColorInfo::Method;
    LightInfo rgb = light(L"Rgb", 2, {0.0, 0.0, 0.0});
    rgb.color.red = 10, rgb.color.green = 20, rgb.color.blue = 30;
    rgb.photometry.lampRgb = {1.0, 0.5, 0.0};
    LightInfo index = light(L"Index", 3, {100.0, 0.0, 0.0});
    index.color.method = Method::Index;
    index.color.index = 1;
    LightInfo book = light(L"Book", 10, {200.0, 0.0, 0.0});
    book.color = {Method::Book, 70, 130, 180, 0, L"CSS Named Colors", L"steelblue", L""};
    LightInfo off = light(L"Off", 2, {300.0, 0.0, 0.0});
    off.on = false;
    off.color.method = Method::Index;
    off.color.index = 3;

    // A name is text, a control character in it replaced; the same drawing gives the same bytes.
    const plandor::PlanContent content{{rgb, index, book, off, light(L"A<&\"'>\u0001B", 2, {1.0, 2.0, 3.0})}, {}, true};
    const std::string bytes = plandor::planPictureSvg(content);
    EXPECT_EQ(bytes, plandor::planPictureSvg(content));
    const XmlElement svg = parseSvg(bytes);
    EXPECT_EQ(part(lightGroup(svg, L"plan", L"A<&\"'>\uFFFDB"), L"label").text, L"A<&\"'>\uFFFDB");
    const auto attribute = [&](const wchar_t* name, const wchar_t* partName, const wchar_t* attr) {
        return *part(lightGroup(svg, L"plan", name), partName).attribute(attr);
    };
    // The symbol and the cones take the colour of their group (hollow for a light that is off).
    const auto color = [&](const wchar_t* name) { return *lightGroup(svg, L"plan", name).attribute(L"color"); };
    EXPECT_EQ(color(L"Rgb"), L"#0a141e");
    EXPECT_EQ(attribute(L"Rgb", L"lamp", L"stroke"), L"#ff8000");
    EXPECT_EQ(color(L"Index"), L"#ff0000");
    EXPECT_EQ(color(L"Book"), L"#4682b4");
    EXPECT_EQ(color(L"Off"), L"#00ff00");
    EXPECT_TRUE(hasClass(lightGroup(svg, L"front", L"Off"), L"off"));
    for (const char* rule : {".on .symbol{fill:currentColor;", ".off .symbol{fill:none;stroke:currentColor}"}) {
        EXPECT_NE(bytes.find(rule), std::string::npos) << rule;
    }

    // Generic lighting has no lamp colour to show.
    EXPECT_TRUE(withClass(parseSvg(plandor::planPictureSvg({{rgb}, {}, false})), L"lamp").empty());
}

TEST(PlanPicture, NumbersAreShortAndRounded) {
    const std::pair<double, const char*> cases[] = {
        {0.0, "0"}, {-0.004, "0"}, {-0.005, "-0.01"}, {2.999, "3"}, {-3.456, "-3.46"}, {0.5, "0.5"},
        {1e20, "100000000000000000000"}, {std::nan(""), "0"}, {0.005, "0.01"}, {0.07, "0.07"},
        {12345678.125, "12345678.13"}, {-99.995, "-100"},
    };
    for (const auto& [value, text] : cases) {
        std::string out;
        plandor::appendSvgNumber(out, value);
        EXPECT_EQ(out, text) << value;
    }
}

/// The panel of a view: left, top, right, bottom.
std::array<double, 4> panelOf(const XmlElement& view) {
    const XmlElement& panel = part(view, L"panel");
    const double left = number(panel, L"x"), top = number(panel, L"y");
    return {left, top, left + number(panel, L"width"), top + number(panel, L"height")};
}

const XmlElement& viewOf(const XmlElement& svg, const wchar_t* name) {
    const std::vector<const XmlElement*> views = withClass(svg, name);
    EXPECT_EQ(views.size(), 1u);
    static const XmlElement none;
    return views.empty() ? none : *views[0];
}

TEST(PlanPicture, CoordinatesNearTheEndsOfTheRangeAreFittedWithoutOverflow) {
    constexpr double kLargest = std::numeric_limits<double>::max();
    LightInfo spot = light(L"Spot", 3, {kLargest, 0.0, kLargest});
    spot.hasTarget = true;
    spot.target = {-kLargest, 0.0, 0.0};
    spot.direction = {-1.0, 0.0, 0.0};
    spot.hotspot = spot.falloff = 1.0;
    const std::vector<std::vector<LightInfo>> cases = {
        {light(L"West", 2, {-1e308, 0.0, 0.0}), light(L"East", 2, {1e308, 0.0, 0.0})},
        {light(L"Far", 2, {kLargest, -kLargest, kLargest})},
        {light(L"Tiny", 2, {1e-300, 0.0, 0.0}), light(L"Tinier", 2, {2e-300, 1e-300, 0.0})},
        {spot, light(L"Lamp", 2, {-kLargest, kLargest, -kLargest}), light(L"Origin", 10, {0.0, 0.0, 0.0})},
    };
    for (const std::vector<LightInfo>& lights : cases) {
        SCOPED_TRACE(plandor::toUtf8(lights.front().name));
        const std::string bytes = plandor::planPictureSvg({lights, {}, false});
        EXPECT_EQ(bytes.find("inf"), std::string::npos);
        EXPECT_EQ(bytes.find("nan"), std::string::npos);
        // No number runs to hundreds of digits (grid values, the scale bar).
        std::size_t digits = 0, longest = 0;
        for (const char c : bytes) longest = std::max(longest, digits = std::isdigit(static_cast<unsigned char>(c)) ? digits + 1 : 0);
        EXPECT_LT(longest, 20u);
        const XmlElement svg = parseSvg(bytes);
        for (const wchar_t* view : {L"plan", L"front"}) {
            const auto [left, top, right, bottom] = panelOf(viewOf(svg, view));
            std::vector<P> symbols;
            for (const LightInfo& l : lights) {
                const XmlElement& symbol = part(lightGroup(svg, view, l.name), L"symbol");
                const P at{number(symbol, L"x"), number(symbol, L"y")};
                EXPECT_TRUE(at.x >= left && at.x <= right && at.y >= top && at.y <= bottom) << at.x << "," << at.y;
                symbols.push_back(at);
            }
            // Lights apart in the view are drawn apart.
            const plandor::ViewKind kind = view == std::wstring(L"plan") ? plandor::ViewKind::Plan : plandor::ViewKind::Front;
            for (std::size_t i = 0; i < lights.size(); ++i) {
                for (std::size_t j = 0; j < i; ++j) {
                    const plandor::Point2 a = plandor::viewPoint(kind, lights[i].position);
                    const plandor::Point2 b = plandor::viewPoint(kind, lights[j].position);
                    EXPECT_TRUE((a.x == b.x && a.y == b.y) || distance(symbols[i], symbols[j]) > 1.0) << i << " " << j;
                }
            }
        }
    }
}

/// What the name of a light covers, from its text element (as the picture estimates it).
struct LabelBox {
    double left, top, right, bottom;
    bool overlaps(const LabelBox& o) const { return left < o.right && o.left < right && top < o.bottom && o.top < bottom; }
};

LabelBox labelBox(const XmlElement& label) {
    const double width = plandor::labelWidth(label.text, 12.0);
    const std::wstring* anchor = label.attribute(L"text-anchor");
    const double x = number(label, L"x"), y = number(label, L"y");
    const double left = !anchor ? x : *anchor == L"end" ? x - width : x - width / 2.0;
    return {left, y - 11.5, left + width, y + 3.0};
}

TEST(PlanPicture, NamesWhereLightsCrowdMoveAsideAndNeverOverlap) {
    // Three lights at one place, as in the demo, with a neighbour; a column of lights at the
    // panel's right edge; a cluster of a hundred, whose names cannot all find room.
    const auto at = [](const std::wstring& name, int kind, double x, double y, double z) {
        LightInfo l = light(name, kind, {x, y, z});
        l.direction = PlGeVector3d(0.5, 0.5, -0.7).normal();
        return l;
    };
    std::vector<LightInfo> edge, cluster;
    for (int i = 0; i < 8; ++i) edge.push_back(at(L"Edge light " + std::to_wstring(i), 2, 1000.0, i * 150.0, i * 150.0));
    edge.push_back(at(L"West", 2, -1000.0, 0.0, 0.0));
    for (int i = 0; i < 100; ++i) cluster.push_back(at(L"L" + std::to_wstring(i), 2 + i % 2, i % 10 * 10.0, i / 10 * 10.0, i % 7 * 10.0));
    cluster.push_back(at(L"Far", 2, 5000.0, 5000.0, 5000.0));
    const struct {
        const char* what;
        std::vector<LightInfo> lights;
        bool allNamed;
    } cases[] = {
        {"one place", {at(L"Stage spot", 3, 0, 0, 3000), at(L"Distantlight1", 1, 0, 0, 3000), at(L"Fill", 2, 0, 0, 3000),
                       at(L"Reading lamp", 2, 150, 0, 3000), at(L"Far", 2, 3000, 3000, 0)}, true},
        {"the edge", edge, true},
        {"a cluster", cluster, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const XmlElement svg = parseSvg(plandor::planPictureSvg({c.lights, {}, true}));
        for (const wchar_t* view : {L"plan", L"front"}) {
            SCOPED_TRACE(plandor::toUtf8(view));
            const auto [left, top, right, bottom] = panelOf(viewOf(svg, view));
            std::vector<LabelBox> boxes;
            std::vector<P> symbols;
            for (const LightInfo& l : c.lights) {
                const XmlElement& group = lightGroup(svg, view, l.name);
                const XmlElement& symbol = part(group, L"symbol");
                symbols.push_back({number(symbol, L"x"), number(symbol, L"y")});
                const std::vector<const XmlElement*> labels = withClass(group, L"label");
                EXPECT_TRUE(!c.allNamed || labels.size() == 1u) << plandor::toUtf8(l.name);
                if (labels.empty()) continue;
                const LabelBox box = labelBox(*labels[0]);
                EXPECT_TRUE(box.left >= left && box.right <= right && box.top >= top && box.bottom <= bottom);
                for (const LabelBox& other : boxes) EXPECT_FALSE(box.overlaps(other)) << plandor::toUtf8(l.name);
                boxes.push_back(box);
                // A leader runs from the light's ring to its name.
                for (const XmlElement* leader : withClass(group, L"leader")) {
                    EXPECT_NEAR(distance({number(*leader, L"x1"), number(*leader, L"y1")}, symbols.back()), 12.5, 0.02);
                    const P end{number(*leader, L"x2"), number(*leader, L"y2")};
                    EXPECT_TRUE(end.x >= box.left - 0.01 && end.x <= box.right + 0.01 && end.y >= box.top - 0.01 &&
                                end.y <= box.bottom + 0.01);
                }
            }
            // No name covers a symbol.
            for (const LabelBox& box : boxes) {
                for (const P& s : symbols) {
                    const double dx = std::max({box.left - s.x, 0.0, s.x - box.right});
                    const double dy = std::max({box.top - s.y, 0.0, s.y - box.bottom});
                    EXPECT_GE(std::hypot(dx, dy), 7.0);
                }
            }
            EXPECT_GT(boxes.size(), c.allNamed ? c.lights.size() - 1 : 5u);
        }
    }
}

TEST(PlanPicture, NameWidthsCountCellsNotCodeUnits) {
    const std::pair<std::wstring, std::wstring> same[] = {
        {L"\u821E\u53F0", L"MM"},  // wide characters: an em each, at least as wide as M
        {L"Cafe\u0301", L"Cafe"},     // a combining mark adds nothing
        {L"\U0001F600", L"\u821E"},    // one emoji, one code point, whatever the size of wchar_t
    };
    EXPECT_DOUBLE_EQ(plandor::labelWidth(same[0].first, 12.0), 24.0);
    EXPECT_GE(plandor::labelWidth(same[0].first, 12.0), plandor::labelWidth(same[0].second, 12.0));
    EXPECT_DOUBLE_EQ(plandor::labelWidth(same[1].first, 12.0), plandor::labelWidth(same[1].second, 12.0));
    EXPECT_DOUBLE_EQ(plandor::labelWidth(same[2].first, 12.0), plandor::labelWidth(same[2].second, 12.0));
}

// Through plandor: what the drawing holds reaches the picture, erased entities and the lamp's preset included.
TEST(PlanPicture, PlanAndPlanOptionDrawTheDrawing) {
    const plandor_test::ScratchFolder folder;
    const std::string a = plandor::toUtf8(plandor::pathText(folder.path() / "a.svg"));
    const std::string b = plandor::toUtf8(plandor::pathText(folder.path() / "b.svg"));
    const plandor_test::Run run = plandor_test::runScript(
        "LINE 0,0,0 1000,0,0\nCIRCLE 0,0,0 300\nTEXT 0,500,0 \"Stage & <front>\" 100\nERASE 7\n"
        "FREESPOT\n0,0,3000\nPhotometry\nColor\nHighPressureSodium\neXit\nX\nPLAN \"" + a + "\"\nPLAN\n",
        {"--plan", b});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("Wrote the plan and front elevation of 1 light and 2 entities to \"" + a + "\".\n"
                           "Command: PLAN\nExpected PLAN FILE. No picture was written.\n"),
              std::string::npos) << run.out;
    const std::string bytes = plandor_test::readFile(folder.path() / "a.svg");
    EXPECT_EQ(bytes, plandor_test::readFile(folder.path() / "b.svg"));

    const XmlElement svg = parseSvg(bytes);
    EXPECT_EQ(withClass(svg, L"line").size(), 2u);  // one a view
    EXPECT_TRUE(withClass(svg, L"circle").empty());
    const std::vector<const XmlElement*> texts = withClass(svg, L"text");
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0]->text, L"Stage & <front>");
    // High-pressure sodium, 2000 K: orange-red.
    EXPECT_EQ(*part(lightGroup(svg, L"plan", L"Spotlight1"), L"lamp").attribute(L"stroke"), L"#ff8b16");
}

}  // namespace
