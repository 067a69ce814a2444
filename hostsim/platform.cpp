// What differs between systems: letter case, UTF-8, library files and folders.
#include "hostsim/internal.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace plsim::detail {

namespace {

namespace fs = std::filesystem;

constexpr std::uint32_t kReplacement = 0xFFFD;

void appendUtf8(std::string& out, std::uint32_t cp) {
    auto byte = [&out](std::uint32_t v) { out.push_back(static_cast<char>(static_cast<unsigned char>(v))); };
    if (cp < 0x80) {
        byte(cp);
    } else if (cp < 0x800) {
        byte(0xC0 | (cp >> 6));
        byte(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        byte(0xE0 | (cp >> 12));
        byte(0x80 | ((cp >> 6) & 0x3F));
        byte(0x80 | (cp & 0x3F));
    } else {
        byte(0xF0 | (cp >> 18));
        byte(0x80 | ((cp >> 12) & 0x3F));
        byte(0x80 | ((cp >> 6) & 0x3F));
        byte(0x80 | (cp & 0x3F));
    }
}

bool isSurrogate(std::uint32_t u) { return u >= 0xD800 && u <= 0xDFFF; }

#if defined(_WIN32)
std::wstring systemMessage(DWORD code) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        code, 0, reinterpret_cast<LPWSTR>(&buffer), 0, nullptr);
    std::wstring text = (length && buffer) ? std::wstring(buffer, length) : std::wstring();
    if (buffer) LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) text.pop_back();
    if (text.empty()) text = L"system error " + std::to_wstring(code);
    return text;
}
#endif

/// An object of this library, whose address names the library file.
const int kLibraryAnchor = 0;

}  // namespace

#if defined(_WIN32)
fs::path filePath(const std::wstring& text) { return fs::path(text); }
std::wstring pathText(const fs::path& path) { return path.wstring(); }
#else
fs::path filePath(const std::wstring& text) { return fs::path(toUtf8(text)); }
std::wstring pathText(const fs::path& path) { return fromUtf8(path.string()); }
#endif

bool iequals(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lowerChar(a[i]) != lowerChar(b[i])) return false;
    }
    return true;
}

std::wstring toLower(const std::wstring& text) {
    std::wstring out(text);
    for (wchar_t& c : out) c = lowerChar(c);
    return out;
}

std::string toUtf8(const std::wstring& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        auto cp = static_cast<std::uint32_t>(text[i]);
        if constexpr (sizeof(wchar_t) == 2) {
            cp &= 0xFFFF;
            if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size()) {
                const auto low = static_cast<std::uint32_t>(text[i + 1]) & 0xFFFF;
                if (low >= 0xDC00 && low <= 0xDFFF) {
                    cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                    ++i;
                }
            }
        }
        if (isSurrogate(cp) || cp > 0x10FFFF) cp = kReplacement;
        appendUtf8(out, cp);
    }
    return out;
}

namespace {

/// Decodes UTF-8, appending to `out` when it is given; answers how many
/// broken sequences were met (each becomes one U+FFFD).
std::size_t decodeUtf8(const std::string& text, std::wstring* out) {
    std::size_t broken = 0;
    const auto emit = [out](std::uint32_t cp) {
        if (out) appendCodePoint(*out, cp);
    };
    const auto replace = [&emit, &broken] {
        ++broken;
        emit(kReplacement);
    };
    const std::size_t n = text.size();
    std::size_t i = 0;
    auto at = [&text](std::size_t k) { return static_cast<std::uint32_t>(static_cast<unsigned char>(text[k])); };
    while (i < n) {
        const std::uint32_t b0 = at(i);
        if (b0 < 0x80) {
            emit(b0);
            ++i;
            continue;
        }
        // Length of the sequence and the range its second byte must fall in;
        // the narrowed ranges refuse overlong forms, surrogates and values
        // above U+10FFFF.
        std::size_t length = 0;
        std::uint32_t lo = 0x80, hi = 0xBF, cp = 0;
        if (b0 >= 0xC2 && b0 <= 0xDF) {
            length = 2;
            cp = b0 & 0x1F;
        } else if (b0 >= 0xE0 && b0 <= 0xEF) {
            length = 3;
            cp = b0 & 0x0F;
            if (b0 == 0xE0) lo = 0xA0;
            if (b0 == 0xED) hi = 0x9F;
        } else if (b0 >= 0xF0 && b0 <= 0xF4) {
            length = 4;
            cp = b0 & 0x07;
            if (b0 == 0xF0) lo = 0x90;
            if (b0 == 0xF4) hi = 0x8F;
        } else {
            replace();
            ++i;
            continue;
        }
        std::size_t k = 1;
        for (; k < length && i + k < n; ++k) {
            const std::uint32_t b = at(i + k);
            if (b < (k == 1 ? lo : 0x80) || b > (k == 1 ? hi : 0xBF)) break;
            cp = (cp << 6) | (b & 0x3F);
        }
        if (k < length) {
            // A broken sequence: one replacement for its valid beginning.
            replace();
            i += k;
            continue;
        }
        emit(cp);
        i += length;
    }
    return broken;
}

}  // namespace

std::wstring fromUtf8(const std::string& text) {
    std::wstring out;
    out.reserve(text.size());
    decodeUtf8(text, &out);
    return out;
}

