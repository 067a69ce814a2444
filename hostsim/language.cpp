// The language of the user interface and where resource modules are found for it.
#include <cstdio>
#include <set>
#include <utility>

#include "hostsim/driver.h"
#include "hostsim/internal.h"

namespace {

/// The language the host and its modules are built in; its resource modules
/// lie in the module folder itself.
constexpr wchar_t kBaseLanguage[] = L"en";

struct LanguageState {
    std::wstring language = kBaseLanguage;
    /// (file name in lower case, language) pairs already warned about.
    std::set<std::pair<std::wstring, std::wstring>> warned;
};

LanguageState& languageState() {
    static LanguageState* const state = new LanguageState;
    return *state;
}

bool isLanguageCharacter(wchar_t c) {
    return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9') || c == L'-' ||
           c == L'_';
}

}  // namespace

namespace plsim {

bool setLanguage(const std::wstring& language, std::wstring* error) {
    // A folder name and nothing more: no separators, no "..".
    constexpr std::size_t kLongest = 35;
    bool valid = !language.empty() && language.size() <= kLongest;
    for (const wchar_t c : language) valid = valid && isLanguageCharacter(c);
    if (!valid) {
        if (error) {
            *error = L"\"" + language + L"\" is not a language: give a name such as de or pt-BR (letters, digits, - and _).";
        }
        return false;
    }
    languageState().language = language;
    return true;
}

std::wstring language() { return languageState().language; }

namespace detail {

std::wstring resourceModulePath(const std::wstring& fileName, bool warn) {
    LanguageState& state = languageState();
    if (!iequals(state.language, kBaseLanguage)) {
        const std::wstring folder = findFolderInFolder(moduleDirectory(), state.language);
        const std::wstring path = folder.empty() ? std::wstring() : findFileInFolder(folder, fileName);
        if (!path.empty()) return path;
    }
    const std::wstring path = moduleFilePath(fileName);
    if (warn && !path.empty() && !iequals(state.language, kBaseLanguage) &&
        state.warned.emplace(toLower(fileName), toLower(state.language)).second) {
        // A warning, for standard error: it names the file as it is on this platform.
        finishOutputLine();
        std::fprintf(stderr, "plhost: warning: the resource module \"%s\" is not available in the language \"%s\"; "
                             "its English texts are used.\n",
                     toUtf8(fileName).c_str(), toUtf8(state.language).c_str());
    }
    return path;
}

void resetLanguage() {
    languageState().language = kBaseLanguage;
    languageState().warned.clear();
}

}  // namespace detail

}  // namespace plsim
