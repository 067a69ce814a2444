// Keyword tables: the global keywords a prompt compares its replies with, each with what it
// stands for, in the order the replies are tested.
#pragma once

#include <cstddef>
#include <cwchar>

/// A keyword and what it stands for.
template <class T>
struct KeywordRow {
    const wchar_t* keyword;  ///< global name, compared exactly
    T value;
};

/// A keyword, what it stands for, and the message that names it to the user.
template <class T>
struct NamedKeywordRow {
    const wchar_t* keyword;  ///< global name, compared exactly
    T value;
    unsigned nameId;  ///< the message of its display name
};

/// The first row of `rows` (any row type with a `keyword`) whose keyword is
/// `reply`, letter case and all; null when none is.
template <class Row, std::size_t N>
const Row* findKeyword(const wchar_t* reply, const Row (&rows)[N]) {
    for (const Row& row : rows)
        if (reply && std::wcscmp(reply, row.keyword) == 0) return &row;
    return nullptr;
}
