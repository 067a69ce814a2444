// Light names: what makes a valid one, and the per-drawing index of the names in use that
// keeps name look-ups and the numbering of new names fast however many lights there are.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

#include "host/pldb.h"
#include "host/plexport.h"

namespace plsim::scene {

/// The form names are compared in: letter case folded as the host folds it.
std::wstring foldName(const std::wstring& name);

/// 1 to 255 characters, none of them a control character or one of < > / \ " : ; ? * | , = `
PLSCENEOE_API bool isValidLightName(const std::wstring& name);

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
    std::map<std::uint64_t, std::uint64_t> m_runs;          ///< first -> last; disjoint, not touching
    std::unordered_map<std::uint64_t, unsigned> m_repeats;  ///< uses beyond the first
};

/// The names of the lights of one drawing that are in it and not erased,
/// folded, with the light that bears each. Two lights can share a name (one
/// named while outside the drawing, or un-erased after its name was reused);
/// both are kept.
class LightNameIndex {
public:
    void add(const std::wstring& key, PlDbObjectId light);
    void remove(const std::wstring& key, PlDbObjectId light);
    /// A light that bears the name; null when none does.
    PlDbObjectId find(const std::wstring& key) const;
    /// True when a light other than `self` bears the name.
    bool takenByOther(const std::wstring& key, PlDbObjectId self) const;
    /// The smallest positive n such that no light is named `key` + n.
    std::uint64_t smallestFreeNumber(const std::wstring& key) const;
    bool empty() const { return m_names.empty(); }

private:
    std::unordered_map<std::wstring, std::vector<PlDbObjectId>> m_names;
    /// By the name without its trailing digits: the numbers those digits make
    /// (names whose digits start with 0 are not numbered).
    std::unordered_map<std::wstring, NumberSet> m_numbers;
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
    std::wstring m_key;
};

/// The index of `db`; made when `create` is true and it has none, else null.
LightNameIndex* nameIndexOf(const PlDbDatabase* db, bool create);

}  // namespace plsim::scene
