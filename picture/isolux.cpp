// The illuminance grid in the picture of the drawing: false colour, isolux lines, colour scale.
#include "picture/isolux.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <unordered_map>

#include "picture/png_image.h"

namespace plandor {
namespace {

/// The false colours from least to most light (the perceptually even "viridis" ramp).
constexpr plsim::Rgb8 kRamp[] = {
    {0x44, 0x01, 0x54}, {0x48, 0x28, 0x78}, {0x3e, 0x49, 0x89}, {0x31, 0x68, 0x8e}, {0x26, 0x82, 0x8e},
    {0x1f, 0x9e, 0x89}, {0x35, 0xb7, 0x79}, {0x6e, 0xce, 0x58}, {0xb5, 0xde, 0x2b}, {0xfd, 0xe7, 0x25},
};
constexpr int kRampStops = static_cast<int>(sizeof kRamp / sizeof kRamp[0]);

/// The image has at most this many pixels a side, one for about two of the picture's.
constexpr double kMostImagePixels = 320.0;
constexpr double kScreenPixelsPerImagePixel = 2.0;
/// Isolux lines shorter than this carry no value; values stay this far apart.
constexpr double kLabelledLength = 70.0;
constexpr double kLabelSpacing = 60.0;

plsim::Rgb8 rampColour(double t) {
    t = std::clamp(t, 0.0, 1.0) * (kRampStops - 1);
    const int i = std::min(static_cast<int>(t), kRampStops - 2);
    const double f = t - i;
    const auto mix = [f](std::uint8_t a, std::uint8_t b) {
        return static_cast<std::uint8_t>(std::lround(a + f * (static_cast<double>(b) - a)));
    };
    return {mix(kRamp[i].red, kRamp[i + 1].red), mix(kRamp[i].green, kRamp[i + 1].green),
            mix(kRamp[i].blue, kRamp[i + 1].blue)};
}

std::string hex(plsim::Rgb8 c) { return hexColor(c.red, c.green, c.blue); }

struct Range {
    double minimum = 0.0, maximum = 0.0;
};

Range rangeOf(const IsoluxGrid& grid) {
    Range r{grid.values.empty() ? 0.0 : grid.values.front(), grid.values.empty() ? 0.0 : grid.values.front()};
    for (const double v : grid.values) {
        r.minimum = std::min(r.minimum, v);
        r.maximum = std::max(r.maximum, v);
    }
    return r;
}

/// The colour scale: from the round value at or below the least light to the one at or above the most.
struct Scale {
    double low = 0.0, high = 1.0, step = 1.0;
    std::vector<double> levels;

