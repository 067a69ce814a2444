// Which lights with limits can reach which tiles of a part of a grid: the spatial index that
// lets a large floor cost in proportion to the lights in reach of each point.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "illuminance/scene.h"

namespace plandor::illuminance {

/// The points of a part of a grid, in metres, cut into tiles of kTileColumns by kTileRows.
struct TiledPart {
    static constexpr std::size_t kTileColumns = 16, kTileRows = 4;
    /// The column x and row y of the points, increasing, and the height of them all.
    std::span<const double> xs, ys;
    double z = 0.0;

    std::size_t tileColumns() const { return (xs.size() + kTileColumns - 1) / kTileColumns; }
    std::size_t tileRows() const { return (ys.size() + kTileRows - 1) / kTileRows; }
    std::size_t tiles() const { return tileColumns() * tileRows(); }
};

/// For each tile of a part, the lights (by their place in Scene::reach) whose limits let them
/// reach a point of the tile's box, in ascending order; others reach none of its points.
class ReachIndex {
public:
    void build(const std::vector<Reach>& reach, const TiledPart& part);
    std::span<const std::uint32_t> lightsOf(std::size_t tile) const {
        return {m_ids.data() + m_offsets[tile], m_offsets[tile + 1] - m_offsets[tile]};
    }

private:
    std::vector<std::size_t> m_offsets;
    std::vector<std::uint32_t> m_ids;
};

}  // namespace plandor::illuminance
