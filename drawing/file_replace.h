// Replacing a file whole: the new contents go to a file beside it, which takes its place only when complete.
#pragma once

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

}  // namespace plandor
