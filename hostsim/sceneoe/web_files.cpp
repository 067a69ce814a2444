// Photometric web files: finding one by name (LightingUtil::GetIESFileFullPath) in the current
// folder and the web search path, and reading it.
#include "hostsim/sceneoe/web_files.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>
#include <utility>

#include "host/plscene.h"
#include "hostsim/internal.h"

namespace plsim::scene {
namespace {

namespace fs = std::filesystem;

/// Larger files are refused unread: the largest real web files hold a few hundred kilobytes.
constexpr std::uintmax_t kMostBytes = 64u * 1024u * 1024u;

std::vector<std::wstring>& searchPath() {
    static auto* folders = new std::vector<std::wstring>;
    return *folders;
}

/// The full path of the regular file `candidate`, found with the letter case of its name
/// ignored as the host's own file system ignores it; empty when there is none.
std::wstring existingFile(const fs::path& candidate) {
    std::error_code ec;
    fs::path found;
    if (fs::is_regular_file(candidate, ec)) {
        found = candidate;
    } else if (candidate.has_filename()) {
        const fs::path folder = candidate.has_parent_path() ? candidate.parent_path() : fs::path(".");
        const std::wstring match =
            detail::findFileInFolder(detail::pathText(folder), detail::pathText(candidate.filename()));
        if (match.empty()) return {};
        found = detail::filePath(match);
    } else {
        return {};
    }
    const fs::path full = fs::absolute(found, ec);
    return detail::pathText(ec ? found : full.lexically_normal());
}

}  // namespace

void setWebSearchPath(std::vector<std::wstring> folders) { searchPath() = std::move(folders); }

std::vector<std::wstring> webSearchPath() { return searchPath(); }

std::optional<std::string> readWebFileBytes(const std::wstring& path, std::wstring& error) {
    const fs::path file = detail::filePath(path);
    std::error_code ec;
    const std::uintmax_t size = fs::file_size(file, ec);
    if (ec) {
        error = L"cannot read \"" + path + L"\"";
        return std::nullopt;
    }
    if (size > kMostBytes) {
        error = L"\"" + path + L"\" is too large to be a web file";
        return std::nullopt;
    }
    std::ifstream in(file, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in.good() && !in.eof()) {
        error = L"cannot read \"" + path + L"\"";
        return std::nullopt;
    }
    return text;
}

std::optional<PhotometricWeb> readWebFile(const std::wstring& path, std::wstring& error) {
    const std::optional<std::string> text = readWebFileBytes(path, error);
    if (!text) return std::nullopt;
    return readPhotometricWeb(*text, detail::pathText(detail::filePath(path).filename()), error);
}

}  // namespace plsim::scene

// An absolute name names itself; a relative one is looked for in the current folder, then
// in each folder of the web search path. A name not found as typed is looked for again with
// ".ies" appended. The document plays no part: the stand-in's drawings have no folder.
PlString LightingUtil::GetIESFileFullPath(const wchar_t* fileName, PlApDocument* /*document*/) {
    namespace fs = std::filesystem;
    const std::wstring name = fileName ? fileName : L"";
    if (name.empty()) return PlString();
    std::vector<fs::path> folders;
    const fs::path typed = plsim::detail::filePath(name);
    if (typed.is_absolute()) {
        folders.emplace_back();
    } else {
        folders.emplace_back(".");
        for (const std::wstring& folder : plsim::scene::searchPath()) folders.push_back(plsim::detail::filePath(folder));
    }
    for (const wchar_t* suffix : {L"", L".ies"}) {
        const fs::path candidateName = plsim::detail::filePath(name + suffix);
        for (const fs::path& folder : folders) {
            const std::wstring found = plsim::scene::existingFile(folder.empty() ? candidateName : folder / candidateName);
            if (!found.empty()) return PlString(found);
        }
    }
    return PlString();
}
