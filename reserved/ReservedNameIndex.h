// ReservedNameIndex: finds the few reserved forms a text may equal ignoring case, so that only
// those are compared; and the one comparison of reserved names.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

/// True when the two texts are equal ignoring letter case, by the C library's
/// wide comparison (what it folds beyond A to Z differs by system and locale).
bool sameReservedName(const wchar_t* a, const wchar_t* b);

/// Answers whether a text equals one of a set of forms by sameReservedName,
/// as a scan over all of them would, after comparing only a few.
///
/// Whatever a library folds, a comparison that ignores case keeps the length
/// and never makes an ASCII letter equal to another letter than its other
/// case, nor an ASCII character that is no letter equal to anything but
/// itself; characters beyond ASCII may fold to ASCII letters (the Kelvin sign
/// to "k") or to each other. Forms of ASCII characters only are hashed by
/// their length and their letters in lower case, which every system folds
/// alike; every other candidate is picked by these rules position by
/// position. Each candidate is then confirmed with sameReservedName, so the
/// index never answers yes where the comparison says no, and it never leaves
/// out a form the comparison could find equal.
class ReservedNameIndex {
public:
    ReservedNameIndex() = default;
    /// Indexes the forms by pointer: they must outlive the index unchanged.
    explicit ReservedNameIndex(const std::vector<const wchar_t*>& forms);

    /// True when `text` (not null) equals one of the forms by sameReservedName.
    bool contains(const wchar_t* text) const;

private:
    /// Forms of ASCII characters only that share one lower-case spelling.
    struct Group {
        std::vector<wchar_t> key;
        std::uint32_t hash = 0;
        std::vector<const wchar_t*> forms;
    };

    bool confirmedAmong(const std::vector<const wchar_t*>& forms, const wchar_t* text, std::size_t length,
                        bool onlyCompatible) const;

    std::vector<Group> m_groups;
    std::vector<std::uint16_t> m_slots;  ///< open addressing: group index + 1, 0 when free
    std::vector<std::vector<const wchar_t*>> m_beyondAsciiByLength;  ///< forms with other characters
    std::vector<std::vector<const wchar_t*>> m_allByLength;          ///< every distinct form
};