    explicit Scale(const IsoluxGrid& grid) {
        const Range r = rangeOf(grid);
        levels = isoluxLevels(r.minimum, r.maximum);
        if (levels.size() >= 2) {
            step = levels[1] - levels[0];
            low = std::floor(r.minimum / step + 1e-9) * step;
            high = std::ceil(r.maximum / step - 1e-9) * step;
        } else {
            low = std::min(0.0, r.minimum);
            high = r.maximum > low ? r.maximum : low + 1.0;
            step = roundStepAtLeast((high - low) / 4.0);
        }
    }
    double fraction(double value) const { return (value - low) / (high - low); }
};

/// The grid's value at a world point, bilinear between its values, the nearest beyond them.
double valueAt(const IsoluxGrid& g, double x, double y) {
    const auto place = [](double at, double first, double step, std::size_t count, std::size_t& i, double& t) {
        const double u = count > 1 ? std::clamp((at - first) / step, 0.0, static_cast<double>(count - 1)) : 0.0;
        i = std::min(static_cast<std::size_t>(u), count > 1 ? count - 2 : 0);
        t = count > 1 ? u - static_cast<double>(i) : 0.0;
    };
    std::size_t i = 0, j = 0;
    double tx = 0.0, ty = 0.0;
    place(x, g.x0, g.dx, g.columns, i, tx);
    place(y, g.y0, g.dy, g.rows, j, ty);
    const auto at = [&g](std::size_t c, std::size_t r) {
        return g.values[std::min(r, g.rows - 1) * g.columns + std::min(c, g.columns - 1)];
    };
    const double lo = at(i, j) + tx * (at(i + 1, j) - at(i, j));
    const double hi = at(i, j + 1) + tx * (at(i + 1, j + 1) - at(i, j + 1));
    return lo + ty * (hi - lo);
}

void writeImage(SvgWriter& svg, const Frame& frame, const IsoluxGrid& g, const Scale& scale) {
    const Point2 corner = frame.toPixels({g.left, g.bottom + g.depth});
    const double width = g.width * frame.scale, height = g.depth * frame.scale;
    const auto side = [](double pixels) {
        return static_cast<std::uint32_t>(
            std::clamp(std::ceil(pixels / kScreenPixelsPerImagePixel), 1.0, kMostImagePixels));
    };
    const std::uint32_t w = side(width), h = side(height);
    std::vector<plsim::Rgb8> palette;
    for (int i = 0; i < 256; ++i) palette.push_back(rampColour(i / 255.0));
    std::vector<std::uint8_t> indices(static_cast<std::size_t>(w) * h);
    for (std::uint32_t r = 0; r < h; ++r) {
        const double y = g.bottom + g.depth * (1.0 - (r + 0.5) / h);
        for (std::uint32_t c = 0; c < w; ++c) {
            const double x = g.left + g.width * (c + 0.5) / w;
            const double t = std::clamp(scale.fraction(valueAt(g, x, y)), 0.0, 1.0);
            indices[static_cast<std::size_t>(r) * w + c] = static_cast<std::uint8_t>(std::lround(t * 255.0));
        }
    }
    svg.begin("image").attribute("class", "isolux-image").attribute("x", corner.x).attribute("y", corner.y);
    svg.attribute("width", width).attribute("height", height).attribute("preserveAspectRatio", "none");
    svg.attribute("opacity", 0.9);
    svg.attribute("href", "data:image/png;base64," + base64(indexedPng(w, h, palette, indices))).close();
}

/// The isolux lines of `level` as polylines in world coordinates (marching squares, saddles
/// settled by the mean of the square's corners).
std::vector<std::vector<Point2>> contourLines(const IsoluxGrid& g, double level) {
    const std::size_t nx = g.columns, ny = g.rows;
    std::vector<std::vector<Point2>> lines;
    if (nx < 2 || ny < 2) return lines;
    const auto value = [&g, nx](std::size_t i, std::size_t j) { return g.values[j * nx + i]; };
    const auto node = [&g](std::size_t i, std::size_t j) {
        return Point2{g.x0 + static_cast<double>(i) * g.dx, g.y0 + static_cast<double>(j) * g.dy};
    };
    // An edge by its lower node and direction: where the level crosses it.
    const auto edgeKey = [nx](std::size_t i, std::size_t j, bool vertical) {
        return (static_cast<std::uint64_t>(j) * nx + i) * 2 + (vertical ? 1 : 0);
    };
    const auto crossing = [&](std::size_t i, std::size_t j, bool vertical) {
        const std::size_t i1 = vertical ? i : i + 1, j1 = vertical ? j + 1 : j;
        const double a = value(i, j), b = value(i1, j1);
        const double t = b != a ? std::clamp((level - a) / (b - a), 0.0, 1.0) : 0.5;
        const Point2 p = node(i, j), q = node(i1, j1);
        return Point2{p.x + t * (q.x - p.x), p.y + t * (q.y - p.y)};
    };
    struct Segment {
        std::uint64_t ends[2];
    };
    std::vector<Segment> segments;
    std::unordered_map<std::uint64_t, Point2> points;
    for (std::size_t j = 0; j + 1 < ny; ++j) {
        for (std::size_t i = 0; i + 1 < nx; ++i) {
            const bool b00 = value(i, j) >= level, b10 = value(i + 1, j) >= level;
            const bool b01 = value(i, j + 1) >= level, b11 = value(i + 1, j + 1) >= level;
            const std::uint64_t bottom = edgeKey(i, j, false), top = edgeKey(i, j + 1, false);
            const std::uint64_t left = edgeKey(i, j, true), right = edgeKey(i + 1, j, true);
            std::vector<std::uint64_t> crossed;
            if (b00 != b10) crossed.push_back(bottom), points.emplace(bottom, crossing(i, j, false));
            if (b10 != b11) crossed.push_back(right), points.emplace(right, crossing(i + 1, j, true));
            if (b01 != b11) crossed.push_back(top), points.emplace(top, crossing(i, j + 1, false));
            if (b00 != b01) crossed.push_back(left), points.emplace(left, crossing(i, j, true));
            if (crossed.size() == 2) {
                segments.push_back({{crossed[0], crossed[1]}});
            } else if (crossed.size() == 4) {
                const double mean = (value(i, j) + value(i + 1, j) + value(i, j + 1) + value(i + 1, j + 1)) / 4.0;
                // Cut off the corners that stand alone: the low ones when the middle is high.
                if ((mean >= level) == b00) {
                    segments.push_back({{bottom, right}});
                    segments.push_back({{top, left}});
                } else {
                    segments.push_back({{left, bottom}});
                    segments.push_back({{right, top}});
                }
            }
        }
    }
    // Segments joined where they share an edge.
    std::unordered_map<std::uint64_t, std::vector<std::size_t>> at;
    for (std::size_t s = 0; s < segments.size(); ++s)
        for (const std::uint64_t e : segments[s].ends) at[e].push_back(s);
    std::vector<bool> used(segments.size(), false);
    for (std::size_t first = 0; first < segments.size(); ++first) {
        if (used[first]) continue;
        used[first] = true;
        std::vector<std::uint64_t> chain{segments[first].ends[0], segments[first].ends[1]};
        for (int direction = 0; direction < 2; ++direction) {
            for (;;) {
                const std::uint64_t end = chain.back();
                std::size_t next = segments.size();
                for (const std::size_t s : at[end])
                    if (!used[s]) next = s;
                if (next == segments.size()) break;
                used[next] = true;
                chain.push_back(segments[next].ends[0] == end ? segments[next].ends[1] : segments[next].ends[0]);
            }
            std::reverse(chain.begin(), chain.end());
        }
        std::vector<Point2> line;
        for (const std::uint64_t e : chain) line.push_back(points[e]);
        lines.push_back(std::move(line));
    }
    return lines;
}

/// A place on a polyline and the direction of the line there, in degrees, turned upright.
struct LabelPlace {
    Point2 at;
    double angle = 0.0;
};

LabelPlace placeAlong(const std::vector<Point2>& pixels, double distance) {
    double walked = 0.0;
    for (std::size_t k = 1; k < pixels.size(); ++k) {
        const Point2 a = pixels[k - 1], b = pixels[k];
        const double piece = std::hypot(b.x - a.x, b.y - a.y);
        if (walked + piece < distance && k + 1 < pixels.size()) {
            walked += piece;
            continue;
        }
        const double t = piece > 0.0 ? std::clamp((distance - walked) / piece, 0.0, 1.0) : 0.0;
        double angle = std::atan2(b.y - a.y, b.x - a.x) * 180.0 / 3.141592653589793;
        if (angle > 90.0) angle -= 180.0;
        if (angle <= -90.0) angle += 180.0;
        return {{a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)}, angle};
    }
    return {pixels.front(), 0.0};
}

void writeLabel(SvgWriter& svg, const LabelPlace& place, const std::wstring& text) {
    std::string transform = "translate(";
    appendSvgNumber(transform, place.at.x);
    transform += ' ';
    appendSvgNumber(transform, place.at.y);
    transform += ") rotate(";
    appendSvgNumber(transform, place.angle);
    transform += ')';
    const double w = 6.5 * static_cast<double>(text.size()) + 6.0;
    svg.begin("g").attribute("class", "isolux-label").attribute("transform", transform).open();
    svg.begin("rect").attribute("x", -w / 2.0).attribute("y", -7.0).attribute("width", w);
    svg.attribute("height", 13.0).attribute("rx", 3.0).attribute("fill", "#181b20");
    svg.attribute("fill-opacity", 0.75).close();
    svg.begin("text").attribute("y", 4.0).attribute("text-anchor", "middle").attribute("font-size", 11.0);
    svg.textElement("text", text);
    svg.end("g");
}

void writeContours(SvgWriter& svg, const Frame& frame, const IsoluxGrid& g, const Scale& scale) {
    std::vector<Point2> labelled;
    for (const double level : scale.levels) {
        PathData d;
        for (const std::vector<Point2>& line : contourLines(g, level)) {
            std::vector<Point2> pixels;
            for (const Point2& p : line) {
                const Point2 q = frame.toPixels(p);
                if (pixels.empty() || std::hypot(q.x - pixels.back().x, q.y - pixels.back().y) >= 0.75)
                    pixels.push_back(q);
            }
            if (pixels.size() < 2) continue;
            d.moveTo(pixels.front());
            double length = 0.0;
            for (std::size_t k = 1; k < pixels.size(); ++k) {
                d.lineTo(pixels[k]);
                length += std::hypot(pixels[k].x - pixels[k - 1].x, pixels[k].y - pixels[k - 1].y);
            }
            if (length < kLabelledLength) continue;
            // The value on the line, upright along it, at the first of a few places along it
            // that keeps clear of the values already written.
            for (const double share : {0.5, 0.25, 0.75, 0.125, 0.375, 0.625, 0.875}) {
                const LabelPlace place = placeAlong(pixels, share * length);
                const bool crowded = std::any_of(labelled.begin(), labelled.end(), [&place](const Point2& p) {
                    return std::hypot(p.x - place.at.x, p.y - place.at.y) < kLabelSpacing;
                });
                if (crowded) continue;
                labelled.push_back(place.at);
                writeLabel(svg, place, gridNumber(level, scale.step));
                break;
            }
        }
        if (d.empty()) continue;
        svg.begin("path").attribute("class", "isolux-line").attribute("d", d.text()).attribute("fill", "none");
        svg.attribute("stroke", "#f4f6f8").attribute("stroke-width", 1.2).attribute("stroke-opacity", 0.85).close();
    }
}

}  // namespace

