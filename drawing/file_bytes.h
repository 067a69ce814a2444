// Reading a file whole, as its bytes: mapped into memory where the system can, read otherwise.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace plandor {

/// The bytes of a file, held while the object lives.
class FileBytes {
public:
    FileBytes() = default;
    ~FileBytes();
    FileBytes(const FileBytes&) = delete;
    FileBytes& operator=(const FileBytes&) = delete;

    /// Reads the file at `path`; false, with why not in `error` ("does not exist", "is a
    /// folder", ...), when it cannot be read in full.
    bool open(const std::filesystem::path& path, std::wstring& error);
    std::string_view bytes() const { return m_bytes; }

private:
    std::string_view m_bytes;
    std::string m_read;       ///< the bytes when they were read
    void* m_map = nullptr;    ///< the mapping when they were mapped
    std::size_t m_mapped = 0;
};

}  // namespace plandor
