// Where the names of lights go in a panel of the picture: beside their symbols where there is
// room, else moved aside with a leader line, never over one another or out of the panel.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "picture/plan_geometry.h"

namespace plandor {

/// The width in pixels that `text` takes at `fontSize` pixels in a sans-serif font: the wider
/// of the common sans-serif faces for each ASCII character (DejaVu Sans and Liberation Sans, the
/// latter metric-compatible with Arial and Helvetica), 1 em for a wide East Asian character,
/// nothing for a combining mark, 0.75 em for any other. A name drawn in such a font fits.
double labelWidth(std::wstring_view text, double fontSize);

/// A rectangle in pixels.
struct PixelBox {
    double left = 0.0, top = 0.0, right = 0.0, bottom = 0.0;
};

/// A placed name: its text's reference point (x, and y on its baseline) and anchor, and the
/// leader from its symbol to it when it was moved aside.
struct LabelPlace {
    enum class Anchor { Start, Middle, End };  ///< as SVG's text-anchor
    double x = 0.0, baseline = 0.0;
    Anchor anchor = Anchor::Start;
    PixelBox box;  ///< what the name covers
    std::optional<std::pair<Point2, Point2>> leader;
};

/// The free room of one panel. Symbols and other marks are blocked first, then names are
/// placed one after the other, each where it covers nothing placed or blocked before. A
/// spatial grid of one bit a cell of 2 by 2 pixels (rounded outward: a name covers every cell
/// it touches) answers "is this free" in time that grows with the size of the box, not with
/// the number of things in the panel.
class LabelLayout {
public:
    /// Font metrics of a name, in pixels: its size, and how far it reaches above and below its
    /// baseline.
    struct Font {
        double size, ascent, descent;
    };

    /// A panel at `left`, `top` of `width` by `height` pixels; names keep `inset` from its edges.
    LabelLayout(double left, double top, double width, double height, double inset);

    /// Makes the pixels of `box` (clipped to the panel) taken.
    void block(const PixelBox& box);
    /// Makes the pixels of a disc taken.
    void blockDisc(Point2 center, double radius);
    /// Makes the pixels a line from `from` to `to` passes taken.
    void blockLine(Point2 from, Point2 to);

    /// A place for a name `width` pixels wide in `font` beside a symbol at `at` that reaches
    /// `radius` pixels around it: first next to it (to the right and a little above, as names
    /// stand, then right, left, above, below), then farther out in rings, with a leader line
    /// that crosses nothing taken; none when no place in reach is free, when the pixels just
    /// around the symbol are taken all round (hemmed in by other symbols, no leader gets out),
    /// or when the name of a light within a few pixels found none before. A place found is
    /// taken, and so is its leader.
    std::optional<LabelPlace> place(Point2 at, double radius, double width, const Font& font);

private:
    /// Whether a name may cover `name`: inside the panel, with a little room around it free.
    bool free(const PixelBox& name) const;
    bool clear(const PixelBox& box) const;
    bool lineFree(Point2 from, Point2 to) const;
    void mark(const PixelBox& box);
    /// Whether the pixels just around a symbol at `at` of `radius` are taken on every side
    /// (looked at every 30 degrees).
    bool hemmedIn(Point2 at, double radius);
    /// The cells a box covers, rounded outward and clipped; false when none.
    bool cells(const PixelBox& box, int& x0, int& y0, int& x1, int& y1) const;
    const std::uint64_t* row(int y) const;
    /// Takes cells `x0` to `x1` of row `y`.
    void take(int y, int x0, int x1);
    /// The cell of a point; false when it lies outside the panel.
    bool cellOf(double x, double y, int& column, int& line) const;
    bool isTaken(int column, int line) const;
    /// Whether the name of a light in the block of the cell found no place.
    std::vector<bool>::reference failedNear(int column, int line);

    double m_left, m_top;
    int m_columns, m_rows, m_words;      ///< cells of the grid, and 64-bit words a row
    int m_blockColumns;                  ///< blocks of cells a row
    PixelBox m_inside;                   ///< where names may go
    std::vector<std::uint64_t> m_taken;  ///< a bit a cell, set where it is taken
    std::vector<bool> m_failed;          ///< a block a bit, set where a name found no place
    double m_aroundDistance = -1.0;     ///< of m_around, in cells
    std::array<Point2, 12> m_around{};  ///< the points hemmedIn looks at, from the symbol, in cells
};

}  // namespace plandor
