// Keyword lists of the command line: parsing a declared list and matching a reply to it.
#include "hostsim/keywords.h"

#include <algorithm>

#include "hostsim/internal.h"

namespace plsim::detail {
namespace {

bool isBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n'; }

std::vector<std::wstring> splitAtBlanks(const std::wstring& text) {
    std::vector<std::wstring> tokens;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && isBlank(text[i])) ++i;
        const std::size_t start = i;
        while (i < text.size() && !isBlank(text[i])) ++i;
        if (i > start) tokens.push_back(text.substr(start, i - start));
    }
    return tokens;
}

bool isCapital(wchar_t c) {
    const std::wstring one(1, c);
    return toLower(one) != one;
}

enum class Side { Local, Global };

const std::wstring& nameOf(const Keyword& k, Side side) { return side == Side::Local ? k.local : k.global; }

const Keyword* wholeName(const std::vector<Keyword>& keywords, const std::wstring& reply, Side side) {
    for (const Keyword& k : keywords)
        if (iequals(nameOf(k, side), reply)) return &k;
    return nullptr;
}

const Keyword* abbreviation(const std::vector<Keyword>& keywords, const std::wstring& reply, Side side) {
    const std::wstring lowerReply = toLower(reply);
    for (const Keyword& k : keywords) {
        const std::wstring& name = nameOf(k, side);
        if (reply.size() > name.size() || reply.size() < KeywordList::requiredLength(name)) continue;
        if (toLower(name.substr(0, reply.size())) == lowerReply) return &k;
    }
    return nullptr;
}

/// The keyword's capital letters, in order: its shortcut ("eXit" "X", "CoolWhite" "CW").
std::wstring capitalsOf(const std::wstring& name) {
    std::wstring capitals;
    for (wchar_t c : name)
        if (isCapital(c)) capitals += c;
    return capitals;
}

const Keyword* shortcut(const std::vector<Keyword>& keywords, const std::wstring& reply, Side side) {
    for (const Keyword& k : keywords) {
        const std::wstring capitals = capitalsOf(nameOf(k, side));
        if (!capitals.empty() && iequals(capitals, reply)) return &k;
    }
    return nullptr;
}

}  // namespace

KeywordList::KeywordList(const std::wstring& list) {
    std::vector<std::wstring> locals;
    std::vector<std::wstring> globals;
    bool afterSeparator = false;
    for (std::wstring& token : splitAtBlanks(list)) {
        if (token == L"_") {
            afterSeparator = true;
            continue;
        }
        (afterSeparator ? globals : locals).push_back(std::move(token));
    }
    if (!afterSeparator) globals = locals;
    const std::size_t count = std::max(locals.size(), globals.size());
    for (std::size_t i = 0; i < count; ++i) {
        Keyword k;
        k.local = i < locals.size() ? locals[i] : globals[i];
        k.global = i < globals.size() ? globals[i] : locals[i];
        m_keywords.push_back(std::move(k));
    }
}

std::size_t KeywordList::requiredLength(const std::wstring& name) {
    for (std::size_t i = name.size(); i > 0; --i)
        if (isCapital(name[i - 1])) return i;
    return name.size();
}

const Keyword* KeywordList::match(const std::wstring& reply) const {
    if (reply.empty()) return nullptr;
    if (reply.front() == L'_') {
        const std::wstring rest = reply.substr(1);
        if (rest.empty()) return nullptr;
        if (const Keyword* k = wholeName(m_keywords, rest, Side::Global)) return k;
        if (const Keyword* k = shortcut(m_keywords, rest, Side::Global)) return k;
        return abbreviation(m_keywords, rest, Side::Global);
    }
    if (const Keyword* k = wholeName(m_keywords, reply, Side::Local)) return k;
    if (const Keyword* k = wholeName(m_keywords, reply, Side::Global)) return k;
    if (const Keyword* k = shortcut(m_keywords, reply, Side::Local)) return k;
    return abbreviation(m_keywords, reply, Side::Local);
}

std::shared_ptr<const KeywordList> declaredKeywords(std::wstring_view text) {
    struct Parsed {
        std::wstring text;
        std::shared_ptr<const KeywordList> list;
    };
    struct Kept {
        std::vector<Parsed> lists;
        std::size_t oldest = 0;  ///< the one a new list replaces once all places are taken
    };
    constexpr std::size_t kPlaces = 16;
    static auto* const kept = new Kept;  // never destroyed: modules may ask from their static destructors
    for (const Parsed& p : kept->lists)
        if (p.text == text) return p.list;
    Parsed parsed{std::wstring(text), nullptr};
    parsed.list = std::make_shared<const KeywordList>(parsed.text);
    if (kept->lists.size() < kPlaces) {
        kept->lists.push_back(std::move(parsed));
        return kept->lists.back().list;
    }
    Parsed& place = kept->lists[kept->oldest];
    kept->oldest = (kept->oldest + 1) % kPlaces;
    place = std::move(parsed);
    return place.list;
}

}  // namespace plsim::detail
