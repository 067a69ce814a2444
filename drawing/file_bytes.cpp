// Reading a file whole: mapped into memory on POSIX systems (no copy of a large drawing), read
// elsewhere and for what cannot be mapped (an empty file, a pipe).
#include "drawing/file_bytes.h"

#include <fstream>
#include <system_error>

#if !defined(_WIN32)
#  include <fcntl.h>
#  include <sys/mman.h>
#  include <sys/stat.h>
#  include <unistd.h>
#endif

namespace plandor {

FileBytes::~FileBytes() {
#if !defined(_WIN32)
    if (m_map != nullptr) ::munmap(m_map, m_mapped);
#endif
}

bool FileBytes::open(const std::filesystem::path& path, std::wstring& error) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        error = L"is a folder";
        return false;
    }
#if !defined(_WIN32)
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat status {};
    if (fd >= 0 && ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && status.st_size > 0) {
        const auto size = static_cast<std::size_t>(status.st_size);
        void* map = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0);
        ::close(fd);
        if (map != MAP_FAILED) {
            m_map = map;
            m_mapped = size;
            m_bytes = std::string_view(static_cast<const char*>(map), size);
            return true;
        }
    } else if (fd >= 0) {
        ::close(fd);
    }
#endif
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = std::filesystem::exists(path, ec) ? L"cannot be read" : L"does not exist";
        return false;
    }
    char chunk[65536];
    while (in.read(chunk, sizeof chunk) || in.gcount() > 0) m_read.append(chunk, static_cast<std::size_t>(in.gcount()));
    if (in.bad()) {
        error = L"cannot be read in full";
        return false;
    }
    m_bytes = m_read;
    return true;
}

}  // namespace plandor
