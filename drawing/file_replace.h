// Replacing a file whole: the new contents go to a file beside it, which takes its place only when complete.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

namespace plandor {

/// Writes `bytes` to `path`, replacing the file there, so that the old file
/// stays as it was unless the new one was written in full: the bytes go to a
/// new file in the same folder, flushed to the disk and renamed over `path`
/// at the end (the folder's record of the rename flushed too). A
/// `path` that is a symbolic link replaces the file it points to; one that is
/// no regular file (a device, a pipe) is written into as it is. False, with a
/// message for the user in `error`, when the file cannot be replaced; no file
/// of the attempt is left behind.
bool replaceFile(const std::filesystem::path& path, std::string_view bytes, std::wstring& error);

/// replaceFile written a part at a time: open, write the parts, commit. A replacement that is
/// not committed leaves the file it would replace as it was, and no file of the attempt.
class FileReplacement {
public:
    explicit FileReplacement(std::filesystem::path path);
    ~FileReplacement();
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    /// Makes the new file; false, with why not in `error`, when none can be made.
    bool open(std::wstring& error);
    /// Appends `bytes`; a write that fails is told by commit.
    void write(std::string_view bytes);
    /// Puts the new file in the place of the old one; false, with why not in `error`.
    bool commit(std::wstring& error);

private:
    std::filesystem::path m_path, m_target, m_fresh;
    std::filesystem::file_status m_existing;
    std::FILE* m_file = nullptr;
    bool m_inPlace = false;  ///< a device or a pipe, written into as it is
    int m_failure = 0;       ///< the errno of the first write that failed
};

}  // namespace plandor
