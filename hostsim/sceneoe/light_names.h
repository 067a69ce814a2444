// Light names: what makes a valid one, and the per-drawing index of the names in use that
// keeps name look-ups and the numbering of new names fast however many lights there are.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "host/pldb.h"
#include "hostsim/internal.h"
#include "hostsim/sceneoe/light_defaults.h"
#include "host/plexport.h"

namespace plsim::scene {

/// The form names are compared in: letter case folded as the host folds it.
std::wstring foldName(std::wstring_view name);

/// foldName into a buffer of its own, so that looking up a name no longer
/// than a light's may be makes no string (a longer one is folded as a string).
class FoldedName {
public:
    explicit FoldedName(std::wstring_view name);
    std::wstring_view view() const { return m_long.empty() ? std::wstring_view(m_text, m_size) : m_long; }

private:
    wchar_t m_text[defaults::kMaxNameLength];
    std::size_t m_size = 0;
    std::wstring m_long;
};

/// 1 to 255 characters, none of them a control character or one of < > / \ " : ; ? * | , = `
PLSCENEOE_API bool isValidLightName(std::wstring_view name);

/// Positive numbers, each possibly more than once, that answer the smallest
/// number not among them in logarithmic time. Kept as runs of consecutive numbers.
class NumberSet {
public:
    void add(std::uint64_t number);
    void remove(std::uint64_t number);
    bool contains(std::uint64_t number) const;
    /// The smallest positive number not in the set.
    std::uint64_t smallestMissing() const;
    bool empty() const { return m_runs.empty(); }

private:
    /// Gives `run` the first number `first`, keeping its node.
    void startRunAt(std::map<std::uint64_t, std::uint64_t>::iterator run, std::uint64_t first);

    std::map<std::uint64_t, std::uint64_t> m_runs;          ///< first -> last; disjoint, not touching
    std::unordered_map<std::uint64_t, unsigned> m_repeats;  ///< uses beyond the first
};

/// The names of the lights of one drawing that are in it and not erased,
/// folded, with the light that bears each. Two lights can share a name (one
/// named while outside the drawing, or un-erased after its name was reused);
/// both are kept.
///
/// A name that ends in a number ("spotlight12") is kept under the name
/// without it ("spotlight") by its number: new lights come with the next
/// number under one base and are then added at the end of one list, where a
/// hash table of all names would be reached at random places far apart in
/// memory.
class LightNameIndex {
public:
    /// Where a name is kept, for taking it out again.
    struct Place {
        const std::wstring* text = nullptr;  ///< the name, or the base of a numbered one; the index's own
        std::uint64_t number = 0;            ///< of a numbered name; 0 for another
    };

    LightNameIndex() = default;
    LightNameIndex(const LightNameIndex&) = delete;
    LightNameIndex& operator=(const LightNameIndex&) = delete;

    /// Answers where the name is kept: valid as long as `light` bears it.
    Place add(std::wstring_view key, PlDbObjectId light);
    void remove(const Place& place, PlDbObjectId light);
    /// A light that bears the name; null when none does.
    PlDbObjectId find(std::wstring_view key) const;
    /// True when a light other than `self` bears the name.
    bool takenByOther(std::wstring_view key, PlDbObjectId self) const;
    /// The smallest positive n such that no light is named `key` + n.
    std::uint64_t smallestFreeNumber(std::wstring_view key) const;
    bool empty() const { return m_names.empty() && m_numbered.empty(); }

private:
    /// The lights that bear one name, in the order they were indexed. Most
    /// names have one bearer, which needs no list of its own.
    struct Bearers {
        PlDbObjectId first;
        std::vector<PlDbObjectId> later;
        /// True when a light other than `self` is among them.
        bool anyBut(PlDbObjectId self) const;
        /// False when `light` is none of them; `left` tells whether any remain.
        bool remove(PlDbObjectId light, bool& left);
    };
    /// The names numbered under one base: those numbered 1, 2, 3 and on one
    /// after another in a list, where the next number a light takes goes at
    /// the end; numbers beyond a gap by number, until the list reaches them.
    struct Numbered {
        std::vector<Bearers> dense;               ///< of numbers 1 to its size; a free one's first is null
        std::map<std::uint64_t, Bearers> sparse;  ///< of numbers beyond the size of `dense`
        NumberSet numbers;                        ///< of both, for the smallest missing at once

        /// The bearers of a number in use; null for another.
        Bearers* find(std::uint64_t number);
        const Bearers* find(std::uint64_t number) const { return const_cast<Numbered*>(this)->find(number); }
        void add(std::uint64_t number, PlDbObjectId light);
        /// False when `light` does not bear the number.
        bool remove(std::uint64_t number, PlDbObjectId light);
    };
    using NumberedNames = std::unordered_map<std::wstring, Numbered, plsim::detail::TextHash, std::equal_to<>>;

    /// The bearers of `key`; null when no light bears it.
    const Bearers* bearersOf(std::wstring_view key) const;
    /// The names numbered under `base`; null when there are none.
    const Numbered* numberedUnder(std::wstring_view base) const;

    /// The names that do not end in a number (or in one that starts with 0).
    std::unordered_map<std::wstring, Bearers, plsim::detail::TextHash, std::equal_to<>> m_names;
    NumberedNames m_numbered;
    /// The entry of m_numbered a name was last added under; null once it goes.
    NumberedNames::value_type* m_lastNumbered = nullptr;
};

/// Where one light's name is indexed, kept by the light.
class IndexedName {
public:
    /// Indexes `name` in the index of `db` (after dropping where it was);
    /// nothing for a null drawing or an empty name.
    void enter(PlDbObjectId light, const PlDbDatabase* db, const std::wstring& name);
    /// Takes the name out of its index; the index goes once it is empty.
    void drop(PlDbObjectId light);

private:
    const PlDbDatabase* m_db = nullptr;  ///< null while not indexed
    LightNameIndex::Place m_place;
};

/// The index of `db`; made when `create` is true and it has none, else null.
LightNameIndex* nameIndexOf(const PlDbDatabase* db, bool create);

}  // namespace plsim::scene
