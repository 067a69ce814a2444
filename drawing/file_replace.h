// Replacing a file whole: the new contents go to a file beside it, which takes its place only when complete.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

namespace plandor {

/// A file replaced piece by piece, for contents too large to hold at once: the pieces go to a
/// new file beside the target, which takes its place on commit(). Destroyed without a
/// commit, it removes the new file and leaves the target as it was. A target that is no
/// regular file (a device, a pipe) is written into as it is.
class FileReplacement {
public:
    FileReplacement() = default;
    ~FileReplacement();
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    /// Starts replacing `path`; false, with a message for the user in error(), when no new
    /// file can be made.
    bool open(const std::filesystem::path& path);
    /// Appends `bytes`; false once anything failed.
    bool write(std::string_view bytes);
    /// Sees the new contents to the disk and puts them in the target's place; false, with
    /// error(), when that fails (no file of the attempt is left behind).
    bool commit();
    const std::wstring& error() const { return m_error; }

private:
    void abandon();

    std::FILE* m_file = nullptr;
    std::filesystem::path m_target, m_fresh;  ///< m_fresh empty: writing into the target itself
    bool m_failed = false;
    int m_failure = 0;  ///< errno of the first failed write
    std::wstring m_error;
};

/// Writes `bytes` to `path`, replacing the file there, so that the old file
/// stays as it was unless the new one was written in full: the bytes go to a
/// new file in the same folder, which is renamed over `path` at the end. A
/// `path` that is a symbolic link replaces the file it points to; one that is
/// no regular file (a device, a pipe) is written into as it is. False, with a
/// message for the user in `error`, when the file cannot be replaced; no file
/// of the attempt is left behind.
bool replaceFile(const std::filesystem::path& path, std::string_view bytes, std::wstring& error);

}  // namespace plandor
