// Illuminance on a horizontal work plane: the layout of a grid, and its calculation block by
// block, each block's tiles shared out among the threads.
#include "illuminance/grid.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <limits>
#include <mutex>
#include <thread>
#include <vector>

#include "illuminance/reach_index.h"

namespace plandor::illuminance {
namespace {

/// Points computed between two looks at the block callback, the progress and a cancel.
constexpr std::size_t kBlockPoints = std::size_t{1} << 20;
/// How far above a whole number the cells of a side may come and still be that number.
constexpr double kWholeTolerance = 1e-12;

double cellsAlong(double side, double spacing) {
    const double quotient = side / spacing;
    double cells = std::ceil(quotient);
    if (cells > 1.0 && cells - 1.0 >= quotient * (1.0 - kWholeTolerance)) cells -= 1.0;
    return std::max(cells, 1.0);
}

std::wstring countText(double count) { return std::to_wstring(static_cast<unsigned long long>(std::min(count, 1e18))); }

/// The minimum, maximum and a compensated sum of values taken in order.
class Accumulator {
public:
    void add(const double* values, std::size_t count) {
        for (std::size_t i = 0; i < count; ++i) {
            const double v = values[i];
            m_min = std::min(m_min, v);
            m_max = std::max(m_max, v);
            const double sum = m_sum + v;
            m_compensation += std::fabs(m_sum) >= std::fabs(v) ? (m_sum - sum) + v : (v - sum) + m_sum;
            m_sum = sum;
        }
        m_count += count;
    }
    GridStats stats() const {
        GridStats stats;
        stats.count = m_count;
        if (m_count == 0) return stats;
        stats.minimum = m_min;
        stats.maximum = m_max;
        stats.average = (m_sum + m_compensation) / static_cast<double>(m_count);
        return stats;
    }

private:
    std::size_t m_count = 0;
    double m_min = std::numeric_limits<double>::infinity();
    double m_max = -std::numeric_limits<double>::infinity();
    double m_sum = 0.0, m_compensation = 0.0;
};

/// One block of the grid in the making.
struct Block {
    const Scene& scene;
    const TiledPart& part;
    const ReachIndex* index;  ///< null without lights with limits
    const KernelInput& input;
    RowKernel kernel;
    double* values;

