// The console's RESERVED command: asks the loaded module about reserved scene names.
#include "console/reserved_command.h"

#include <climits>
#include <cstddef>
#include <optional>
#include <vector>

#include "console/blanks.h"
#include "hostsim/driver.h"
#include "reserved/ReservedStringType.h"

namespace plandor {

namespace {

/// A word of the arguments; `quoted` when it was written in double quotes.
struct Word {
    std::wstring text;
    bool quoted = false;
};

/// Splits at blanks; a word that opens with a double quote runs to the next
/// one. Empty, with `error` filled, when a quote is not closed or a closing
/// quote runs into the next word.
std::optional<std::vector<Word>> splitWords(const std::wstring& line, std::wstring& error) {
    std::vector<Word> words;
    std::size_t i = 0;
    while (i < line.size()) {
        if (isBlank(line[i])) {
            ++i;
            continue;
        }
        Word word;
        if (line[i] == L'"') {
            const std::size_t close = line.find(L'"', i + 1);
            if (close == std::wstring::npos) {
                error = L"The text " + line.substr(i) + L" has no closing double quote.";
                return std::nullopt;
            }
            if (close + 1 < line.size() && !isBlank(line[close + 1])) {
                error = L"A blank must follow the closing double quote of " + line.substr(i, close + 1 - i) + L".";
                return std::nullopt;
            }
            word.text = line.substr(i + 1, close - i - 1);
            word.quoted = true;
            i = close + 1;
        } else {
            const std::size_t start = i;
            while (i < line.size() && !isBlank(line[i])) {
                ++i;
            }
            word.text = line.substr(start, i - start);
        }
        words.push_back(std::move(word));
    }
    return words;
}

bool isKeyword(const Word& word, const wchar_t* upper) {
    if (word.quoted) {
        return false;
    }
    std::size_t i = 0;
    for (; i < word.text.size() && upper[i] != L'\0'; ++i) {
        const wchar_t c = word.text[i];
        if ((c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c) != upper[i]) {
            return false;
        }
    }
    return i == word.text.size() && upper[i] == L'\0';
}

/// A whole number in the range of a type: an optional minus, then digits.
std::optional<int> typeNumber(const Word& word) {
    const std::wstring& text = word.text;
    const std::size_t first = !text.empty() && text[0] == L'-' ? 1 : 0;
    if (word.quoted || text.size() == first || text.size() - first > 10) {
        return std::nullopt;
    }
    long long value = 0;
    for (std::size_t i = first; i < text.size(); ++i) {
        if (text[i] < L'0' || text[i] > L'9') {
            return std::nullopt;
        }
        value = value * 10 + (text[i] - L'0');
    }
    value = first ? -value : value;
    if (value < INT_MIN || value > INT_MAX) {
        return std::nullopt;
    }
    return static_cast<int>(value);
}

/// The module's exported queries, found by the names its compiler gives the
/// static members of ZuredUDKMX, the way another module links to them.
struct ReservedQueries {
    const wchar_t* (*get)(ReservedStringType, bool) = nullptr;
    bool (*isTyped)(const wchar_t*, ReservedStringType) = nullptr;
    bool (*isAny)(const wchar_t*) = nullptr;
    bool (*isView)(const wchar_t*) = nullptr;
    const wchar_t* (*translate)(const wchar_t*, bool) = nullptr;
};

template <class Function>
void bind(Function& function, const char* symbol) {
    function = reinterpret_cast<Function>(plsim::findApplicationSymbol(symbol));
}

std::optional<ReservedQueries> moduleQueries() {
    ReservedQueries queries;
    bind(queries.get, "_ZN10ZuredUDKMX17getReservedStringE18ReservedStringTypeb");
    bind(queries.isTyped, "_ZN10ZuredUDKMX16isReservedStringEPKw18ReservedStringType");
    bind(queries.isAny, "_ZN10ZuredUDKMX16isReservedStringEPKw");
    bind(queries.isView, "_ZN10ZuredUDKMX20isReservedViewStringEPKw");
    bind(queries.translate, "_ZN10ZuredUDKMX23translateReservedStringEPKwb");
    if (!queries.get || !queries.isTyped || !queries.isAny || !queries.isView || !queries.translate) {
        return std::nullopt;
    }
    return queries;
}

std::wstring formOrNone(const wchar_t* form) { return form ? std::wstring(form) : std::wstring(L"(none)"); }
std::wstring yesNo(bool answer) { return answer ? L"true" : L"false"; }

}  // namespace

std::wstring runReservedCommand(const std::wstring& arguments) {
    const std::wstring usage = std::wstring(L"Usage: ") + kReservedSyntax + L".";
    std::wstring error;
    const std::optional<std::vector<Word>> parsed = splitWords(arguments, error);
    if (!parsed) {
        return error;
    }
    const std::vector<Word>& words = *parsed;
    if (words.empty()) {
        return usage;
    }
    const std::optional<ReservedQueries> queries = moduleQueries();
    if (!queries) {
        return L"The loaded module does not answer questions on reserved names.";
    }
    const auto typeOf = [](int number) { return static_cast<ReservedStringType>(number); };
    if (const std::optional<int> type = typeNumber(words[0])) {
        if (words.size() == 1 || (words.size() == 2 && isKeyword(words[1], L"LOCAL"))) {
            return formOrNone(queries->get(typeOf(*type), words.size() == 2));
        }
    } else if (isKeyword(words[0], L"IS") && (words.size() == 2 || words.size() == 3)) {
        if (words.size() == 2) {
            return yesNo(queries->isAny(words[1].text.c_str()));
        }
        if (const std::optional<int> typed = typeNumber(words[2])) {
            return yesNo(queries->isTyped(words[1].text.c_str(), typeOf(*typed)));
        }
    } else if (isKeyword(words[0], L"VIEW") && words.size() == 2) {
        return yesNo(queries->isView(words[1].text.c_str()));
    } else if (isKeyword(words[0], L"TRANSLATE") && words.size() == 3) {
        const bool toLocal = isKeyword(words[2], L"LOCAL");
        if (toLocal || isKeyword(words[2], L"GLOBAL")) {
            return formOrNone(queries->translate(words[1].text.c_str(), toLocal));
        }
    }
    return usage;
}

}  // namespace plandor