std::vector<double> isoluxLevels(double minimum, double maximum) {
    std::vector<double> levels;
    if (!(maximum > minimum) || !std::isfinite(minimum) || !std::isfinite(maximum)) return levels;
    const double step = roundStepAtLeast((maximum - minimum) / 6.0);
    // A level within a rounding error of an end is that end, not a line.
    const double slack = 1e-9 * step;
    for (double k = std::floor(minimum / step); k * step < maximum - slack && levels.size() < 12; ++k)
        if (k * step > minimum + slack) levels.push_back(k * step);
    return levels;
}

void addIsoluxExtent(Box2& box, ViewKind view, const IsoluxGrid& grid) {
    const double right = grid.left + grid.width;
    if (view == ViewKind::Plan) {
        box.add({grid.left, grid.bottom});
        box.add({right, grid.bottom + grid.depth});
    } else {
        box.add({grid.left, grid.height});
        box.add({right, grid.height});
    }
}

void writeIsolux(SvgWriter& svg, ViewKind view, const Frame& frame, const IsoluxGrid& grid) {
    if (grid.values.empty() || grid.columns * grid.rows != grid.values.size()) return;
    svg.begin("g").attribute("class", "isolux").open();
    if (view == ViewKind::Plan) {
        const Scale scale(grid);
        writeImage(svg, frame, grid, scale);
        writeContours(svg, frame, grid, scale);
    } else {
        // The work plane seen edge on.
        const Point2 a = frame.toPixels({grid.left, grid.height}),
                     b = frame.toPixels({grid.left + grid.width, grid.height});
        svg.begin("line").attribute("class", "work-plane").attribute("x1", a.x).attribute("y1", a.y);
        svg.attribute("x2", b.x).attribute("y2", b.y).attribute("stroke", hex(kRamp[6]));
        svg.attribute("stroke-width", 2.0).attribute("stroke-dasharray", "8 4").close();
        svg.begin("text").attribute("class", "gridlabel").attribute("x", a.x + 4.0).attribute("y", a.y - 5.0);
        svg.textElement("text", L"work plane");
    }
    svg.end("g");
}

