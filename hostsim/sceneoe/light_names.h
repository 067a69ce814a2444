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

namespace plsim::scene {

/// The form names are compared in: letter case folded as the host folds it.
std::wstring foldName(std::wstring_view name);

/// foldName into a buffer of its own, so that looking a name up makes no
/// string. For a text no longer than a light name may be; the callers check.
class FoldedName {
public:
    explicit FoldedName(std::wstring_view name);
    std::wstring_view view() const { return {m_text, m_size}; }

private:
    wchar_t m_text[defaults::kMaxNameLength];
    std::size_t m_size = 0;
};

/// 1 to 255 characters, none of them a control character or one of < > / \ " : ; ? * | , = `
bool isValidLightName(std::wstring_view name);

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
class LightNameIndex {
public:
    /// Answers the key as the index keeps it: it lasts as long as a light bears it.
    const std::wstring& add(std::wstring_view key, PlDbObjectId light);
    void remove(std::wstring_view key, PlDbObjectId light);
    /// A light that bears the name; null when none does.
    PlDbObjectId find(std::wstring_view key) const;
    /// True when a light other than `self` bears the name.
    bool takenByOther(std::wstring_view key, PlDbObjectId self) const;
    /// The smallest positive n such that no light is named `key` + n.
    std::uint64_t smallestFreeNumber(std::wstring_view key) const;
    bool empty() const { return m_names.empty(); }

private:
    /// The lights that bear one name, in the order they were indexed. Most
    /// names have one bearer, which needs no list of its own.
    struct Bearers {
        PlDbObjectId first;
        std::vector<PlDbObjectId> later;
    };
    std::unordered_map<std::wstring, Bearers, plsim::detail::TextHash, std::equal_to<>> m_names;
    /// By the name without its trailing digits: the numbers those digits make
    /// (names whose digits start with 0 are not numbered).
    std::unordered_map<std::wstring, NumberSet, plsim::detail::TextHash, std::equal_to<>> m_numbers;
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
    const std::wstring* m_key = nullptr;  ///< the index's, which this light keeps alive by bearing it
};

/// The index of `db`; made when `create` is true and it has none, else null.
LightNameIndex* nameIndexOf(const PlDbDatabase* db, bool create);

}  // namespace plsim::scene
