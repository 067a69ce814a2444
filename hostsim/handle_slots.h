// The slot of every handle given out in a drawing. Handles are given out in order from 1,
// so most sit in a plain array indexed by handle; the few far above the others (a drawing
// file may name any handle) go in a hash map, so that one stray handle costs no memory.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

class HandleSlots {
public:
    /// Records that `handle` names the object in `slot`; a handle already recorded keeps its slot.
    void insert(std::uint64_t handle, std::size_t slot) {
        if (contains(handle)) return;
        ++count_;
        if (handle >= dense_.size() && handle <= 2 * count_ + kSlack) {
            dense_.resize(std::max<std::size_t>(static_cast<std::size_t>(handle) + 1, 2 * dense_.size()), 0);
        }
        if (handle < dense_.size()) {
            dense_[static_cast<std::size_t>(handle)] = slot + 1;
        } else {
            sparse_.emplace(handle, slot);
        }
    }

    std::optional<std::size_t> find(std::uint64_t handle) const {
        if (handle < dense_.size() && dense_[static_cast<std::size_t>(handle)] != 0) {
            return dense_[static_cast<std::size_t>(handle)] - 1;
        }
        if (sparse_.empty()) return std::nullopt;
        const auto it = sparse_.find(handle);
        if (it == sparse_.end()) return std::nullopt;
        return it->second;
    }

    bool contains(std::uint64_t handle) const { return find(handle).has_value(); }

private:
    static constexpr std::size_t kSlack = 4096;
    std::vector<std::size_t> dense_;  ///< slot + 1 by handle; 0 where none is recorded
    std::unordered_map<std::uint64_t, std::size_t> sparse_;
    std::size_t count_ = 0;
};
