// What the pieces of the stand-in host share with one another (not part of host/).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "hostsim/driver.h"

class NlHostMenuItem;
class PlRxClass;

namespace plsim::detail {

// Output (output.cpp): the transcript and the live sink.
/// Appends printed text.
void emit(const std::wstring& text);
/// Appends a prompt with its reply as one transcript line; `showLive` false
/// keeps them from the live sink (the input source showed them itself).
void emitExchange(std::wstring_view prompt, std::wstring_view replyShown, bool showLive);
void resetOutput();

// Input (editor_input.cpp): the next reply from the queue or the input source.
/// False when neither has one (counted as an exhausted prompt).
bool nextReply(std::wstring_view prompt, Reply& reply);
/// True when the reply nextReply handed out last came from an input source
/// that shows prompts and replies itself (pass !this as emitExchange's showLive).
bool replyShownBySource();
void resetInput();

// System variables (sysvars.cpp).
void resetVars();

// Documents (documents.cpp).
void resetDocuments();
/// Counts a change to the current drawing that is not one of its objects (a system
/// variable, the user coordinate system).
void noteDrawingChanged();

// Colour books (color_books.cpp).
void resetColorBooks();

// Faults (faults.cpp): true, and one fewer pending, when the next operation of
// that kind is to fail.
bool takeFault(Fault fault);
void resetFaults();

// Runtime classes (rx_runtime.cpp).
/// Registers a class the host itself provides (it cannot be deleted) under
/// `parent` (null: PlRxObject). Answers the class already registered under
/// that name, if any; null when the parent is unknown.
PlRxClass* registerBuiltinClass(const wchar_t* name, const wchar_t* parent);

// Menus (host_menu.cpp, context_menus.cpp).
/// The items of the popup menu of that handle; null when no such menu exists.
const std::vector<NlHostMenuItem>* popupMenuItems(const void* handle);
/// Drops the object context menus registered for a class that goes away.
void forgetContextMenusOf(const PlRxClass* cls);
/// Drops (and reports) the context menus an application left registered.
void forgetContextMenusOfApp(const void* appHandle);
void resetSelection();

// Modules (modules.cpp, applications.cpp).
/// The full path of the file `fileName` in the module folder, matched
/// ignoring case; empty when there is none or the name is not a plain file name.
std::wstring moduleFilePath(const std::wstring& fileName);
/// True when an application of that file name was loaded through the driver.
bool applicationIsLoaded(const std::wstring& fileName);
/// The address of the exported symbol `name` of the application loaded from `fileName`,
/// or, when none is, of the program itself (which may have the module's code linked in);
/// null when neither exports it.
void* moduleSymbol(const std::wstring& fileName, const char* name);
/// Sends an entry-point message to every application loaded through the driver.
void broadcastAppMessage(int message);
/// Drops what the host recorded about an application handle that is going away.
void forgetAppHandle(void* appHandle);

// Language (language.cpp).
/// The full path of the resource module file `fileName` ("PlSceneRes.so") in
/// the folder of the current language, else in the module folder; empty when
/// there is none. Taking the English one in place of another language is
/// reported on standard error when `warn` is set, once per name and language.
std::wstring resourceModulePath(const std::wstring& fileName, bool warn);
void resetLanguage();

// Platform (platform.cpp). Exported for the tests and the console: the one UTF-8
// decoder and the one case-ignoring comparison of the stand-in and the console.
/// Case-insensitive equality, the same on every system: ASCII letters and
/// the Latin-1 and Latin Extended-A letters fold; nothing else does.
PLHOST_API bool iequals(std::wstring_view a, std::wstring_view b);
PLHOST_API std::wstring toLower(const std::wstring& text);
/// The lower-case form of one character, from our own rules so that every
/// system folds alike: ASCII, Latin-1 and Latin Extended-A; all else as is.
constexpr wchar_t lowerCharByRule(wchar_t c) {
    const auto u = static_cast<std::uint32_t>(c);
    auto shifted = [](std::uint32_t v) { return static_cast<wchar_t>(v); };
    if (u < 0x80) return (u >= 'A' && u <= 'Z') ? shifted(u + 0x20) : c;
    if (u < 0xC0) return c;
    if (u <= 0xDE) return u == 0xD7 ? c : shifted(u + 0x20);  // U+00D7 is the multiplication sign
    if (u < 0x100) return c;
    if (u == 0x130) return L'i';  // capital I with dot above lowers to plain i
    if (u <= 0x137) return (u % 2 == 0) ? shifted(u + 1) : c;
    if (u == 0x138) return c;  // kra has no capital
    if (u <= 0x148) return (u % 2 == 1) ? shifted(u + 1) : c;
    if (u == 0x149) return c;  // n preceded by apostrophe has no capital
    if (u <= 0x177) return (u % 2 == 0) ? shifted(u + 1) : c;
    if (u == 0x178) return shifted(0xFF);  // capital Y with diaeresis
    if (u <= 0x17E) return (u % 2 == 1) ? shifted(u + 1) : c;
    return c;  // long s (U+017F) and everything beyond
}

/// lowerCharByRule of the characters before long s (U+017F), made when compiled.
inline constexpr auto kLowerChars = [] {
    std::array<wchar_t, 0x17F> lower{};
    for (std::size_t u = 0; u < lower.size(); ++u) lower[u] = lowerCharByRule(static_cast<wchar_t>(u));
    return lower;
}();

/// lowerCharByRule, by table: names are folded on every look-up.
inline wchar_t lowerChar(wchar_t c) {
    const auto u = static_cast<std::uint32_t>(c);
    return u < kLowerChars.size() ? kLowerChars[u] : c;
}

/// A quick hash of a text (FNV-1a over its characters) for the stand-in's
/// tables of names, which commands look up many times each. Transparent: a
/// table keyed by strings finds a view without making a string. Not noexcept,
/// so that the standard library keeps each key's hash in its node rather than
/// hashing every key again when the table grows.
struct TextHash {
    using is_transparent = void;
    std::size_t operator()(std::wstring_view text) const {
        std::uint64_t hash = 14695981039346656037ULL;
        for (const wchar_t c : text) {
            hash ^= static_cast<std::uint64_t>(c);
            hash *= 1099511628211ULL;
        }
        return static_cast<std::size_t>(hash);
    }
};

/// UTF-8 from wide text: a lone surrogate (16-bit wchar_t) or a value that is
/// no code point becomes U+FFFD.
PLHOST_API std::string toUtf8(const std::wstring& text);
/// Wide text from UTF-8: each broken sequence (an overlong form, a surrogate,
/// a value above U+10FFFF, a sequence cut short) becomes one U+FFFD for its
/// valid beginning; with a 16-bit wchar_t, code points above U+FFFF become
/// surrogate pairs.
PLHOST_API std::wstring fromUtf8(const std::string& text);
/// True when `text` is UTF-8 without a broken sequence.
PLHOST_API bool isValidUtf8(const std::string& text);
/// Appends one Unicode code point, as a surrogate pair where wchar_t is 16 bits.
void appendCodePoint(std::wstring& out, std::uint32_t codePoint);
/// `text` as a path of this system (UTF-8 where paths are bytes), and back.
PLHOST_API std::filesystem::path filePath(const std::wstring& text);
PLHOST_API std::wstring pathText(const std::filesystem::path& path);
/// The folder of the host library file.
PLHOST_API std::wstring hostLibraryDirectory();
/// A library by full path; null on failure with `error` filled.
PLHOST_API void* openLibrary(const std::wstring& path, std::wstring* error);
PLHOST_API void* librarySymbol(void* library, const char* name);
/// An exported symbol of the program itself; null when it has none of that name.
void* programSymbol(const char* name);
PLHOST_API void closeLibrary(void* library);
/// The full path of `fileName` in `folder`: the entry of exactly that name,
/// else, of those matching ignoring case, the first in code-point order.
/// Empty when none does or `fileName` is not a plain file name (it has a
/// folder part, or is "." or "..").
PLHOST_API std::wstring findFileInFolder(const std::wstring& folder, const std::wstring& fileName);
/// The full paths of the plain files in `folder` whose names end in
/// `extension` (letter case ignored), in code-point order of their names.
/// False when `folder` is no folder that can be read.
bool filesInFolder(const std::wstring& folder, const std::wstring& extension, std::vector<std::wstring>& paths);
/// The bytes of the file `path`; false when it cannot be read.
bool readFileBytes(const std::wstring& path, std::string& bytes);
/// The same for a folder inside `folder`.
std::wstring findFolderInFolder(const std::wstring& folder, const std::wstring& name);
/// "X.dll" as this system names a shared library: unchanged on Windows,
/// "X.so" elsewhere.
PLHOST_API std::wstring platformLibraryName(const std::wstring& name);

}  // namespace plsim::detail
