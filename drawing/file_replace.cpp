// Replacing a file whole: the new contents go to a file beside it, which takes its place only when complete.
#include "drawing/file_replace.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <system_error>
#include <utility>

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

/// Sees what was written to `file` to the disk when `toDisk`, and closes it. False, with the
/// reason, when that or an earlier write (`failure`, its errno) failed.
bool finishAndClose(std::FILE* file, int failure, bool toDisk, std::wstring& reason) {
    bool written = failure == 0 && std::fflush(file) == 0 && (!toDisk || syncToDisk(file));
    if (!written && failure == 0) failure = errno;
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

FileReplacement::FileReplacement(std::filesystem::path path) : m_path(std::move(path)) {}

FileReplacement::~FileReplacement() {
    if (m_file == nullptr) return;
    std::fclose(m_file);
    std::error_code ec;
    if (!m_inPlace) std::filesystem::remove(m_fresh, ec);
}

bool FileReplacement::open(std::wstring& error) {
    std::error_code ec;
    m_existing = std::filesystem::status(m_path, ec);
    if (!ec && std::filesystem::exists(m_existing) && !std::filesystem::is_regular_file(m_existing)) {
        // No file to replace (a device, a pipe): written into as it is.
        m_inPlace = true;
#if defined(_WIN32)
        m_file = _wfopen(m_path.c_str(), L"wb");
#else
        m_file = std::fopen(m_path.c_str(), "wb");
#endif
        if (m_file == nullptr) error = systemError(errno);
        return m_file != nullptr;
    }
    m_target = m_path;
    if (std::filesystem::is_symlink(m_path, ec)) {
        const std::filesystem::path resolved = std::filesystem::weakly_canonical(m_path, ec);
        if (!ec) {
            m_target = resolved;
        }
    }
    for (int attempt = 0; attempt < kNameAttempts && m_file == nullptr; ++attempt) {
        m_fresh = m_target;
        m_fresh += L".new" + (attempt == 0 ? std::wstring() : std::to_wstring(attempt));
        m_file = createNew(m_fresh);
        if (m_file == nullptr && errno != EEXIST) {
            break;
        }
    }
    if (m_file == nullptr) {
        error = L"no new file can be made beside it (" + systemError(errno) + L")";
        return false;
    }
    return true;
}

void FileReplacement::write(std::string_view bytes) {
    if (m_file != nullptr && m_failure == 0 && std::fwrite(bytes.data(), 1, bytes.size(), m_file) != bytes.size()) {
        m_failure = errno != 0 ? errno : EIO;
    }
}

bool FileReplacement::commit(std::wstring& error) {
    std::FILE* const file = std::exchange(m_file, nullptr);
    if (file == nullptr) return false;
    std::wstring reason;
    if (m_inPlace) {
        if (finishAndClose(file, m_failure, false, reason)) return true;
        error = reason;
        return false;
    }
    std::error_code ec;
    if (!finishAndClose(file, m_failure, true, reason)) {
        error = L"the new contents could not be written in full (" + reason + L")";
        std::filesystem::remove(m_fresh, ec);
        return false;
    }
    // The new file keeps the permissions of the one it replaces.
    if (std::filesystem::exists(m_existing)) {
        std::filesystem::permissions(m_fresh, m_existing.permissions(), ec);
    }
    if (!moveOver(m_fresh, m_target, reason)) {
        error = L"the new file could not take the old one's place (" + reason + L")";
        std::filesystem::remove(m_fresh, ec);
        return false;
    }
    syncFolderOf(m_target);
    return true;
}

bool replaceFile(const std::filesystem::path& path, std::string_view bytes, std::wstring& error) {
    FileReplacement replacement(path);
    if (!replacement.open(error)) return false;
    replacement.write(bytes);
    return replacement.commit(error);
}

}  // namespace plandor
