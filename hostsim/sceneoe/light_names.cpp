// Light names: validity, folding, and the per-drawing name index with its numbering.
#include "hostsim/sceneoe/light_names.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <memory>
#include <string_view>
#include <utility>

#include "hostsim/internal.h"
#include "hostsim/sceneoe/light_defaults.h"

namespace plsim::scene {
namespace {

/// More digits than this could overflow; such names are simply not numbered
/// (no name this module makes has that many).
constexpr std::size_t kMaxNumberDigits = 18;

bool isDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

/// Splits "spotlight12" into "spotlight" and 12. False when the name does not
/// end in a number a new name could be given (no digits, a leading zero, too many).
bool splitNumber(std::wstring_view key, std::wstring_view& prefix, std::uint64_t& number) {
    std::size_t start = key.size();
    while (start > 0 && isDigit(key[start - 1])) --start;
    const std::size_t digits = key.size() - start;
    if (digits == 0 || digits > kMaxNumberDigits || key[start] == L'0' || start == 0) return false;
    prefix = key.substr(0, start);
    number = 0;
    for (std::size_t i = start; i < key.size(); ++i) number = number * 10 + static_cast<std::uint64_t>(key[i] - L'0');
    return true;
}

struct Indexes {
    std::unordered_map<const PlDbDatabase*, std::unique_ptr<LightNameIndex>> byDrawing;
    /// The index asked for last, with its drawing: a command asks for one many times.
    const PlDbDatabase* lastDrawing = nullptr;
    LightNameIndex* lastIndex = nullptr;
};

/// Never destroyed: lights may be deleted with their drawings while the process ends.
Indexes& indexes() {
    static auto* all = new Indexes;
    return *all;
}

/// The characters from blank to DEL that no name may hold.
constexpr std::array<bool, 0x80> kRefusedAscii = [] {
    std::array<bool, 0x80> refused{};
    refused[0x7F] = true;
    for (const wchar_t* c = defaults::kForbiddenNameChars; *c; ++c) refused[static_cast<std::size_t>(*c)] = true;
    return refused;
}();

}  // namespace

std::wstring foldName(std::wstring_view name) {
    std::wstring key(name);
    for (wchar_t& c : key) c = plsim::detail::lowerChar(c);
    return key;
}

FoldedName::FoldedName(std::wstring_view name) {
    if (name.size() > defaults::kMaxNameLength) {
        m_long = foldName(name);
        return;
    }
    m_size = name.size();
    std::transform(name.begin(), name.end(), m_text, [](wchar_t c) { return plsim::detail::lowerChar(c); });
}

bool isValidLightName(std::wstring_view name) {
    if (name.empty() || name.size() > defaults::kMaxNameLength) return false;
    for (const wchar_t c : name)
        if (c < 0x20 || (c < 0x80 && kRefusedAscii[static_cast<std::size_t>(c)])) return false;
    return true;
}

// ---- NumberSet -----------------------------------------------------------------------

bool NumberSet::contains(std::uint64_t number) const {
    auto it = m_runs.upper_bound(number);
    if (it == m_runs.begin()) return false;
    --it;
    return number <= it->second;
}

// Runs grow, shrink and move in place: numbers mostly come and go at the ends
// of runs, and then no node of the map is made or freed.
void NumberSet::add(std::uint64_t number) {
    const auto next = m_runs.upper_bound(number);
    const auto before = next == m_runs.begin() ? m_runs.end() : std::prev(next);
    if (before != m_runs.end() && number <= before->second) {
        ++m_repeats[number];
        return;
    }
    // Join the run that ends just before, and the one that starts just after.
    const bool joinsBefore = before != m_runs.end() && before->second + 1 == number;
    const bool joinsNext = next != m_runs.end() && next->first == number + 1;
    if (joinsBefore && joinsNext) {
        before->second = next->second;
        m_runs.erase(next);
    } else if (joinsBefore) {
        before->second = number;
    } else if (joinsNext) {
        startRunAt(next, number);
    } else {
        m_runs.emplace_hint(next, number, number);
    }
}

void NumberSet::remove(std::uint64_t number) {
    if (auto repeat = m_repeats.find(number); repeat != m_repeats.end()) {
        if (--repeat->second == 0) m_repeats.erase(repeat);
        return;
    }
    auto it = m_runs.upper_bound(number);
    if (it == m_runs.begin()) return;
    --it;
    if (number > it->second) return;
    const std::uint64_t last = it->second;
    if (it->first == number && number == last) {
        m_runs.erase(it);
        return;
    }
    if (it->first == number) {
        startRunAt(it, number + 1);
        return;
    }
    it->second = number - 1;
    if (number < last) m_runs.emplace_hint(std::next(it), number + 1, last);
}

void NumberSet::startRunAt(std::map<std::uint64_t, std::uint64_t>::iterator run, std::uint64_t first) {
    auto node = m_runs.extract(run);
    node.key() = first;
    m_runs.insert(std::move(node));
}

std::uint64_t NumberSet::smallestMissing() const {
    if (m_runs.empty() || m_runs.begin()->first > 1) return 1;
    return m_runs.begin()->second + 1;
}

// ---- LightNameIndex ------------------------------------------------------------------

bool LightNameIndex::Bearers::anyBut(PlDbObjectId self) const {
    return first != self || std::any_of(later.begin(), later.end(), [&](PlDbObjectId id) { return id != self; });
}

bool LightNameIndex::Bearers::remove(PlDbObjectId light, bool& left) {
    left = true;
    if (first != light) {
        const auto it = std::find(later.begin(), later.end(), light);
        if (it == later.end()) return false;
        later.erase(it);
    } else if (later.empty()) {
        left = false;
    } else {
        first = later.front();
        later.erase(later.begin());
    }
    return true;
}

LightNameIndex::Bearers* LightNameIndex::Numbered::find(std::uint64_t number) {
    if (!numbers.contains(number)) return nullptr;
    if (number <= dense.size()) return &dense[number - 1];
    const auto entry = sparse.find(number);
    return entry == sparse.end() ? nullptr : &entry->second;
}

void LightNameIndex::Numbered::add(std::uint64_t number, PlDbObjectId light) {
    if (Bearers* bearers = find(number)) {
        bearers->later.push_back(light);
        return;
    }
    numbers.add(number);
    if (number <= dense.size()) {
        dense[number - 1] = Bearers{light, {}};
    } else if (number > dense.size() + 1) {
        sparse.emplace(number, Bearers{light, {}});
    } else {
        dense.push_back(Bearers{light, {}});
        // The list takes in the numbers it now reaches.
        while (!sparse.empty() && sparse.begin()->first == dense.size() + 1) {
            dense.push_back(std::move(sparse.begin()->second));
            sparse.erase(sparse.begin());
        }
    }
}

bool LightNameIndex::Numbered::remove(std::uint64_t number, PlDbObjectId light) {
    Bearers* found = find(number);
    bool left = true;
    if (!found || !found->remove(light, left)) return false;
    if (left) return true;
    numbers.remove(number);
    if (number > dense.size()) {
        sparse.erase(number);
        return true;
    }
    dense[number - 1] = Bearers{};
    while (!dense.empty() && dense.back().first.isNull()) dense.pop_back();
    return true;
}

const LightNameIndex::Numbered* LightNameIndex::numberedUnder(std::wstring_view base) const {
    if (m_lastNumbered && m_lastNumbered->first == base) return &m_lastNumbered->second;
    const auto entry = m_numbered.find(base);
    return entry == m_numbered.end() ? nullptr : &entry->second;
}

const LightNameIndex::Bearers* LightNameIndex::bearersOf(std::wstring_view key) const {
    std::wstring_view base;
    std::uint64_t number = 0;
    if (!splitNumber(key, base, number)) {
        const auto entry = m_names.find(key);
        return entry == m_names.end() ? nullptr : &entry->second;
    }
    const Numbered* numbered = numberedUnder(base);
    return numbered ? numbered->find(number) : nullptr;
}

LightNameIndex::Place LightNameIndex::add(std::wstring_view key, PlDbObjectId light) {
    std::wstring_view base;
    std::uint64_t number = 0;
    if (!splitNumber(key, base, number)) {
        auto entry = m_names.find(key);
        if (entry != m_names.end()) {
            entry->second.later.push_back(light);
        } else {
            entry = m_names.emplace(std::wstring(key), Bearers{light, {}}).first;
        }
        return {&entry->first, 0};
    }
    if (!m_lastNumbered || m_lastNumbered->first != base) {
        auto entry = m_numbered.find(base);
        if (entry == m_numbered.end()) entry = m_numbered.emplace(std::wstring(base), Numbered()).first;
        m_lastNumbered = &*entry;
    }
    m_lastNumbered->second.add(number, light);
    return {&m_lastNumbered->first, number};
}

void LightNameIndex::remove(const Place& place, PlDbObjectId light) {
    bool left = true;
    if (place.number == 0) {
        const auto entry = m_names.find(*place.text);
        if (entry != m_names.end() && entry->second.remove(light, left) && !left) m_names.erase(entry);
        return;
    }
    const auto numbered = m_numbered.find(*place.text);
    if (numbered == m_numbered.end() || !numbered->second.remove(place.number, light)) return;
    if (!numbered->second.numbers.empty()) return;
    if (m_lastNumbered == &*numbered) m_lastNumbered = nullptr;
    m_numbered.erase(numbered);
}

PlDbObjectId LightNameIndex::find(std::wstring_view key) const {
    const Bearers* bearers = bearersOf(key);
    return bearers ? bearers->first : PlDbObjectId::kNull;
}

bool LightNameIndex::takenByOther(std::wstring_view key, PlDbObjectId self) const {
    const Bearers* bearers = bearersOf(key);
    return bearers && bearers->anyBut(self);
}

std::uint64_t LightNameIndex::smallestFreeNumber(std::wstring_view key) const {
    if (!key.empty() && isDigit(key.back())) {
        // "Light2" + 1 reads as "Light" + 21: such names are not numbered
        // under this base, so try them one by one.
        std::uint64_t n = 1;
        while (bearersOf(std::wstring(key) + std::to_wstring(n))) ++n;
        return n;
    }
    const Numbered* numbered = numberedUnder(key);
    return numbered ? numbered->numbers.smallestMissing() : 1;
}

LightNameIndex* nameIndexOf(const PlDbDatabase* db, bool create) {
    if (!db) return nullptr;
    Indexes& all = indexes();
    if (db == all.lastDrawing) return all.lastIndex;
    auto it = all.byDrawing.find(db);
    if (it == all.byDrawing.end()) {
        if (!create) return nullptr;
        it = all.byDrawing.emplace(db, std::make_unique<LightNameIndex>()).first;
    }
    all.lastDrawing = db;
    all.lastIndex = it->second.get();
    return all.lastIndex;
}

// ---- IndexedName ---------------------------------------------------------------------

void IndexedName::enter(PlDbObjectId light, const PlDbDatabase* db, const std::wstring& name) {
    drop(light);
    if (!db || name.empty()) return;
    m_place = nameIndexOf(db, true)->add(FoldedName(name).view(), light);
    m_db = db;
}

void IndexedName::drop(PlDbObjectId light) {
    if (!m_db) return;
    Indexes& all = indexes();
    if (const auto it = all.byDrawing.find(m_db); it != all.byDrawing.end()) {
        it->second->remove(m_place, light);
        if (it->second->empty()) {
            if (all.lastIndex == it->second.get()) all.lastDrawing = nullptr;
            all.byDrawing.erase(it);
        }
    }
    m_db = nullptr;
    m_place = {};
}

}  // namespace plsim::scene