void writeIsoluxScale(SvgWriter& svg, const PanelBox& panel, const IsoluxGrid& grid) {
    if (grid.values.empty() || grid.columns * grid.rows != grid.values.size()) return;
    const Scale scale(grid);
    constexpr double kBarWidth = 200.0, kBarHeight = 10.0;
    // In the panel's margin below the drawing, at the right.
    const double left = panel.left + panel.width - kBarWidth - 24.0;
    const double top = panel.top + panel.height - 36.0;
    svg.begin("g").attribute("class", "isolux-scale").open();
    svg.begin("defs").open();
    svg.begin("linearGradient").attribute("id", "isolux-ramp").open();
    for (int i = 0; i < kRampStops; ++i) {
        svg.begin("stop").attribute("offset", static_cast<double>(i) / (kRampStops - 1));
        svg.attribute("stop-color", hex(kRamp[i])).close();
    }
    svg.end("linearGradient");
    svg.end("defs");
    svg.begin("rect").attribute("x", left - 10.0).attribute("y", top - 19.0).attribute("width", kBarWidth + 28.0);
    svg.attribute("height", 52.0)
        .attribute("rx", 4.0)
        .attribute("fill", "#181b20")
        .attribute("fill-opacity", 0.8)
        .close();
    svg.begin("text").attribute("class", "gridlabel").attribute("x", left).attribute("y", top - 6.0);
    std::wstring height = gridNumber(grid.height, 1e-4);
    while (height.find(L'.') != std::wstring::npos && (height.back() == L'0' || height.back() == L'.'))
        height.pop_back();
    svg.textElement("text", L"Direct illuminance in " + grid.unit + L" at height " + height);
    svg.begin("rect").attribute("x", left).attribute("y", top).attribute("width", kBarWidth);
    svg.attribute("height", kBarHeight).attribute("fill", "url(#isolux-ramp)").close();
    // Ticks at round values, their numbers far enough apart to read.
    double lastLabel = -1e9;
    PathData ticks;
    for (double k = std::ceil(scale.low / scale.step - 1e-9); k * scale.step <= scale.high + 1e-9 * scale.step; ++k) {
        const double x = left + kBarWidth * scale.fraction(k * scale.step);
        ticks.moveTo({x, top + kBarHeight}).lineTo({x, top + kBarHeight + 4.0});
        if (x - lastLabel < 30.0) continue;
        lastLabel = x;
        svg.begin("text").attribute("class", "gridlabel").attribute("x", x).attribute("y", top + kBarHeight + 14.0);
        svg.attribute("text-anchor", "middle").textElement("text", gridNumber(k * scale.step, scale.step));
    }
    svg.begin("path").attribute("class", "scale").attribute("d", ticks.text()).close();
    svg.end("g");
}

}  // namespace plandor
