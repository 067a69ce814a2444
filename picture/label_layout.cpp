// Where the names of lights go in a panel of the picture: beside their symbols where there is
// room, else moved aside with a leader line, never over one another or out of the panel.
#include "picture/label_layout.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <cmath>

#include "drawing/text_cells.h"

namespace plandor {

namespace {

/// The advance of each printable ASCII character (U+0020 to U+007E) in 1/2048 em: the larger
/// of DejaVu Sans and Liberation Sans.
constexpr int kAsciiAdvance[] = {
    651,  821,  942,  1716, 1303, 1946, 1597, 563,  799,  799,  1024, 1716, 651,  739,  651,  690,
    1303, 1303, 1303, 1303, 1303, 1303, 1303, 1303, 1303, 1303, 690,  690,  1716, 1716, 1716, 1139,
    2079, 1401, 1405, 1479, 1577, 1366, 1251, 1593, 1540, 604,  1024, 1366, 1141, 1767, 1532, 1612,
    1366, 1612, 1479, 1366, 1251, 1499, 1401, 2025, 1403, 1366, 1403, 799,  690,  799,  1716, 1139,
    1024, 1255, 1300, 1126, 1300, 1260, 721,  1300, 1298, 569,  569,  1186, 569,  1995, 1298, 1253,
    1300, 1300, 842,  1067, 803,  1298, 1212, 1675, 1212, 1212, 1075, 1303, 690,  1303, 1716,
};
constexpr double kEm = 2048.0;
constexpr int kWideAdvance = 2048;
constexpr int kOtherAdvance = 1536;

/// What a name keeps clear around it, so that two names do not touch.
constexpr double kClear = 1.0;
/// The side of a cell of the grid of taken pixels, in pixels.
constexpr double kCell = 2.0;
/// The side, in cells, of the blocks in which a light whose name found no place is noted.
constexpr int kBlock = 4;
/// Between a symbol and a name beside it, and between the rings of places farther out: more
/// than a cell and the room a name keeps, so that no cell of the symbol's own is in its way.
constexpr double kGap = 4.0;
constexpr int kRings = 6;
/// The directions of the places in a ring, in the order they are tried (degrees, pixel y
/// running down, so -90 is up): the sides first, then ever steeper, above and below last.
constexpr double kDirections[] = {0.0,   180.0,  -15.0, -165.0, 15.0,  165.0,  -30.0, -150.0,
                                  30.0,  150.0,  -45.0, -135.0, 45.0,  135.0,  -60.0, -120.0,
                                  60.0,  120.0,  -75.0, -105.0, 75.0,  105.0,  -90.0, 90.0};
constexpr double kPi = 3.141592653589793;

}  // namespace

double labelWidth(std::wstring_view text, double fontSize) {
    long long advance = 0;
    forEachCodePoint(text, [&advance](char32_t c) {
        if (c >= 0x20 && c < 0x7F) {
            advance += kAsciiAdvance[c - 0x20];
        } else {
            const int cells = characterCells(c);
            advance += cells == 2 ? kWideAdvance : cells == 0 ? 0 : kOtherAdvance;
        }
    });
    return static_cast<double>(advance) / kEm * fontSize;
}

LabelLayout::LabelLayout(double left, double top, double width, double height, double inset)
    : m_left(left),
      m_top(top),
      m_columns(std::max(1, static_cast<int>(std::ceil(width / kCell)))),
      m_rows(std::max(1, static_cast<int>(std::ceil(height / kCell)))),
      m_words((m_columns + 63) / 64),
      m_blockColumns(m_columns / kBlock + 1),
      m_inside{left + inset, top + inset, left + width - inset, top + height - inset},
      m_taken(static_cast<std::size_t>(m_words) * static_cast<std::size_t>(m_rows), 0),
      m_failed(static_cast<std::size_t>(m_blockColumns) * static_cast<std::size_t>(m_rows / kBlock + 1), false) {}

namespace {

/// The whole number at or below `v`, and at or above, held to -1 .. `count`.
int floorWithin(double v, int count) {
    v = std::clamp(v, -1.0, static_cast<double>(count));
    const int i = static_cast<int>(v);
    return i > v ? i - 1 : i;
}
int ceilWithin(double v, int count) {
    v = std::clamp(v, -1.0, static_cast<double>(count));
    const int i = static_cast<int>(v);
    return i < v ? i + 1 : i;
}

/// The bits of columns `x0` to `x1` (within one word) of a word.
std::uint64_t bits(unsigned x0, unsigned x1) { return (~std::uint64_t{0} >> (63 - x1)) & (~std::uint64_t{0} << x0); }

/// Columns `x0` to `x1` of a row: its first and last word and their bits.
struct Span {
    int first, last;
    std::uint64_t firstBits, lastBits;
    Span(int x0, int x1)
        : first(x0 / 64),
          last(x1 / 64),
          firstBits(bits(static_cast<unsigned>(x0 % 64), first == last ? static_cast<unsigned>(x1 % 64) : 63)),
          lastBits(bits(first == last ? static_cast<unsigned>(x0 % 64) : 0, static_cast<unsigned>(x1 % 64))) {}
    bool anySet(const std::uint64_t* row) const {
        if (row[first] & firstBits) return true;
        for (int word = first + 1; word < last; ++word) {
            if (row[word]) return true;
        }
        return (row[last] & lastBits) != 0;
    }
};

/// Sets columns `x0` to `x1` (not negative) of `row`.
inline void setAll(std::uint64_t* row, int x0, int x1) {
    const auto from = static_cast<unsigned>(x0), to = static_cast<unsigned>(x1);
    const unsigned first = from / 64, last = to / 64;
    if (first == last) {
        row[first] |= bits(from % 64, to % 64);
        return;
    }
    row[first] |= bits(from % 64, 63);
    for (unsigned word = first + 1; word < last; ++word) row[word] = ~std::uint64_t{0};
    row[last] |= bits(0, to % 64);
}

PixelBox grown(const PixelBox& box) {
    return {box.left - kClear, box.top - kClear, box.right + kClear, box.bottom + kClear};
}

}  // namespace

bool LabelLayout::cells(const PixelBox& box, int& x0, int& y0, int& x1, int& y1) const {
    x0 = std::max(0, floorWithin((box.left - m_left) / kCell, m_columns));
    y0 = std::max(0, floorWithin((box.top - m_top) / kCell, m_rows));
    x1 = std::min(m_columns - 1, ceilWithin((box.right - m_left) / kCell, m_columns) - 1);
    y1 = std::min(m_rows - 1, ceilWithin((box.bottom - m_top) / kCell, m_rows) - 1);
    return x0 <= x1 && y0 <= y1;
}

const std::uint64_t* LabelLayout::row(int y) const {
    return &m_taken[static_cast<std::size_t>(y) * static_cast<std::size_t>(m_words)];
}

bool LabelLayout::free(const PixelBox& name) const {
    if (name.left < m_inside.left || name.top < m_inside.top || name.right > m_inside.right ||
        name.bottom > m_inside.bottom) {
        return false;
    }
    return clear(grown(name));
}

bool LabelLayout::clear(const PixelBox& box) const {
    int x0, y0, x1, y1;
    if (!cells(box, x0, y0, x1, y1)) return true;
    const Span span(x0, x1);
    // The middle row first: where names crowd, it is the likeliest to be taken.
    if (span.anySet(row((y0 + y1) / 2))) return false;
    for (int y = y0; y <= y1; ++y) {
        if (span.anySet(row(y))) return false;
    }
    return true;
}

void LabelLayout::mark(const PixelBox& box) {
    int x0, y0, x1, y1;
    if (!cells(box, x0, y0, x1, y1)) return;
    for (int y = y0; y <= y1; ++y) take(y, x0, x1);
}

void LabelLayout::take(int y, int x0, int x1) {
    setAll(&m_taken[static_cast<std::size_t>(y) * static_cast<std::size_t>(m_words)], x0, x1);
}

bool LabelLayout::cellOf(double x, double y, int& column, int& line) const {
    x = (x - m_left) / kCell;
    y = (y - m_top) / kCell;
    if (!(x >= 0.0 && y >= 0.0 && x < m_columns && y < m_rows)) return false;
    column = static_cast<int>(x);
    line = static_cast<int>(y);
    return true;
}

bool LabelLayout::isTaken(int column, int line) const {
    return (row(line)[column / 64] & (std::uint64_t{1} << (column % 64))) != 0;
}

std::vector<bool>::reference LabelLayout::failedNear(int column, int line) {
    return m_failed[static_cast<std::size_t>(line / kBlock) * static_cast<std::size_t>(m_blockColumns) +
                    static_cast<std::size_t>(column / kBlock)];
}



void LabelLayout::block(const PixelBox& box) { mark(box); }

void LabelLayout::blockDisc(Point2 center, double radius) {
    // Row by row, the cells the disc reaches into: as far as it is wide at the row's edge
    // nearer its centre.
    const double x = (center.x - m_left) / kCell, y = (center.y - m_top) / kCell, r = radius / kCell;
    const int top = std::max(0, floorWithin(y - r, m_rows)), bottom = std::min(m_rows - 1, floorWithin(y + r, m_rows));
    for (int line = top; line <= bottom; ++line) {
        const double nearest = std::clamp(y, static_cast<double>(line), line + 1.0) - y;
        const double half = std::sqrt(std::max(r * r - nearest * nearest, 0.0));
        const int from = std::max(0, floorWithin(x - half, m_columns));
        const int to = std::min(m_columns - 1, floorWithin(x + half, m_columns));
        if (from <= to) take(line, from, to);
    }
}

namespace {

/// Calls `f` with each point `step` pixels apart (or a little less) from `from` to `to`,
/// both included, until it answers false.
template <typename F>
bool alongLine(Point2 from, Point2 to, double step, F f) {
    const double length = std::hypot(to.x - from.x, to.y - from.y);
    if (!std::isfinite(length)) return true;
    const int steps = std::max(1, static_cast<int>(std::ceil(length / step)));
    const double dx = (to.x - from.x) / steps, dy = (to.y - from.y) / steps;
    double x = from.x, y = from.y;
    for (int i = 0; i <= steps; ++i, x += dx, y += dy) {
        if (!f(x, y)) return false;
    }
    return true;
}

}  // namespace

void LabelLayout::blockLine(Point2 from, Point2 to) {
    // A cell apart: no name, at least a dozen pixels across, passes between two.
    alongLine(from, to, kCell, [this](double x, double y) {
        int column, line;
        if (cellOf(x, y, column, line)) take(line, column, column);
        return true;
    });
}

bool LabelLayout::lineFree(Point2 from, Point2 to) const {
    // A leader's ends are inside the panel, and the panel's edge is no obstacle.
    return alongLine(from, to, 1.0, [this](double x, double y) {
        int column, line;
        return !cellOf(x, y, column, line) || !isTaken(column, line);
    });
}

namespace {

/// The unit vectors of kDirections.
const std::array<Point2, std::size(kDirections)>& directionUnits() {
    static const auto units = [] {
        std::array<Point2, std::size(kDirections)> unit{};
        for (std::size_t i = 0; i < unit.size(); ++i) {
            unit[i] = {std::cos(kDirections[i] * kPi / 180.0), std::sin(kDirections[i] * kPi / 180.0)};
        }
        return unit;
    }();
    return units;
}

}  // namespace

bool LabelLayout::hemmedIn(Point2 at, double radius) {
    // Where a leader would start: in no cell the symbol itself reaches into.
    const double x = (at.x - m_left) / kCell, y = (at.y - m_top) / kCell, around = (radius + kGap) / kCell;
    if (around != m_aroundDistance) {
        // 30 degrees apart: no gap a name's leader would pass between two symbols goes unseen.
        m_aroundDistance = around;
        for (std::size_t i = 0; i < m_around.size(); ++i) {
            const double angle = 2.0 * kPi * static_cast<double>(i) / static_cast<double>(m_around.size());
            m_around[i] = {std::cos(angle) * around, std::sin(angle) * around};
        }
    }
    for (const Point2& offset : m_around) {
        const double px = x + offset.x, py = y + offset.y;
        if (!(px >= 0.0 && py >= 0.0 && px < m_columns && py < m_rows)) continue;  // out of the panel: taken
        const auto column = static_cast<std::size_t>(px);
        const std::uint64_t word = m_taken[static_cast<std::size_t>(py) * static_cast<std::size_t>(m_words) + column / 64];
        if (!(word & (std::uint64_t{1} << (column % 64)))) return false;
    }
    return true;
}

std::optional<LabelPlace> LabelLayout::place(Point2 at, double radius, double width, const Font& font) {
    const double height = font.ascent + font.descent;
    // Where lights crowd most names find no place, and each would look through them all; so a
    // name does not look where the name of a light a few pixels away found none (the panel
    // only fills up), nor from a symbol that others hem in all round.
    int column = 0, line = 0;
    const bool inPanel = cellOf(at.x, at.y, column, line);
    if ((inPanel && failedNear(column, line)) || hemmedIn(at, radius)) return std::nullopt;
    // A place for the name's box; the anchor follows the side of the symbol it is on, so that
    // the text, narrower than its box in most fonts, stays next to the symbol.
    const auto placeAt = [&](double left, double top, LabelPlace::Anchor anchor) {
        LabelPlace place;
        place.box = {left, top, left + width, top + height};
        place.anchor = anchor;
        place.x = anchor == LabelPlace::Anchor::Start ? left : anchor == LabelPlace::Anchor::End ? left + width
                                                                                                  : left + width / 2.0;
        place.baseline = top + font.ascent;
        return place;
    };
    using Anchor = LabelPlace::Anchor;
    const double right = at.x + radius + kGap;
    const double left = at.x - radius - kGap - width;
    const double high = at.y - radius + 2.0 - font.ascent;  // the baseline a little above the middle
    const double middle = at.y - height / 2.0;
    const LabelPlace beside[] = {
        placeAt(right, high, Anchor::Start),
        placeAt(right, middle, Anchor::Start),
        placeAt(left, high, Anchor::End),
        placeAt(left, middle, Anchor::End),
        placeAt(at.x - width / 2.0, at.y - radius - kGap - height, Anchor::Middle),
        placeAt(at.x - width / 2.0, at.y + radius + kGap, Anchor::Middle),
    };
    for (const LabelPlace& candidate : beside) {
        if (free(candidate.box)) {
            mark(grown(candidate.box));
            return candidate;
        }
    }
    const auto& units = directionUnits();
    for (int ring = 1; ring <= kRings; ++ring) {
        const double distance = radius + kGap + ring * height;
        for (const Point2& d : units) {
            // The box touches the point `distance` away in direction d from outside.
            const Point2 center{at.x + d.x * (distance + width / 2.0), at.y + d.y * (distance + height / 2.0)};
            const Anchor anchor = d.x > 0.38 ? Anchor::Start : d.x < -0.38 ? Anchor::End : Anchor::Middle;
            LabelPlace candidate = placeAt(center.x - width / 2.0, center.y - height / 2.0, anchor);
            if (!free(candidate.box)) continue;
            // The leader runs from the symbol's edge to the nearest point of the box.
            const Point2 nearest{std::clamp(at.x, candidate.box.left, candidate.box.right),
                                 std::clamp(at.y, candidate.box.top, candidate.box.bottom)};
            const double length = std::hypot(nearest.x - at.x, nearest.y - at.y);
            const Point2 u{(nearest.x - at.x) / length, (nearest.y - at.y) / length};
            // Checked from outside the cells of its own symbol, as hemmedIn looks.
            const double out = radius + kGap;
            const Point2 from{at.x + u.x * out, at.y + u.y * out};
            const Point2 to{nearest.x - u.x, nearest.y - u.y};
            if (out + 1.0 < length && !lineFree(from, to)) continue;
            mark(grown(candidate.box));
            candidate.leader = std::pair{Point2{at.x + u.x * radius, at.y + u.y * radius}, nearest};
            blockLine(from, to);
            return candidate;
        }
    }
    if (inPanel) failedNear(column, line) = true;
    return std::nullopt;
}

}  // namespace plandor