bool isValidUtf8(const std::string& text) { return decodeUtf8(text, nullptr) == 0; }

namespace {

/// The entry `fileName` of `folder` (a file, or a folder when `wantFolder`),
/// as findFileInFolder picks it.
std::wstring findEntryInFolder(const std::wstring& folder, const std::wstring& fileName, bool wantFolder) {
    if (fileName.empty() || fileName == L"." || fileName == L".." ||
        fileName.find_first_of(L"/\\:") != std::wstring::npos || fileName.find(L'\0') != std::wstring::npos) {
        return {};
    }
    // The folder is read rather than the name tried, so that the answer holds
    // the name as it is on disk on case-insensitive file systems too.
    std::error_code ec;
    const fs::path dir = filePath(folder);
    std::wstring best;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        const std::wstring name = pathText(it->path().filename());
        std::error_code typeError;
        if (!iequals(name, fileName) || (wantFolder ? !it->is_directory(typeError) : !it->is_regular_file(typeError)))
            continue;
        if (name == fileName) return pathText(it->path());
        if (best.empty() || name < best) best = name;
    }
    return best.empty() ? std::wstring() : pathText(dir / filePath(best));
}

}  // namespace

bool filesInFolder(const std::wstring& folder, const std::wstring& extension, std::vector<std::wstring>& paths) {
    paths.clear();
    std::error_code ec;
    const fs::path dir = filePath(folder);
    if (folder.empty() || !fs::is_directory(dir, ec)) return false;
    std::vector<std::wstring> names;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        const std::wstring name = pathText(it->path().filename());
        std::error_code typeError;
        if (name.size() <= extension.size() || !it->is_regular_file(typeError)) continue;
        if (iequals(name.substr(name.size() - extension.size()), extension)) names.push_back(name);
    }
    if (ec) return false;
    std::sort(names.begin(), names.end());
    for (const std::wstring& name : names) paths.push_back(pathText(dir / filePath(name)));
    return true;
}

bool readFileBytes(const std::wstring& path, std::string& bytes) {
    std::ifstream file(filePath(path), std::ios::binary);
    if (!file) return false;
    bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    return !file.bad();
}

std::wstring findFileInFolder(const std::wstring& folder, const std::wstring& fileName) {
    return findEntryInFolder(folder, fileName, false);
}

std::wstring findFolderInFolder(const std::wstring& folder, const std::wstring& name) {
    return findEntryInFolder(folder, name, true);
}

std::wstring platformLibraryName(const std::wstring& name) {
#if defined(_WIN32)
    return name;
#else
    constexpr std::size_t kSuffix = 4;  // ".dll"
    if (name.size() > kSuffix && iequals(name.substr(name.size() - kSuffix), L".dll")) {
        return name.substr(0, name.size() - kSuffix) + L".so";
    }
    return name;
#endif
}

#if defined(_WIN32)

std::wstring hostLibraryDirectory() {
    HMODULE module = nullptr;
    if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            reinterpret_cast<LPCWSTR>(&kLibraryAnchor), &module)) {
        return {};
    }
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    return pathText(filePath(path).parent_path());
}

void* openLibrary(const std::wstring& path, std::wstring* error) {
    // No message boxes for a library whose dependencies are missing: the
    // caller reports the failure.
    DWORD previousMode = 0;
    SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &previousMode);
    HMODULE library = LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    const DWORD code = library ? 0 : GetLastError();
    SetThreadErrorMode(previousMode, nullptr);
    if (!library && error) *error = systemMessage(code);
    return reinterpret_cast<void*>(library);
}

void* librarySymbol(void* library, const char* name) {
    if (!library || !name) return nullptr;
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}

void closeLibrary(void* library) {
    if (library) FreeLibrary(static_cast<HMODULE>(library));
}

void* programSymbol(const char* name) { return librarySymbol(GetModuleHandleW(nullptr), name); }

#else

std::wstring hostLibraryDirectory() {
    Dl_info info{};
    if (!dladdr(&kLibraryAnchor, &info) || !info.dli_fname) return {};
    std::error_code ec;
    fs::path file = fs::absolute(fs::path(info.dli_fname), ec);
    if (ec) file = fs::path(info.dli_fname);
    return pathText(file.parent_path());
}

void* openLibrary(const std::wstring& path, std::wstring* error) {
    dlerror();
    void* library = dlopen(toUtf8(path).c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library && error) {
        const char* why = dlerror();
        *error = why ? fromUtf8(why) : L"the library could not be opened";
    }
    return library;
}

void* librarySymbol(void* library, const char* name) {
    if (!library || !name) return nullptr;
    return dlsym(library, name);
}

void closeLibrary(void* library) {
    if (library) dlclose(library);
}

void* programSymbol(const char* name) { return dlsym(RTLD_DEFAULT, name); }

#endif

void appendCodePoint(std::wstring& out, std::uint32_t cp) {
    if constexpr (sizeof(wchar_t) == 2) {
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(static_cast<wchar_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<wchar_t>(0xDC00 + (cp & 0x3FF)));
            return;
        }
    }
    out.push_back(static_cast<wchar_t>(cp));
}

}  // namespace plsim::detail
