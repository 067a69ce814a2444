// The picture of the drawing (PLAN, --plan): its plan and its front elevation side by side,
// as SVG, with every light drawn by kind and colour.
#include "picture/plan_picture.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

#include "drawing/light_color.h"
#include "picture/label_layout.h"
#include "picture/plan_geometry.h"
#include "picture/svg_writer.h"
#include "host/plscene.h"

namespace plandor {

namespace {

using plsim::scene::ColorInfo;
using plsim::scene::LightInfo;

constexpr int kPoint = PlDbLight::kPointLight;
constexpr int kSpot = PlDbLight::kSpotLight;
constexpr int kWeb = PlDbLight::kWebLight;
constexpr int kDistant = PlDbLight::kDistantLight;

// The layout, in pixels.
constexpr double kOuter = 20.0;         ///< around everything
constexpr double kTitleHeight = 28.0;   ///< above each panel
constexpr double kPanelWidth = 600.0;
constexpr double kPanelHeight = 480.0;
constexpr double kGap = 20.0;           ///< between the panels
constexpr double kMargin = 56.0;        ///< inside a panel, around the fitted drawing
constexpr double kLegendHeight = 60.0;
constexpr double kWidth = 2.0 * kOuter + 2.0 * kPanelWidth + kGap;
constexpr double kHeight = 2.0 * kOuter + kTitleHeight + kPanelHeight + kLegendHeight;
constexpr double kSymbol = 7.0;         ///< half the size of a light's symbol
constexpr double kRing = 11.0;          ///< radius of the lamp-colour ring
constexpr double kGridPixels = 72.0;    ///< at least this far between grid lines
constexpr double kScaleBarPixels = 160.0;  ///< at most this long
/// A light's name: 12 pixels high, reaching this far above and below its baseline.
constexpr LabelLayout::Font kLabelFont{12.0, 11.5, 3.0};
/// A grid or scale-bar number: 10 pixels high.
constexpr LabelLayout::Font kGridFont{10.0, 9.5, 2.5};
constexpr double kLabelInset = 3.0;  ///< names keep this far from the panel's edges

constexpr const char* kStyle =
    "text{font-family:sans-serif;fill:#e8ebef}"
    ".panel{fill:#22272e;stroke:#3d4552}"
    ".grid{stroke:#323a45;stroke-width:1;fill:none}"
    ".axis{stroke:#4b5666;stroke-width:1;fill:none}"
    ".gridlabel{font-size:10px;fill:#8d97a5}"
    ".title{font-size:14px;font-weight:bold}"
    ".scale{stroke:#e8ebef;stroke-width:1.5;fill:none}"
    ".entity{stroke:#a9b3c1;stroke-width:1;fill:none}"
    ".entity.region{fill:#a9b3c1;fill-opacity:0.08}"
    ".label{font-size:12px}"
    ".off .label{fill:#8d97a5}"
    ".leader{stroke:#a9b3c1;stroke-width:1;fill:none}"
    ".target{stroke:#c9d1db;stroke-width:1;stroke-dasharray:6 4;fill:none}"
    ".mark{stroke:#c9d1db;stroke-width:1.5;fill:none}"
    ".arrows{stroke:#f2d675;stroke-width:1.5;fill:none}"
    ".hotspot,.falloff{fill:currentColor;stroke:currentColor}"
    ".hotspot{fill-opacity:0.3;stroke-opacity:0.8;stroke-width:1}"
    ".falloff{fill-opacity:0.12;stroke-opacity:0.5;stroke-width:1}"
    ".off .hotspot,.off .falloff{fill:none;stroke-dasharray:3 3}"
    ".symbol{stroke-width:1}"
    ".on .symbol{fill:currentColor;stroke:#0d0f12}"
    ".off .symbol{fill:none;stroke:currentColor}"
    ".off .symbol{stroke-width:2}"
    ".lamp{fill:none;stroke-width:3}"
    ".off .lamp{stroke-opacity:0.4}"
    ".legend text{font-size:11px}";

Point2 operator+(Point2 a, Point2 b) { return {a.x + b.x, a.y + b.y}; }
Point2 operator*(Point2 a, double s) { return {a.x * s, a.y * s}; }

int channel(double value) { return static_cast<int>(std::lround(std::clamp(value, 0.0, 1.0) * 255.0)); }

/// The light's colour: true and book colours by their red, green and blue, index colours
/// through the host's palette, none as a neutral grey.
std::string lightColor(const ColorInfo& color) {
    const plsim::Rgb8 rgb = lightColorRgb(color);
    return hexColor(rgb.red, rgb.green, rgb.blue);
}

/// "light KIND on" or "light KIND off".
std::string_view lightClass(const LightInfo& light) {
    static const std::string classes[] = {
        "light point on", "light spot on", "light web on", "light distant on",
        "light point off", "light spot off", "light web off", "light distant off",
    };
    const int kind = light.kind == kSpot ? 1 : light.kind == kWeb ? 2 : light.kind == kDistant ? 3 : 0;
    return classes[kind + (light.on ? 0 : 4)];
}

struct View {
    ViewKind kind;
    const char* name;
    const wchar_t* title;
    double left, top;
    Frame frame;
};

/// How long a free spot's cones are: a quarter of the drawing's largest extent.
double freeConeLength(const PlanContent& content) {
    Box2 plan, front;
    for (const LightInfo& light : content.lights) {
        for (const ViewKind kind : {ViewKind::Plan, ViewKind::Front}) {
            Box2& box = kind == ViewKind::Plan ? plan : front;
            box.add(viewPoint(kind, light.position));
            if (light.hasTarget && light.kind != kDistant) box.add(viewPoint(kind, light.target));
        }
    }
    for (const EntityOutline& entity : content.entities) {
        for (const PlGePoint3d& p : entity.points) {
            plan.add(viewPoint(ViewKind::Plan, p));
            front.add(viewPoint(ViewKind::Front, p));
        }
    }
    if (plan.empty()) return 1.0;
    const double halfExtent = std::max(
        {halfSpan(plan.minX, plan.maxX), halfSpan(plan.minY, plan.maxY), halfSpan(front.minY, front.maxY)});
    return halfExtent > 0.0 && std::isfinite(halfExtent) ? halfExtent / 2.0 : 1.0;
}

/// The hotspot (`hotspot` true) or falloff cone of a spot.
Cone coneOf(const LightInfo& light, bool hotspot, double freeLength) {
    const double distance = light.position.distanceTo(light.target);
    const double length = light.hasTarget && distance > 0.0 && std::isfinite(distance) ? distance : freeLength;
    return {light.position, light.direction.normal(), (hotspot ? light.hotspot : light.falloff) / 2.0, length};
}

Box2 contentBox(const PlanContent& content, ViewKind view, double freeLength) {
    Box2 box;
    for (const LightInfo& light : content.lights) {
        box.add(viewPoint(view, light.position));
        if (light.hasTarget && light.kind != kDistant) box.add(viewPoint(view, light.target));
        if (light.kind == kSpot) {
            addCone(box, view, coneOf(light, false, freeLength));
            addCone(box, view, coneOf(light, true, freeLength));
        }
    }
    for (const EntityOutline& entity : content.entities) {
        for (const PlGePoint3d& p : entity.points) box.add(viewPoint(view, p));
        if (!entity.text.empty() && !entity.points.empty()) {
            const PlGePoint3d& p = entity.points.front();
            const double width = textWidth(entity.text, entity.height);
            box.add(viewPoint(view, p + PlGeVector3d(width, 0.0, 0.0)));
            if (view == ViewKind::Plan) box.add(viewPoint(view, p + PlGeVector3d(0.0, entity.height, 0.0)));
        }
    }
    if (content.isolux) addIsoluxExtent(box, view, *content.isolux);
    return box;
}

/// At most this many grid lines a direction.
constexpr std::size_t kMostGridLines = 100;

/// Whether grid lines numbered `first` to `last` (their values over the step) can be counted
/// one by one: not where the view lies so far out, for its steps, that doubles no longer
/// hold every whole number (near the ends of the range of double, a drawing unit across).
bool countableGrid(double first, double last) {
    constexpr double kWholeNumbers = 9007199254740992.0;  // 2^53
    return std::abs(first) < kWholeNumbers && std::abs(last) < kWholeNumbers;
}

/// What a grid or scale-bar number written at `x`, `baseline` covers.
PixelBox numberBox(double x, double baseline, const std::wstring& text) {
    return {x, baseline - kGridFont.ascent, x + labelWidth(text, kGridFont.size), baseline + kGridFont.descent};
}

void writeGrid(SvgWriter& svg, const View& view, LabelLayout& labels) {
    const Frame& f = view.frame;
    const double step = roundStepAtLeast(kGridPixels / f.scale);
    const double right = view.left + kPanelWidth;
    const double bottom = view.top + kPanelHeight;
    PathData grid, axes;
    std::vector<std::pair<double, double>> columns, rows;  // (pixel, value)
    const double firstX = std::ceil(f.viewX(view.left) / step);
    const double lastX = std::floor(f.viewX(right) / step);
    for (double k = firstX; countableGrid(firstX, lastX) && k <= lastX && columns.size() < kMostGridLines; ++k) {
        const double x = f.toPixels({k * step, 0.0}).x;
        (k == 0.0 ? axes : grid).moveTo({x, view.top}).lineTo({x, bottom});
        columns.emplace_back(x, k * step);
    }
    const double firstY = std::ceil(f.viewY(bottom) / step);
    const double lastY = std::floor(f.viewY(view.top) / step);
    for (double k = firstY; countableGrid(firstY, lastY) && k <= lastY && rows.size() < kMostGridLines; ++k) {
        const double y = f.toPixels({0.0, k * step}).y;
        (k == 0.0 ? axes : grid).moveTo({view.left, y}).lineTo({right, y});
        rows.emplace_back(y, k * step);
    }
    if (!grid.empty()) svg.begin("path").attribute("class", "grid").attribute("d", grid.text()).close();
    if (!axes.empty()) svg.begin("path").attribute("class", "axis").attribute("d", axes.text()).close();
    for (const auto& [x, value] : columns) {
        if (x > right - 36.0) continue;  // no room for the number
        const std::wstring number = gridNumber(value, step);
        labels.block(numberBox(x + 3.0, view.top + 12.0, number));
        svg.begin("text").attribute("class", "gridlabel").attribute("x", x + 3.0).attribute("y", view.top + 12.0);
        svg.textElement("text", number);
    }
    for (const auto& [y, value] : rows) {
        if (y < view.top + 26.0) continue;  // under the numbers of the columns
        const std::wstring number = gridNumber(value, step);
        labels.block(numberBox(view.left + 3.0, y - 3.0, number));
        svg.begin("text").attribute("class", "gridlabel").attribute("x", view.left + 3.0).attribute("y", y - 3.0);
        svg.textElement("text", number);
    }
}

/// The scale bar at the panel's bottom left: its length in drawing units, in pixels, where
/// it starts and the text beside it.
struct ScaleBar {
    double pixels, x, y;
    std::wstring caption;
};

ScaleBar scaleBarOf(const View& view) {
    const double length = roundStepAtMost(kScaleBarPixels / view.frame.scale);
    return {length * view.frame.scale, view.left + 16.0, view.top + kPanelHeight - 16.0,
            gridNumber(length, length) + L" units"};
}

void writeScaleBar(SvgWriter& svg, const View& view) {
    const ScaleBar b = scaleBarOf(view);
    PathData bar;
    bar.moveTo({b.x, b.y - 6.0}).lineTo({b.x, b.y}).lineTo({b.x + b.pixels, b.y}).lineTo({b.x + b.pixels, b.y - 6.0});
    svg.begin("path").attribute("class", "scale").attribute("d", bar.text()).close();
    svg.begin("text").attribute("class", "gridlabel").attribute("x", b.x + b.pixels + 6.0).attribute("y", b.y + 3.0);
    svg.textElement("text", b.caption);
}

void writeEntity(SvgWriter& svg, const View& view, const EntityOutline& entity) {
    if (entity.points.empty()) return;
    const Frame& f = view.frame;
    const std::string kind = "entity " + std::string(entity.kind.begin(), entity.kind.end());
    if (!entity.text.empty()) {
        const Point2 at = f.toPixels(viewPoint(view.kind, entity.points.front()));
        if (view.kind == ViewKind::Plan) {
            svg.begin("text").attribute("class", kind).attribute("x", at.x).attribute("y", at.y);
            svg.attribute("font-size", entity.height * f.scale);
            svg.textElement("text", entity.text);
            return;
        }
        // Seen from the front, a text lying in its plane is a line as wide as the text.
        PathData edge;
        edge.moveTo(at).lineTo({at.x + textWidth(entity.text, entity.height) * f.scale, at.y});
        svg.begin("path").attribute("class", kind).attribute("d", edge.text()).close();
        return;
    }
    PathData d;
    d.moveTo(f.toPixels(viewPoint(view.kind, entity.points.front())));
    for (std::size_t i = 1; i < entity.points.size(); ++i) d.lineTo(f.toPixels(viewPoint(view.kind, entity.points[i])));
    if (entity.closed) d.close();
    svg.begin("path").attribute("class", kind).attribute("d", d.text()).close();
}

/// The id of the shape of a light's symbol by kind, defined once (writeSymbolShapes).
const char* symbolShape(int kind) {
    switch (kind) {
        case kDistant: return "#distant";
        case kSpot: return "#spot";
        case kWeb: return "#web";
        default: return "#point";
    }
}

/// The shapes the lights' symbols use, centred on the origin: a square for a distant light, a
/// triangle for a spot, a hexagon for a web light and a circle for a point light; and the
/// cross that marks a target, at the end of its line.
void writeSymbolShapes(SvgWriter& svg) {
    const double s = kSymbol;
    svg.begin("rect").attribute("id", "distant").attribute("x", -0.85 * s).attribute("y", -0.85 * s);
    svg.attribute("width", 1.7 * s).attribute("height", 1.7 * s).close();
    PathData triangle;
    triangle.moveTo({0.0, -1.15 * s}).lineTo({s, 0.75 * s}).lineTo({-s, 0.75 * s}).close();
    svg.begin("path").attribute("id", "spot").attribute("d", triangle.text()).close();
    PathData hexagon;
    constexpr double kCos30 = 0.8660254037844386;
    hexagon.moveTo({s, 0.0}).lineTo({s / 2, s * kCos30}).lineTo({-s / 2, s * kCos30});
    hexagon.lineTo({-s, 0.0}).lineTo({-s / 2, -s * kCos30}).lineTo({s / 2, -s * kCos30});
    svg.begin("path").attribute("id", "web").attribute("d", hexagon.close().text()).close();
    svg.begin("circle").attribute("id", "point").attribute("r", s).close();
    svg.begin("marker").attribute("id", "cross").attribute("markerUnits", "userSpaceOnUse");
    svg.attribute("markerWidth", 10.0).attribute("markerHeight", 10.0).attribute("refX", 5.0).attribute("refY", 5.0).open();
    PathData cross;
    cross.moveTo({1.0, 1.0}).lineTo({9.0, 9.0}).moveTo({1.0, 9.0}).lineTo({9.0, 1.0});
    svg.begin("path").attribute("class", "mark").attribute("d", cross.text()).close();
    svg.end("marker");
}

/// A light's symbol by kind, centred on `at`: a use of its shape, which the style fills with
/// the colour of the light's group, or outlines with it when the light is off.
void writeSymbol(SvgWriter& svg, int kind, Point2 at) {
    svg.begin("use").attribute("class", "symbol").attribute("href", symbolShape(kind));
    svg.attribute("x", at.x).attribute("y", at.y).close();
}

/// How a direction is shown beside a light at `at`: `count` parallel arrows (fewer pixels
/// the more the direction points at or away from the viewer), or, seen end on, a circle at
/// `mark` with a cross (pointing away) or a dot (pointing at the viewer).
struct DirectionArrows {
    bool endOn = false, away = false;
    Point2 mark;
    Point2 e, across;  ///< the unit vector of the arrows in pixels, and across them
    int count = 0;
    std::pair<Point2, Point2> shafts[3];  ///< from start to tip
};

constexpr double kEndOnRadius = 7.0;

DirectionArrows directionArrows(const View& view, Point2 at, const PlGeVector3d& direction, int count) {
    const PlGeVector3d unit = direction.normal();
    const Point2 seen = view.frame.toPixelVector(viewVector(view.kind, unit));
    const double shown = std::hypot(seen.x, seen.y) / view.frame.scale;  // 0 to 1
    DirectionArrows arrows;
    if (shown < 0.05) {
        arrows.endOn = true;
        arrows.away = towardViewer(view.kind, unit) < 0.0;
        arrows.mark = {at.x + 22.0, at.y};
        return arrows;
    }
    arrows.e = {seen.x / (shown * view.frame.scale), seen.y / (shown * view.frame.scale)};
    arrows.across = {-arrows.e.y, arrows.e.x};
    arrows.count = std::min(count, 3);
    const double length = 40.0 * shown;
    for (int i = 0; i < arrows.count; ++i) {
        const double offset = (i - (arrows.count - 1) / 2.0) * 12.0;
        const Point2 start = at + arrows.e * (kRing + 2.0) + arrows.across * offset;
        arrows.shafts[i] = {start, start + arrows.e * length};
    }
    return arrows;
}

void writeDirection(SvgWriter& svg, const DirectionArrows& arrows) {
    PathData d;
    if (arrows.endOn) {
        const Point2 c = arrows.mark;
        const double r = kEndOnRadius;
        d.moveTo({c.x - r, c.y}).arcTo(r, r, 0.0, false, true, {c.x + r, c.y}).arcTo(r, r, 0.0, false, true, {c.x - r, c.y});
        if (arrows.away) {
            const double k = r * 0.7071;
            d.moveTo({c.x - k, c.y - k}).lineTo({c.x + k, c.y + k}).moveTo({c.x - k, c.y + k}).lineTo({c.x + k, c.y - k});
        } else {
            d.moveTo({c.x - 1.5, c.y}).arcTo(1.5, 1.5, 0.0, false, true, {c.x + 1.5, c.y}).arcTo(1.5, 1.5, 0.0, false, true, {c.x - 1.5, c.y});
        }
    }
    const Point2 e = arrows.e, across = arrows.across;
    for (int i = 0; i < arrows.count; ++i) {
        const auto& [start, tip] = arrows.shafts[i];
        d.moveTo(start).lineTo(tip);
        d.moveTo(tip + e * -6.0 + across * 4.0).lineTo(tip).lineTo(tip + e * -6.0 + across * -4.0);
    }
    svg.begin("path").attribute("class", "arrows").attribute("d", d.text()).close();
}

/// How many arrows show a light's direction: three for a distant light, one for a free web
/// light, none for the others.
int arrowCount(const LightInfo& light) {
    return light.kind == kDistant ? 3 : light.kind == kWeb && !light.hasTarget ? 1 : 0;
}

/// How far a light's symbol reaches around its place: its lamp ring, or the symbol itself.
double symbolRadius(bool photometric) { return photometric ? kRing + 1.5 : kSymbol * 1.2; }

/// Takes what the lights' symbols and arrows cover in `labels`, before any name is placed.
void blockSymbols(LabelLayout& labels, const View& view, const PlanContent& content) {
    const double r = symbolRadius(content.photometric);
    for (const LightInfo& light : content.lights) {
        const Point2 at = view.frame.toPixels(viewPoint(view.kind, light.position));
        labels.blockDisc(at, r);
        const int count = arrowCount(light);
        if (count == 0) continue;
        const DirectionArrows arrows = directionArrows(view, at, light.direction, count);
        if (arrows.endOn) {
            labels.blockDisc(arrows.mark, kEndOnRadius + 1.0);
        }
        for (int i = 0; i < arrows.count; ++i) labels.blockLine(arrows.shafts[i].first, arrows.shafts[i].second);
    }
}

void writeCone(SvgWriter& svg, const View& view, const Cone& cone, const char* kind) {
    const ConeOutline o = coneOutline(view.kind, view.frame, cone);
    PathData d;
    switch (o.shape) {
        case ConeOutline::Shape::None:
            return;
        case ConeOutline::Shape::Wedge:
            d.moveTo(o.apex).lineTo(o.first).lineTo(o.last).close();
            break;
        case ConeOutline::Shape::Cone:
            d.moveTo(o.apex).lineTo(o.first).arcTo(o.radiusX, o.radiusY, o.rotationDeg, o.largeArc, o.sweep, o.last).close();
            break;
        case ConeOutline::Shape::EndOnly:
            d.moveTo(o.first).arcTo(o.radiusX, o.radiusY, o.rotationDeg, false, o.sweep, o.opposite);
            d.arcTo(o.radiusX, o.radiusY, o.rotationDeg, false, o.sweep, o.first).close();
            break;
    }
    svg.begin("path").attribute("class", kind).attribute("d", d.text()).close();
}

void writeLight(SvgWriter& svg, const View& view, const LightInfo& light, bool photometric, double freeLength,
                LabelLayout& labels) {
    const Frame& f = view.frame;
    const Point2 at = f.toPixels(viewPoint(view.kind, light.position));
    // The light's colour, which its symbol and cones take through the style.
    svg.begin("g").attribute("class", lightClass(light)).attribute("color", lightColor(light.color));
    svg.open().begin("title").textElement("title", light.name);
    if (light.kind == kSpot) {
        writeCone(svg, view, coneOf(light, false, freeLength), "falloff");
        writeCone(svg, view, coneOf(light, true, freeLength), "hotspot");
    }
    if (light.hasTarget && light.kind != kDistant) {
        const Point2 target = f.toPixels(viewPoint(view.kind, light.target));
        svg.begin("line").attribute("class", "target").attribute("x1", at.x).attribute("y1", at.y);
        svg.attribute("x2", target.x).attribute("y2", target.y).attribute("marker-end", "url(#cross)").close();
    }
    if (const int arrows = arrowCount(light); arrows > 0) writeDirection(svg, directionArrows(view, at, light.direction, arrows));
    if (photometric) {
        const plsim::SrgbColor& lamp = light.photometry.lampRgb;
        svg.begin("circle").attribute("class", "lamp").attribute("cx", at.x).attribute("cy", at.y).attribute("r", kRing);
        svg.attribute("stroke", hexColor(channel(lamp.red), channel(lamp.green), channel(lamp.blue))).close();
    }
    writeSymbol(svg, light.kind, at);
    // The name beside the symbol where it covers no other, moved aside with a leader where
    // lights crowd, left out where no place near is free (the title still names the light).
    if (const auto place = labels.place(at, symbolRadius(photometric), labelWidth(light.name, kLabelFont.size), kLabelFont)) {
        if (place->leader) {
            svg.begin("line").attribute("class", "leader").attribute("x1", place->leader->first.x);
            svg.attribute("y1", place->leader->first.y).attribute("x2", place->leader->second.x);
            svg.attribute("y2", place->leader->second.y).close();
        }
        svg.begin("text").attribute("class", "label").attribute("x", place->x).attribute("y", place->baseline);
        if (place->anchor != LabelPlace::Anchor::Start) {
            svg.attribute("text-anchor", place->anchor == LabelPlace::Anchor::End ? "end" : "middle");
        }
        svg.textElement("text", light.name);
    }
    svg.end("g");
}

void writeView(SvgWriter& svg, const View& view, const PlanContent& content, double freeLength) {
    LabelLayout labels(view.left, view.top, kPanelWidth, kPanelHeight, kLabelInset);
    svg.begin("g").attribute("class", std::string("view ") + view.name).open();
    svg.begin("text").attribute("class", "title").attribute("x", view.left).attribute("y", view.top - 9.0);
    svg.textElement("text", view.title);
    svg.begin("rect").attribute("class", "panel").attribute("x", view.left).attribute("y", view.top);
    svg.attribute("width", kPanelWidth).attribute("height", kPanelHeight).close();
    svg.begin("g").attribute("clip-path", std::string("url(#clip-") + view.name + ")").open();
    writeGrid(svg, view, labels);
    if (content.isolux) writeIsolux(svg, view.kind, view.frame, *content.isolux);
    const ScaleBar bar = scaleBarOf(view);
    labels.block({bar.x, bar.y - 6.0, bar.x + bar.pixels, bar.y + 1.0});
    labels.block(numberBox(bar.x + bar.pixels + 6.0, bar.y + 3.0, bar.caption));
    blockSymbols(labels, view, content);
    for (const EntityOutline& entity : content.entities) writeEntity(svg, view, entity);
    for (const LightInfo& light : content.lights) writeLight(svg, view, light, content.photometric, freeLength, labels);
    if (content.lights.empty() && content.entities.empty()) {
        svg.begin("text").attribute("class", "label").attribute("x", view.left + kPanelWidth / 2.0);
        svg.attribute("y", view.top + kPanelHeight / 2.0).attribute("text-anchor", "middle");
        svg.textElement("text", L"The drawing holds no lights and no entities.");
    }
    svg.end("g");
    writeScaleBar(svg, view);
    if (content.isolux && view.kind == ViewKind::Plan)
        writeIsoluxScale(svg, {view.left, view.top, kPanelWidth, kPanelHeight}, *content.isolux);
    svg.end("g");
}

void writeLegend(SvgWriter& svg, bool photometric) {
    const double top = kOuter + kTitleHeight + kPanelHeight + 14.0;
    const double column = (kWidth - 2.0 * kOuter) / 5.0;
    const auto item = [&](int index, const wchar_t* caption) {
        const Point2 at{kOuter + column * (index % 5) + 10.0, top + 10.0 + 24.0 * (index / 5)};
        svg.begin("text").attribute("x", at.x + 20.0).attribute("y", at.y + 4.0).textElement("text", caption);
        return at;
    };
    svg.begin("g").attribute("class", "legend").attribute("color", "#ffffff").open();  // white symbols
    const int kinds[] = {kPoint, kSpot, kWeb, kDistant};
    const wchar_t* captions[] = {L"point light", L"spot light", L"web light", L"distant light, arrows: its direction"};
    for (int i = 0; i < 4; ++i) {
        const Point2 at = item(i, captions[i]);
        svg.begin("g").attribute("class", "light on").open();
        writeSymbol(svg, kinds[i], at);
        svg.end("g");
    }
    Point2 at = item(4, L"a light that is off");
    svg.begin("g").attribute("class", "light off").open();
    writeSymbol(svg, kPoint, at);
    svg.end("g");
    at = item(5, L"target");
    PathData line;
    line.moveTo({at.x - 10.0, at.y}).lineTo({at.x + 10.0, at.y});
    svg.begin("path").attribute("class", "target").attribute("d", line.text()).close();
    at = item(6, L"hotspot and falloff cones");
    PathData wide, narrow;
    wide.moveTo({at.x - 10.0, at.y}).lineTo({at.x + 10.0, at.y - 9.0}).lineTo({at.x + 10.0, at.y + 9.0}).close();
    narrow.moveTo({at.x - 10.0, at.y}).lineTo({at.x + 10.0, at.y - 5.0}).lineTo({at.x + 10.0, at.y + 5.0}).close();
    svg.begin("path").attribute("class", "falloff").attribute("d", wide.text()).close();
    svg.begin("path").attribute("class", "hotspot").attribute("d", narrow.text()).close();
    if (photometric) {
        at = item(7, L"ring: lamp color");
        svg.begin("circle").attribute("class", "lamp").attribute("cx", at.x).attribute("cy", at.y).attribute("r", 8.0);
        svg.attribute("stroke", "#ffb46b").close();
    }
    at = item(photometric ? 8 : 7, L"entity");
    line.clear();
    line.moveTo({at.x - 10.0, at.y}).lineTo({at.x + 10.0, at.y});
    svg.begin("path").attribute("class", "entity").attribute("d", line.text()).close();
    item(photometric ? 9 : 8, L"grid and scale bars in drawing units");
    svg.end("g");
}

}  // namespace

std::string planPictureSvg(const PlanContent& content) {
    const double freeLength = freeConeLength(content);
    const double top = kOuter + kTitleHeight;
    View views[] = {
        {ViewKind::Plan, "plan", L"Plan: looking down, X across, Y up", kOuter, top, {}},
        {ViewKind::Front, "front", L"Front elevation: looking from the front, X across, Z up",
         kOuter + kPanelWidth + kGap, top, {}},
    };
    for (View& view : views) {
        view.frame = fitFrame(contentBox(content, view.kind, freeLength), view.left, view.top, kPanelWidth,
                              kPanelHeight, kMargin);
    }

    SvgWriter svg;
    svg.buffer().reserve(4096 + content.lights.size() * 1400 + content.entities.size() * 600);
    svg.buffer() += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    svg.begin("svg").attribute("xmlns", "http://www.w3.org/2000/svg").attribute("width", kWidth);
    std::string viewBox = "0 0 ";
    appendSvgNumber(viewBox, kWidth);
    viewBox += ' ';
    appendSvgNumber(viewBox, kHeight);
    svg.attribute("height", kHeight).attribute("viewBox", viewBox).open();
    svg.buffer() += '\n';
    svg.begin("title").textElement("title", L"The lights of the drawing in plan and front elevation");
    svg.begin("style").open();
    svg.buffer() += kStyle;
    svg.end("style");
    svg.begin("defs").open();
    writeSymbolShapes(svg);
    for (const View& view : views) {
        svg.begin("clipPath").attribute("id", std::string("clip-") + view.name).open();
        svg.begin("rect").attribute("x", view.left).attribute("y", view.top).attribute("width", kPanelWidth);
        svg.attribute("height", kPanelHeight).close();
        svg.end("clipPath");
    }
    svg.end("defs");
    svg.begin("rect").attribute("width", kWidth).attribute("height", kHeight).attribute("fill", "#181b20").close();
    for (const View& view : views) writeView(svg, view, content, freeLength);
    writeLegend(svg, content.photometric);
    svg.end("svg");
    return std::move(svg.buffer());
}

}  // namespace plandor
