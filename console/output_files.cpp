// The files a session reads and writes, checked before it starts: an output that cannot be
// written, or that would replace another option's file, is refused before any work is done.
#include "console/output_files.h"

#include <algorithm>
#include <cwctype>
#include <system_error>

#include "drawing/file_replace.h"
#include "drawing/utf8.h"

namespace plandor {

namespace {

/// The absolute form of `path` with the links of its existing part resolved.
std::wstring resolvedText(const std::filesystem::path& path) {
    std::error_code ec;
    std::filesystem::path resolved = std::filesystem::weakly_canonical(path, ec);
    if (ec) resolved = std::filesystem::absolute(path, ec).lexically_normal();
    std::wstring text = pathText(resolved);
#if defined(_WIN32)
    std::transform(text.begin(), text.end(), text.begin(), [](wchar_t c) { return std::towlower(c); });
#endif
    return text;
}

}  // namespace

bool sameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
    std::error_code ec;
    if (std::filesystem::exists(a, ec) && std::filesystem::exists(b, ec)) {
        return std::filesystem::equivalent(a, b, ec) && !ec;
    }
    return resolvedText(a) == resolvedText(b);
}

void SessionFiles::reads(const std::wstring& option, const std::filesystem::path& path) {
    m_claims.push_back({option, path});
}

std::wstring SessionFiles::writes(const std::wstring& option, const std::filesystem::path& path) {
    const std::wstring head = option + L": cannot write \"" + pathText(path) + L"\": ";
    // A device (the null device, a terminal) takes what each option writes.
    std::error_code ec;
    const bool device = std::filesystem::exists(path, ec) && !std::filesystem::is_regular_file(path, ec);
    for (const Claim& claim : m_claims) {
        if (!device && sameFile(claim.path, path)) {
            return head + L"it is the file of " + claim.option + L"; give each its own.";
        }
    }
    if (const std::wstring problem = replaceFileProblem(path); !problem.empty()) return head + problem;
    m_claims.push_back({option, path});
    return {};
}

}  // namespace plandor
