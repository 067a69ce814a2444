// Replacing a file whole: the new contents go to a file beside it, which takes its place only when complete.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

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
    /// Sees the new contents to the disk and closes them, not yet in the target's place;
    /// false, with error(), when that fails (no file of the attempt is left behind).
    bool finish();
    /// Finishes, then puts the new contents in the target's place; false, with error(), when
    /// that fails (no file of the attempt is left behind).
    bool commit();
    const std::wstring& error() const { return m_error; }

private:
    void abandon();

    std::FILE* m_file = nullptr;
    std::filesystem::path m_target, m_fresh;  ///< m_fresh empty: writing into the target itself
    bool m_finished = false;  ///< finished and not yet committed
    bool m_failed = false;
    int m_failure = 0;  ///< errno of the first failed write
    std::wstring m_error;
};

/// Writes `bytes` to `path`, replacing the file there, so that the old file
/// stays as it was unless the new one was written in full: the bytes go to a
/// new file in the same folder, flushed to the disk and renamed over `path`
/// at the end (the folder's record of the rename flushed too). A
/// `path` that is a symbolic link replaces the file it points to; one that is
/// no regular file (a device, a pipe) is written into as it is. False, with a
/// message for the user in `error`, when the file cannot be replaced; no file
/// of the attempt is left behind. A file whose permissions let nobody write it
/// (read-only on Windows) is not replaced.
bool replaceFile(const std::filesystem::path& path, std::string_view bytes, std::wstring& error);

struct FileContents {
    std::filesystem::path path;
    std::string_view bytes;
};

/// Writes several files as replaceFile writes one, so that none replaces an older file
/// before all are written: each goes in full to a new file beside its place, then they take
/// their places in the order given (a file that refers to the others goes last). False, with
/// a message in `error` and the position of the file it concerns in `failed`, when one
/// cannot be written; then no older file has been replaced, unless a later one could not take its
/// place after earlier ones did. No new file of the attempt is left behind.
bool replaceFiles(const std::vector<FileContents>& files, std::wstring& error, std::size_t& failed);

/// Why replaceFile could not write `path` now, as a sentence for the user: it
/// names a folder, its folder does not exist, it is read-only, or no new file
/// can be made beside it (a folder the user cannot write). Empty when nothing
/// speaks against it. To find out, a new file is made beside it and removed.
std::wstring replaceFileProblem(const std::filesystem::path& path);

}  // namespace plandor
