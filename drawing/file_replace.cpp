// Replacing a file whole: the new contents go to a file beside it, which takes its place only when complete.
#include "drawing/file_replace.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <system_error>

#include "drawing/utf8.h"

#if defined(_WIN32)
#  include <fcntl.h>
#  include <io.h>
#  include <sys/stat.h>
#  include <windows.h>
#else
#  include <fcntl.h>
#  include <unistd.h>
#endif

namespace plandor {

namespace {

/// How many names beside the target are tried before giving up.
constexpr int kNameAttempts = 100;

std::wstring systemError(int number) { return fromUtf8(std::strerror(number)); }

/// Creates `path`, which must not exist yet (not even as a link), for writing;
/// null with errno set when it cannot.
std::FILE* createNew(const std::filesystem::path& path) {
#if defined(_WIN32)
    const int fd = _wopen(path.c_str(), _O_CREAT | _O_EXCL | _O_WRONLY | _O_BINARY, _S_IREAD | _S_IWRITE);
    std::FILE* file = fd < 0 ? nullptr : _fdopen(fd, "wb");
#else
    const int fd = ::open(path.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0666);
    std::FILE* file = fd < 0 ? nullptr : ::fdopen(fd, "wb");
#endif
    if (fd >= 0 && file == nullptr) {
        const int failure = errno;
#if defined(_WIN32)
        _close(fd);
#else
        ::close(fd);
#endif
        std::error_code ec;
        std::filesystem::remove(path, ec);
        errno = failure;
    }
    return file;
}

/// Sees what was written to `file` to the disk; false with errno set when that fails.
bool syncToDisk(std::FILE* file) {
#if defined(_WIN32)
    return _commit(_fileno(file)) == 0;
#else
    return ::fsync(::fileno(file)) == 0;
#endif
}

/// Writes `bytes` into `file` and closes it, with `toDisk` seeing them to the
/// disk first. False, with the reason, when any of it fails.
bool writeAndClose(std::FILE* file, std::string_view bytes, bool toDisk, std::wstring& reason) {
    bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size() && std::fflush(file) == 0 &&
                   (!toDisk || syncToDisk(file));
    int failure = written ? 0 : errno;
    if (std::fclose(file) != 0 && written) {
        written = false;
        failure = errno;
    }
    if (!written) {
        reason = systemError(failure);
    }
    return written;
}

/// Puts `from` in the place of `to`, replacing a file there in one step.
bool moveOver(const std::filesystem::path& from, const std::filesystem::path& to, std::wstring& reason) {
#if defined(_WIN32)
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return true;
    }
    reason = L"Windows error " + std::to_wstring(GetLastError());
    return false;
#else
    std::error_code ec;
    std::filesystem::rename(from, to, ec);
    reason = ec ? fromUtf8(ec.message()) : std::wstring();
    return !ec;
#endif
}

/// Sees the folder's record of the file moved into place to the disk, so that the new name
/// outlasts a crash too. On Windows the move itself writes through.
void syncFolderOf(const std::filesystem::path& file) {
#if !defined(_WIN32)
    const std::filesystem::path folder = file.has_parent_path() ? file.parent_path() : std::filesystem::path(".");
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    static_cast<void>(::fsync(fd));  // the file is complete in its place already
    ::close(fd);
#else
    static_cast<void>(file);
#endif
}

}  // namespace

bool replaceFile(const std::filesystem::path& path, std::string_view bytes, std::wstring& error) {
    std::error_code ec;
    const std::filesystem::file_status existing = std::filesystem::status(path, ec);
    if (!ec && std::filesystem::exists(existing) && !std::filesystem::is_regular_file(existing)) {
        // No file to replace (a device, a pipe): written into as it is.
#if defined(_WIN32)
        std::FILE* file = _wfopen(path.c_str(), L"wb");
#else
        std::FILE* file = std::fopen(path.c_str(), "wb");
#endif
        if (file == nullptr) {
            error = systemError(errno);
            return false;
        }
        return writeAndClose(file, bytes, false, error);
    }
    std::filesystem::path target = path;
    if (std::filesystem::is_symlink(path, ec)) {
        const std::filesystem::path resolved = std::filesystem::weakly_canonical(path, ec);
        if (!ec) {
            target = resolved;
        }
    }

    std::filesystem::path fresh;
    std::FILE* file = nullptr;
    for (int attempt = 0; attempt < kNameAttempts && file == nullptr; ++attempt) {
        fresh = target;
        fresh += L".new" + (attempt == 0 ? std::wstring() : std::to_wstring(attempt));
        file = createNew(fresh);
        if (file == nullptr && errno != EEXIST) {
            break;
        }
    }
    if (file == nullptr) {
        error = L"no new file can be made beside it (" + systemError(errno) + L")";
        return false;
    }

    std::wstring reason;
    if (!writeAndClose(file, bytes, true, reason)) {
        error = L"the new contents could not be written in full (" + reason + L")";
        std::filesystem::remove(fresh, ec);
        return false;
    }
    // The new file keeps the permissions of the one it replaces.
    if (std::filesystem::exists(existing)) {
        std::filesystem::permissions(fresh, existing.permissions(), ec);
    }
    if (!moveOver(fresh, target, reason)) {
        error = L"the new file could not take the old one's place (" + reason + L")";
        std::filesystem::remove(fresh, ec);
        return false;
    }
    syncFolderOf(target);
    return true;
}

}  // namespace plandor
