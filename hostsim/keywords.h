// Keyword lists of the command line: parsing a declared list and matching a reply to it.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace plsim::detail {

/// One declared keyword: what the user sees and types (local) and what the
/// program compares (global).
struct Keyword {
    std::wstring local;
    std::wstring global;
};

/// A declared keyword list.
///
/// Parsing. The list is split at blanks. The tokens before a lone "_" are the
/// local names; the tokens after it are the global names, in the same order.
/// Without "_" every local name is its own global name. When the two sides
/// differ in length they are paired by position; a local name without a
/// global partner is its own global name, and a global name without a local
/// partner is declared under its global name on both sides. Further lone "_"
/// tokens are ignored.
///
/// Matching a reply (the reply has no blanks at either end; letters compare
/// case-insensitively, as the platform layer folds them):
///  1. "_" followed by text matches global names only, by rules 2, 4 and 5
///     applied to the global names ("_exit", "_x", "_eX" and "_EXIT" all
///     select "eXit").
///  2. A reply equal to a whole local name selects it (first declared wins).
///  3. A reply equal to a whole global name selects it (first declared wins).
///  4. A reply equal to a keyword's capital letters, its shortcut, selects
///     the first declared keyword with that shortcut ("x" selects "eXit",
///     "w" "shadoW", "cw" "CoolWhite").
///  5. Otherwise a reply selects the first declared keyword whose local name
///     starts with the reply, provided the reply is at least as long as the
///     keyword's required part: its leading characters up to and including
///     its last capital letter ("eXit" needs "ex", "shadoW" the whole
///     "shadow", "Intensityfactor" just "i"). A name without capitals must be
///     typed whole ("128", "?").
/// An empty reply or "_" alone selects nothing. The result is the keyword's
/// global name.
class KeywordList {
public:
    KeywordList() = default;
    explicit KeywordList(const std::wstring& list);

    bool empty() const { return m_keywords.empty(); }
    const std::vector<Keyword>& keywords() const { return m_keywords; }

    /// The declared keyword the reply selects, or null.
    const Keyword* match(const std::wstring& reply) const;

    /// How many leading characters of `name` a reply must hold.
    static std::size_t requiredLength(const std::wstring& name);

private:
    std::vector<Keyword> m_keywords;
};

/// The list `text` declares, parsed. A command declares the same few lists
/// over and over, so the lists declared lately are kept parsed and told apart
/// by their text; only a text not among them is parsed anew.
std::shared_ptr<const KeywordList> declaredKeywords(std::wstring_view text);

}  // namespace plsim::detail
