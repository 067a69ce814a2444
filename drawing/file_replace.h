// Replacing a file whole: the new contents go to a file beside it, which takes its place only when complete.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace plandor {

/// Writes `bytes` to `path`, replacing the file there, so that the old file
/// stays as it was unless the new one was written in full: the bytes go to a
/// new file in the same folder, which is renamed over `path` at the end. A
/// `path` that is a symbolic link replaces the file it points to; one that is
/// no regular file (a device, a pipe) is written into as it is. False, with a
/// message for the user in `error`, when the file cannot be replaced; no file
/// of the attempt is left behind. A file whose permissions let nobody write it
/// (read-only on Windows) is not replaced.
bool replaceFile(const std::filesystem::path& path, std::string_view bytes, std::wstring& error);

/// Why replaceFile could not write `path` now, as a sentence for the user: it
/// names a folder, its folder does not exist, it is read-only, or no new file
/// can be made beside it (a folder the user cannot write). Empty when nothing
/// speaks against it. To find out, a new file is made beside it and removed.
std::wstring replaceFileProblem(const std::filesystem::path& path);

}  // namespace plandor
