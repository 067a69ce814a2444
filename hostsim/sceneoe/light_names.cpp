// Light names: validity, folding, and the per-drawing name index with its numbering.
#include "hostsim/sceneoe/light_names.h"

#include <algorithm>
#include <iterator>
#include <memory>
#include <string_view>

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
bool splitNumber(const std::wstring& key, std::wstring& prefix, std::uint64_t& number) {
    std::size_t start = key.size();
    while (start > 0 && isDigit(key[start - 1])) --start;
    const std::size_t digits = key.size() - start;
    if (digits == 0 || digits > kMaxNumberDigits || key[start] == L'0' || start == 0) return false;
    prefix.assign(key, 0, start);
    number = 0;
    for (std::size_t i = start; i < key.size(); ++i) number = number * 10 + static_cast<std::uint64_t>(key[i] - L'0');
    return true;
}

using IndexMap = std::unordered_map<const PlDbDatabase*, std::unique_ptr<LightNameIndex>>;

/// Never destroyed: lights may be deleted with their drawings while the process ends.
IndexMap& indexes() {
    static auto* all = new IndexMap;
    return *all;
}

}  // namespace

std::wstring foldName(const std::wstring& name) { return plsim::detail::toLower(name); }

bool isValidLightName(const std::wstring& name) {
    if (name.empty() || name.size() > defaults::kMaxNameLength) return false;
    const std::wstring_view forbidden(defaults::kForbiddenNameChars);
    return std::none_of(name.begin(), name.end(), [&](wchar_t c) {
        return c < 0x20 || c == 0x7F || forbidden.find(c) != std::wstring_view::npos;
    });
}

// ---- NumberSet -----------------------------------------------------------------------

bool NumberSet::contains(std::uint64_t number) const {
    auto it = m_runs.upper_bound(number);
    if (it == m_runs.begin()) return false;
    --it;
    return number <= it->second;
}

void NumberSet::add(std::uint64_t number) {
    if (contains(number)) {
        ++m_repeats[number];
        return;
    }
    std::uint64_t first = number;
    std::uint64_t last = number;
    // Join the run that ends just before, and the one that starts just after.
    auto next = m_runs.upper_bound(number);
    if (next != m_runs.begin()) {
        auto before = std::prev(next);
        if (before->second + 1 == number) {
            first = before->first;
            m_runs.erase(before);
        }
    }
    if (next != m_runs.end() && next->first == number + 1) {
        last = next->second;
        m_runs.erase(next);
    }
    m_runs.emplace(first, last);
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
    const std::uint64_t first = it->first;
    const std::uint64_t last = it->second;
    m_runs.erase(it);
    if (first < number) m_runs.emplace(first, number - 1);
    if (number < last) m_runs.emplace(number + 1, last);
}

std::uint64_t NumberSet::smallestMissing() const {
    if (m_runs.empty() || m_runs.begin()->first > 1) return 1;
    return m_runs.begin()->second + 1;
}

// ---- LightNameIndex ------------------------------------------------------------------

void LightNameIndex::add(const std::wstring& key, PlDbObjectId light) {
    m_names[key].push_back(light);
    std::wstring prefix;
    std::uint64_t number = 0;
    if (splitNumber(key, prefix, number)) m_numbers[prefix].add(number);
}

void LightNameIndex::remove(const std::wstring& key, PlDbObjectId light) {
    const auto entry = m_names.find(key);
    if (entry == m_names.end()) return;
    auto& lights = entry->second;
    const auto it = std::find(lights.begin(), lights.end(), light);
    if (it == lights.end()) return;
    lights.erase(it);
    if (lights.empty()) m_names.erase(entry);
    std::wstring prefix;
    std::uint64_t number = 0;
    if (!splitNumber(key, prefix, number)) return;
    if (const auto numbers = m_numbers.find(prefix); numbers != m_numbers.end()) {
        numbers->second.remove(number);
        if (numbers->second.empty()) m_numbers.erase(numbers);
    }
}

PlDbObjectId LightNameIndex::find(const std::wstring& key) const {
    const auto entry = m_names.find(key);
    return entry == m_names.end() ? PlDbObjectId::kNull : entry->second.front();
}

bool LightNameIndex::takenByOther(const std::wstring& key, PlDbObjectId self) const {
    const auto entry = m_names.find(key);
    if (entry == m_names.end()) return false;
    return std::any_of(entry->second.begin(), entry->second.end(), [&](PlDbObjectId id) { return id != self; });
}

std::uint64_t LightNameIndex::smallestFreeNumber(const std::wstring& key) const {
    if (!key.empty() && isDigit(key.back())) {
        // "Light2" + 1 reads as "Light" + 21: such names are not numbered
        // under this base, so try them one by one.
        std::uint64_t n = 1;
        while (m_names.count(key + std::to_wstring(n)) > 0) ++n;
        return n;
    }
    const auto numbers = m_numbers.find(key);
    return numbers == m_numbers.end() ? 1 : numbers->second.smallestMissing();
}

LightNameIndex* nameIndexOf(const PlDbDatabase* db, bool create) {
    if (!db) return nullptr;
    IndexMap& all = indexes();
    const auto it = all.find(db);
    if (it != all.end()) return it->second.get();
    if (!create) return nullptr;
    return all.emplace(db, std::make_unique<LightNameIndex>()).first->second.get();
}

// ---- IndexedName ---------------------------------------------------------------------

void IndexedName::enter(PlDbObjectId light, const PlDbDatabase* db, const std::wstring& name) {
    drop(light);
    if (!db || name.empty()) return;
    m_key = foldName(name);
    nameIndexOf(db, true)->add(m_key, light);
    m_db = db;
}

void IndexedName::drop(PlDbObjectId light) {
    if (!m_db) return;
    IndexMap& all = indexes();
    if (const auto it = all.find(m_db); it != all.end()) {
        it->second->remove(m_key, light);
        if (it->second->empty()) all.erase(it);
    }
    m_db = nullptr;
    m_key.clear();
}

}  // namespace plsim::scene