    void computeTile(std::size_t tile, LightSet& scratch) const {
        const std::size_t tx = tile % part.tileColumns(), ty = tile / part.tileColumns();
        const std::size_t c0 = tx * TiledPart::kTileColumns;
        const std::size_t c1 = std::min(c0 + TiledPart::kTileColumns, part.xs.size());
        const std::size_t r0 = ty * TiledPart::kTileRows;
        const std::size_t r1 = std::min(r0 + TiledPart::kTileRows, part.ys.size());
        scratch.clear();
        if (index)
            for (const std::uint32_t id : index->lightsOf(tile)) scratch.appendFrom(scene.limited(), id);
        KernelInput in = input;
        in.limited = &scratch;
        for (std::size_t r = r0; r < r1; ++r)
            kernel(in, part.xs.data() + c0, c1 - c0, part.ys[r], part.z, values + r * part.xs.size() + c0);
    }
};

/// Computes every tile of `block` on `threads` threads, this one among them; false when a
/// cancel stopped it.
bool computeBlock(const Block& block, unsigned threads, const std::atomic<bool>* cancel) {
    const std::size_t tiles = block.part.tiles();
    std::atomic<std::size_t> next{0};
    std::exception_ptr failure;
    std::mutex failureLock;
    const auto work = [&] {
        try {
            LightSet scratch;
            for (;;) {
                if (cancel && cancel->load(std::memory_order_relaxed)) return;
                const std::size_t tile = next.fetch_add(1, std::memory_order_relaxed);
                if (tile >= tiles) return;
                block.computeTile(tile, scratch);
            }
        } catch (...) {
            const std::lock_guard<std::mutex> hold(failureLock);
            if (!failure) failure = std::current_exception();
            next.store(tiles);
        }
    };
    {
        std::vector<std::jthread> helpers;
        const std::size_t helperCount = std::min<std::size_t>(threads, tiles) - 1;
        for (std::size_t i = 0; i < helperCount; ++i) helpers.emplace_back(work);
        work();
    }
    if (failure) std::rethrow_exception(failure);
    return !(cancel && cancel->load());
}

}  // namespace

std::optional<GridLayout> gridLayout(const GridRequest& r, std::wstring& refusal) {
    for (const double v : {r.x0, r.y0, r.x1, r.y1, r.spacing, r.height}) {
        if (!std::isfinite(v)) {
            refusal = L"The corners, the spacing and the height of a grid must be finite numbers.";
            return std::nullopt;
        }
    }
    const double width = std::fabs(r.x1 - r.x0), depth = std::fabs(r.y1 - r.y0);
    if (width == 0.0 || depth == 0.0) {
        refusal = L"The rectangle of the grid has no area: its corners must differ in X and in Y.";
        return std::nullopt;
    }
    if (!(r.spacing > 0.0)) {
        refusal = L"The spacing of a grid must be positive.";
        return std::nullopt;
    }
    const double columns = cellsAlong(width, r.spacing), rows = cellsAlong(depth, r.spacing);
    if (!(columns * rows <= static_cast<double>(kMostGridPoints))) {
        refusal = L"That spacing gives " + countText(columns) + L" x " + countText(rows) + L" points, more than " +
                  std::to_wstring(kMostGridPoints) + L": choose a larger spacing.";
        return std::nullopt;
    }
    GridLayout layout;
    layout.columns = static_cast<std::size_t>(columns);
    layout.rows = static_cast<std::size_t>(rows);
    layout.left = std::min(r.x0, r.x1);
    layout.bottom = std::min(r.y0, r.y1);
    layout.cellWidth = width / columns;
    layout.cellHeight = depth / rows;
    layout.height = r.height;
    return layout;
}

std::optional<double> GridStats::overallUniformity() const {
    return average > 0.0 ? std::optional<double>(minimum / average) : std::nullopt;
}

std::optional<double> GridStats::diversity() const {
    return maximum > 0.0 ? std::optional<double>(minimum / maximum) : std::nullopt;
}

GridResult computeGrid(const Scene& scene, const GridLayout& layout, const GridRun& run) {
    GridResult result;
    const double m = scene.units().metresPerUnit;
    const KernelInput input = scene.input(PlGeVector3d(0.0, 0.0, 1.0));
    const RowKernel kernel = rowKernel(run.set);
    const unsigned threads = run.threads != 0 ? run.threads : std::max(1u, std::thread::hardware_concurrency());
    // Blocks of whole rows; a row longer than a block is cut into pieces.
    const std::size_t most = run.blockPoints != 0 ? run.blockPoints : kBlockPoints;
    const std::size_t blockColumns = std::min(layout.columns, most);
    const std::size_t blockRows = std::max<std::size_t>(1, most / layout.columns);
    const bool limited = !scene.reach().empty();

    Accumulator accumulator;
    std::vector<double> xs, ys, values;
    ReachIndex index;
    std::size_t done = 0;
    for (std::size_t row = 0; row < layout.rows; row += blockRows) {
        for (std::size_t column = 0; column < layout.columns; column += blockColumns) {
            const std::size_t rows = std::min(blockRows, layout.rows - row);
            const std::size_t columns = std::min(blockColumns, layout.columns - column);
            xs.resize(columns);
            ys.resize(rows);
            for (std::size_t i = 0; i < columns; ++i) xs[i] = layout.x(column + i) * m;
            for (std::size_t j = 0; j < rows; ++j) ys[j] = layout.y(row + j) * m;
            const TiledPart part{xs, ys, layout.height * m};
            if (limited) index.build(scene.reach(), part);
            values.resize(rows * columns);
            const Block block{scene, part, limited ? &index : nullptr, input, kernel, values.data()};
            if (!computeBlock(block, threads, run.cancel)) {
                result.outcome = GridResult::Outcome::Cancelled;
                return result;
            }
            accumulator.add(values.data(), values.size());
            if (run.block && !run.block({row, column, rows, columns, values.data()})) {
                result.outcome = GridResult::Outcome::Stopped;
                return result;
            }
            done += values.size();
            if (run.progress) run.progress(done, layout.points());
        }
    }
    result.stats = accumulator.stats();
    return result;
}

}  // namespace plandor::illuminance
