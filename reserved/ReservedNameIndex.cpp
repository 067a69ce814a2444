// ReservedNameIndex: candidates by length and lower-case ASCII spelling, confirmed by the library.
#include "reserved/ReservedNameIndex.h"

#include <algorithm>
#include <cwchar>

namespace {

constexpr std::uint32_t kHashBasis = 2166136261u;
constexpr std::uint32_t kHashPrime = 16777619u;

/// A character as an unsigned code: wchar_t is signed on some systems.
std::uint32_t code(wchar_t c) { return static_cast<std::uint32_t>(c); }
bool isAscii(std::uint32_t u) { return u < 0x80; }
std::uint32_t asciiLower(std::uint32_t u) { return (u >= 'A' && u <= 'Z') ? u + ('a' - 'A') : u; }
bool isAsciiLetter(std::uint32_t u) {
    const std::uint32_t lower = asciiLower(u);
    return lower >= 'a' && lower <= 'z';
}
std::uint32_t mixed(std::uint32_t hash, std::uint32_t u) { return (hash ^ u) * kHashPrime; }

/// False only when no library folding can make the two characters equal.
bool mayFoldEqual(std::uint32_t a, std::uint32_t b) {
    const bool asciiA = isAscii(a);
    const bool asciiB = isAscii(b);
    if (asciiA && asciiB) return asciiLower(a) == asciiLower(b);
    if (asciiA || asciiB) return isAsciiLetter(asciiA ? a : b);
    return true;
}

/// sameReservedName for two texts of one length, cheaper: the library folds
/// and compares character by character, and a character always equals
/// itself, so only the pairs of characters where the two differ are handed
/// to it, each pair once (or both texts whole, when too many differ).
bool sameAtDifferences(const wchar_t* text, const wchar_t* form, std::size_t length) {
    constexpr std::size_t kMost = 31;
    wchar_t textPart[kMost + 1];
    wchar_t formPart[kMost + 1];
    std::size_t count = 0;
    // The ASCII pairs taken: partner[a] is b + 1 for the pair (a, b).
    std::uint8_t partner[0x80] = {};
    for (std::size_t i = 0; i < length; ++i) {
        if (text[i] == form[i]) continue;
        const std::uint32_t a = code(text[i]);
        const std::uint32_t b = code(form[i]);
        if (isAscii(a) && isAscii(b)) {
            if (partner[a] == b + 1) continue;
            if (partner[a] == 0) partner[a] = static_cast<std::uint8_t>(b + 1);
        } else {
            std::size_t seen = 0;
            while (seen < count && (textPart[seen] != text[i] || formPart[seen] != form[i])) ++seen;
            if (seen < count) continue;
        }
        if (count == kMost) return sameReservedName(text, form);
        textPart[count] = text[i];
        formPart[count] = form[i];
        ++count;
    }
    if (count == 0) return true;
    textPart[count] = L'\0';
    formPart[count] = L'\0';
    return sameReservedName(textPart, formPart);
}

}  // namespace

bool sameReservedName(const wchar_t* a, const wchar_t* b) {
#if defined(_WIN32)
    return _wcsicmp(a, b) == 0;
#else
    return wcscasecmp(a, b) == 0;
#endif
}

ReservedNameIndex::ReservedNameIndex(const std::vector<const wchar_t*>& forms) {
    for (const wchar_t* form : forms) {
        if (!form) continue;
        const std::size_t length = std::wcslen(form);
        if (m_allByLength.size() <= length) {
            m_allByLength.resize(length + 1);
            m_beyondAsciiByLength.resize(length + 1);
        }
        std::vector<const wchar_t*>& sameLength = m_allByLength[length];
        // Two identical forms always answer alike: one is enough.
        if (std::any_of(sameLength.begin(), sameLength.end(),
                        [form](const wchar_t* known) { return std::wcscmp(known, form) == 0; }))
            continue;
        sameLength.push_back(form);
        if (!std::all_of(form, form + length, [](wchar_t c) { return isAscii(code(c)); })) {
            m_beyondAsciiByLength[length].push_back(form);
            continue;
        }
        Group candidate;
        candidate.hash = kHashBasis;
        for (std::size_t i = 0; i < length; ++i) {
            candidate.key.push_back(static_cast<wchar_t>(asciiLower(code(form[i]))));
            candidate.hash = mixed(candidate.hash, asciiLower(code(form[i])));
        }
        const auto group = std::find_if(m_groups.begin(), m_groups.end(),
                                        [&candidate](const Group& g) { return g.key == candidate.key; });
        if (group != m_groups.end()) {
            group->forms.push_back(form);
        } else {
            candidate.forms.push_back(form);
            m_groups.push_back(std::move(candidate));
        }
    }
    std::size_t capacity = 16;
    while (capacity < 2 * m_groups.size()) capacity *= 2;
    m_slots.assign(capacity, 0);
    for (std::size_t g = 0; g < m_groups.size(); ++g) {
        std::size_t slot = m_groups[g].hash & (capacity - 1);
        while (m_slots[slot] != 0) slot = (slot + 1) & (capacity - 1);
        m_slots[slot] = static_cast<std::uint16_t>(g + 1);
    }
}

bool ReservedNameIndex::confirmedAmong(const std::vector<const wchar_t*>& forms, const wchar_t* text,
                                       std::size_t length, bool onlyCompatible) const {
    for (const wchar_t* form : forms) {
        if (onlyCompatible) {
            std::size_t i = 0;
            while (i < length && mayFoldEqual(code(text[i]), code(form[i]))) ++i;
            if (i < length) continue;
        }
        if (sameAtDifferences(text, form, length)) return true;
    }
    return false;
}

bool ReservedNameIndex::contains(const wchar_t* text) const {
    // One pass: the length (stopping past the longest form), whether the text
    // is ASCII, and the hash of its lower-case spelling.
    const std::size_t lengths = m_allByLength.size();
    std::uint32_t hash = kHashBasis;
    std::uint32_t allBits = 0;
    std::size_t length = 0;
    for (; text[length] != L'\0'; ++length) {
        if (length >= lengths) return false;
        const std::uint32_t u = code(text[length]);
        allBits |= u;
        hash = mixed(hash, asciiLower(u));
    }
    if (length >= lengths) return false;
    if (!isAscii(allBits)) return confirmedAmong(m_allByLength[length], text, length, true);

    // A group whose hash merely collides is refused by the confirmation.
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t slot = hash & mask; m_slots[slot] != 0; slot = (slot + 1) & mask) {
        const Group& group = m_groups[m_slots[slot] - 1];
        if (group.hash == hash && group.key.size() == length && confirmedAmong(group.forms, text, length, false))
            return true;
    }
    return confirmedAmong(m_beyondAsciiByLength[length], text, length, true);
}
