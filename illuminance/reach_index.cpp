// Which lights with limits can reach which tiles of a part of a grid.
#include "illuminance/reach_index.h"

#include <algorithm>
#include <cmath>

namespace plandor::illuminance {
namespace {

/// A light is kept for a tile when the box may hold a point within its limits; the slack
/// covers the rounding of the inner loop's own d^2.
constexpr double kSlack = 1e-9;

/// The indices [first, last) of the increasing `values` within `low` to `high`.
std::pair<std::size_t, std::size_t> within(std::span<const double> values, double low, double high) {
    const auto first = std::lower_bound(values.begin(), values.end(), low);
    const auto last = std::upper_bound(first, values.end(), high);
    return {static_cast<std::size_t>(first - values.begin()), static_cast<std::size_t>(last - values.begin())};
}

/// The nearest and farthest distance^2 from `c` to the interval [low, high], along one axis.
void spanTo(double c, double low, double high, double& nearest, double& farthest) {
    const double below = low - c, above = c - high;
    const double gap = std::max({below, above, 0.0});
    const double reach = std::max(std::fabs(c - low), std::fabs(c - high));
    nearest += gap * gap;
    farthest += reach * reach;
}

}  // namespace

void ReachIndex::build(const std::vector<Reach>& reach, const TiledPart& part) {
    const std::size_t columns = part.tileColumns(), tiles = part.tiles();
    m_offsets.assign(tiles + 1, 0);
    m_ids.clear();
    if (part.xs.empty() || part.ys.empty()) return;
    std::vector<std::size_t> filled;
    // Counts first, then the lights in place: each tile's lights in ascending order.
    for (int pass = 0; pass < 2; ++pass) {
        for (std::size_t id = 0; id < reach.size(); ++id) {
            const Reach& r = reach[id];
            const double end = r.end * (1.0 + kSlack) + kSlack;
            if (std::fabs(part.z - r.z) > end) continue;
            const auto [c0, c1] = within(part.xs, r.x - end, r.x + end);
            const auto [r0, r1] = within(part.ys, r.y - end, r.y + end);
            if (c0 == c1 || r0 == r1) continue;
            for (std::size_t ty = r0 / TiledPart::kTileRows; ty <= (r1 - 1) / TiledPart::kTileRows; ++ty) {
                const std::size_t firstRow = ty * TiledPart::kTileRows;
                const std::size_t lastRow = std::min(firstRow + TiledPart::kTileRows, part.ys.size()) - 1;
                for (std::size_t tx = c0 / TiledPart::kTileColumns; tx <= (c1 - 1) / TiledPart::kTileColumns; ++tx) {
                    const std::size_t firstColumn = tx * TiledPart::kTileColumns;
                    const std::size_t lastColumn = std::min(firstColumn + TiledPart::kTileColumns, part.xs.size()) - 1;
                    double nearest = 0.0, farthest = 0.0;
                    spanTo(r.x, part.xs[firstColumn], part.xs[lastColumn], nearest, farthest);
                    spanTo(r.y, part.ys[firstRow], part.ys[lastRow], nearest, farthest);
                    spanTo(r.z, part.z, part.z, nearest, farthest);
                    if (nearest > end * end || farthest * (1.0 + kSlack) < r.start * r.start) continue;
                    const std::size_t tile = ty * columns + tx;
                    if (pass == 0) {
                        ++m_offsets[tile + 1];
                    } else {
                        m_ids[filled[tile]++] = static_cast<std::uint32_t>(id);
                    }
                }
            }
        }
        if (pass == 0) {
            for (std::size_t t = 0; t < tiles; ++t) m_offsets[t + 1] += m_offsets[t];
            m_ids.resize(m_offsets[tiles]);
            filled.assign(m_offsets.begin(), m_offsets.end() - 1);
        }
    }
}

}  // namespace plandor::illuminance
