// The files a session reads and writes, checked before it starts: an output that cannot be
// written, or that would replace another option's file, is refused before any work is done.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace plandor {

/// The files the options name. Each output option checks its file here when
/// plandor starts, under its own name ("--dump", "--plan"), so that a session's
/// work is not lost to a file found unwritable only at its end.
class SessionFiles {
public:
    /// Notes a file the session reads (--script): no output may replace it.
    void reads(const std::wstring& option, const std::filesystem::path& path);
    /// Checks that the file of the output option `option` can be written when
    /// the session ends, and claims it. Empty when it can; otherwise a message
    /// for the user naming the option and the file: its folder is missing or
    /// cannot be written, it is a folder or read-only (see replaceFileProblem),
    /// or it is the file of an option noted or claimed before (a device, such
    /// as the null device, may take several).
    [[nodiscard]] std::wstring writes(const std::wstring& option, const std::filesystem::path& path);

private:
    struct Claim {
        std::wstring option;
        std::filesystem::path path;
    };
    std::vector<Claim> m_claims;
};

/// Whether `a` and `b` name one file: the same file where both exist, else the
/// same absolute path (ignoring letter case on Windows).
bool sameFile(const std::filesystem::path& a, const std::filesystem::path& b);

}  // namespace plandor
