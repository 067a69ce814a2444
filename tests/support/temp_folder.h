// A folder of files for one test, removed when the test ends.
#pragma once

#include <atomic>
#include <filesystem>
#include <fstream>
#include <string>

class TempFolder {
public:
    TempFolder() : m_path(std::filesystem::temp_directory_path() / name()) { std::filesystem::create_directories(m_path); }
    ~TempFolder() { std::error_code ec; std::filesystem::remove_all(m_path, ec); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    std::wstring wide() const { return m_path.wstring(); }
    /// Writes `bytes` to the file `name` (ASCII; folders made as needed) and answers its path.
    std::wstring write(const std::string& name, const std::string& bytes) const {
        const std::filesystem::path file = m_path / name;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << bytes;
        return file.wstring();
    }

private:
    static std::string name() {
        static std::atomic<int> made{0};
        return "pl-test-" + std::to_string(std::filesystem::file_time_type::clock::now().time_since_epoch().count() & 0xFFFFFFF) + "-" + std::to_string(made++);
    }
    std::filesystem::path m_path;
};
