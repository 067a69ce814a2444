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

/// The file a replacement of `path` puts in place: the file a symbolic link points to, or
/// `path` itself.
std::filesystem::path replacedFile(const std::filesystem::path& path) {
    std::error_code ec;
    if (std::filesystem::is_symlink(path, ec)) {
        const std::filesystem::path resolved = std::filesystem::weakly_canonical(path, ec);
        if (!ec) return resolved;
    }
    return path;
}

/// Creates a new file beside `target` ("FILE.new", or "FILE.new1" and so on when that is
/// taken) and names it in `fresh`; null with errno set when none can be made.
std::FILE* createBeside(const std::filesystem::path& target, std::filesystem::path& fresh) {
    std::FILE* file = nullptr;
    for (int attempt = 0; attempt < kNameAttempts && file == nullptr; ++attempt) {
        fresh = target;
        fresh += L".new" + (attempt == 0 ? std::wstring() : std::to_wstring(attempt));
        file = createNew(fresh);
        if (file == nullptr && errno != EEXIST) break;
    }
    return file;
}

/// Whether the permissions of a file grant nobody the writing of it (on Windows: its
/// read-only attribute).
bool writeProtected(const std::filesystem::file_status& status) {
    using std::filesystem::perms;
    return (status.permissions() & (perms::owner_write | perms::group_write | perms::others_write)) == perms::none;
}

}  // namespace

FileReplacement::~FileReplacement() { abandon(); }

void FileReplacement::abandon() {
    if (m_file != nullptr) {
        std::fclose(m_file);
        m_file = nullptr;
    }
    if (!m_fresh.empty()) {
        std::error_code ec;
        std::filesystem::remove(m_fresh, ec);
        m_fresh.clear();
    }
}

bool FileReplacement::open(const std::filesystem::path& path) {
    abandon();
    m_finished = false;
    m_failed = false;
    m_failure = 0;
    m_error.clear();
    std::error_code ec;
    const std::filesystem::file_status existing = std::filesystem::status(path, ec);
    if (!ec && std::filesystem::is_directory(existing)) {
        m_error = L"it is a folder, not a file";
        return false;
    }
    if (!ec && std::filesystem::exists(existing) && !std::filesystem::is_regular_file(existing)) {
        // No file to replace (a device, a pipe): written into as it is.
#if defined(_WIN32)
        m_file = _wfopen(path.c_str(), L"wb");
#else
        m_file = std::fopen(path.c_str(), "wb");
#endif
        if (m_file == nullptr) m_error = systemError(errno);
        m_target = path;
        return m_file != nullptr;
    }
    if (!ec && std::filesystem::exists(existing) && writeProtected(existing)) {
        // Replaced whole, it could be written where its permissions say no (its folder
        // decides on Linux); its protection holds on every platform alike.
        m_error = L"it is read-only";
        return false;
    }
    m_target = replacedFile(path);
    std::filesystem::path fresh;
    m_file = createBeside(m_target, fresh);
    if (m_file == nullptr) {
        m_error = L"no new file can be made beside it (" + systemError(errno) + L")";
        return false;
    }
    m_fresh = fresh;
    return true;
}

bool FileReplacement::write(std::string_view bytes) {
    if (m_file == nullptr || m_failed) return false;
    if (std::fwrite(bytes.data(), 1, bytes.size(), m_file) != bytes.size()) {
        m_failed = true;
        m_failure = errno;
    }
    return !m_failed;
}

bool FileReplacement::finish() {
    if (m_file == nullptr) return m_finished;
    const bool intoTarget = m_fresh.empty();
    bool written = !m_failed && std::fflush(m_file) == 0 && (intoTarget || syncToDisk(m_file));
    int failure = m_failed ? m_failure : (written ? 0 : errno);
    if (std::fclose(m_file) != 0 && written) {
        written = false;
        failure = errno;
    }
    m_file = nullptr;
    if (!written) {
        m_error = intoTarget ? systemError(failure)
                             : L"the new contents could not be written in full (" + systemError(failure) + L")";
        abandon();
        return false;
    }
    m_finished = true;
    return true;
}

bool FileReplacement::commit() {
    if (!finish()) return false;
    m_finished = false;
    if (m_fresh.empty()) return true;
    // The new file keeps the permissions of the one it replaces.
    std::error_code ec;
    const std::filesystem::file_status existing = std::filesystem::status(m_target, ec);
    if (!ec && std::filesystem::exists(existing)) {
        std::filesystem::permissions(m_fresh, existing.permissions(), ec);
    }
    std::wstring reason;
    if (!moveOver(m_fresh, m_target, reason)) {
        m_error = L"the new file could not take the old one's place (" + reason + L")";
        abandon();
        return false;
    }
    m_fresh.clear();
    syncFolderOf(m_target);
    return true;
}

bool replaceFile(const std::filesystem::path& path, std::string_view bytes, std::wstring& error) {
    FileReplacement file;
    if (file.open(path)) {
        static_cast<void>(file.write(bytes));  // a failed write is reported by the commit
        if (file.commit()) return true;
    }
    error = file.error();
    return false;
}

bool replaceFiles(const std::vector<FileContents>& files, std::wstring& error, std::size_t& failed) {
    std::vector<FileReplacement> replacements(files.size());
    std::size_t i = 0;
    for (; i < files.size(); ++i) {
        FileReplacement& file = replacements[i];
        if (!file.open(files[i].path)) break;
        static_cast<void>(file.write(files[i].bytes));  // a failed write is reported by finish
        if (!file.finish()) break;
    }
    if (i == files.size()) {
        for (i = 0; i < files.size() && replacements[i].commit(); ++i) {
        }
    }
    failed = i;
    if (i < files.size()) error = replacements[i].error();
    return i == files.size();
}

std::wstring replaceFileProblem(const std::filesystem::path& path) {
    std::error_code ec;
    const std::filesystem::file_status existing = std::filesystem::status(path, ec);
    if (std::filesystem::is_directory(existing)) return L"it is a folder, not a file.";
    const std::filesystem::path target = replacedFile(path);
    const std::filesystem::path folder = target.parent_path();
    if (!folder.empty() && !std::filesystem::is_directory(folder, ec)) {
        return L"the folder \"" + pathText(folder) + L"\" does not exist.";
    }
    if (std::filesystem::exists(existing) && !std::filesystem::is_regular_file(existing)) {
        return {};  // a device or a pipe, written into as it is at the end
    }
    if (std::filesystem::exists(existing) && writeProtected(existing)) return L"it is read-only.";
    // What the replacement will need: a new file in the folder.
    std::filesystem::path fresh;
    std::FILE* file = createBeside(target, fresh);
    if (file == nullptr) {
        return L"no new file can be made in its folder (" + systemError(errno) + L").";
    }
    std::fclose(file);
    std::filesystem::remove(fresh, ec);
    return {};
}

}  // namespace plandor
