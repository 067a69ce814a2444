// Illuminance on a horizontal work plane: a grid of points at the centres of equal cells over a
// rectangle, computed on every core, with its minimum, average, maximum and uniformity.
#pragma once

#include <atomic>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>

#include "illuminance/instruction_set.h"
#include "illuminance/scene.h"

namespace plandor::illuminance {

/// What a grid is asked for, in drawing units: two opposite corners, the largest cell side
/// and the height of the plane.
struct GridRequest {
    double x0 = 0.0, y0 = 0.0, x1 = 0.0, y1 = 0.0;
    double spacing = 0.0;
    double height = 0.0;
};

/// The most points a grid may have.
inline constexpr std::size_t kMostGridPoints = 100'000'000;

/// A grid: each side of the rectangle split into ceil(side / spacing) equal cells, a point at
/// the centre of every cell.
struct GridLayout {
    std::size_t columns = 0, rows = 0;
    double left = 0.0, bottom = 0.0;           ///< the rectangle's lower left corner
    double cellWidth = 0.0, cellHeight = 0.0;  ///< in X and in Y
    double height = 0.0;

    std::size_t points() const { return columns * rows; }
    double x(std::size_t column) const { return left + (static_cast<double>(column) + 0.5) * cellWidth; }
    double y(std::size_t row) const { return bottom + (static_cast<double>(row) + 0.5) * cellHeight; }
};

/// The grid of `request`; nothing, with why in `refusal`, for numbers that are not finite, a
/// rectangle without area, a spacing that is not positive or one that gives more than
/// kMostGridPoints points. A quotient within a trillionth above a whole number counts as that
/// number, so that a spacing that divides a side gives exactly its cells.
std::optional<GridLayout> gridLayout(const GridRequest& request, std::wstring& refusal);

/// The statistics of a grid's values.
struct GridStats {
    std::size_t count = 0;
    double minimum = 0.0, average = 0.0, maximum = 0.0;

    /// Overall uniformity U0 = Emin / Eavg, and diversity Ud = Emin / Emax; nothing where the
    /// divisor is 0.
    std::optional<double> overallUniformity() const;
    std::optional<double> diversity() const;
};

/// A block of a grid's values: `rows` rows of `columns` values from `row`, `column` on, x
/// running fastest. Blocks come in the order of the grid's points (rows from `bottom` up).
struct GridBlock {
    std::size_t row = 0, column = 0, rows = 0, columns = 0;
    const double* values = nullptr;
};

struct GridRun {
    InstructionSet set = widestAvailable();
    unsigned threads = 0;         ///< 0: one for each core
    std::size_t blockPoints = 0;  ///< points in a block at most; 0: about a million
    /// Takes each block on the calling thread, in order; false stops the calculation.
    std::function<bool(const GridBlock&)> block;
    /// Called on the calling thread after each block with the points done and all points.
    std::function<void(std::size_t done, std::size_t all)> progress;
    /// Set (by another thread or a signal handler) to stop the calculation soon.
    const std::atomic<bool>* cancel = nullptr;
};

struct GridResult {
    enum class Outcome { Done, Cancelled, Stopped };
    Outcome outcome = Outcome::Done;
    GridStats stats;  ///< of the whole grid when Done
};

/// Computes the grid of `layout` on a horizontal surface facing up.
GridResult computeGrid(const Scene& scene, const GridLayout& layout, const GridRun& run = {});

}  // namespace plandor::illuminance
