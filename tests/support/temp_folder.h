// A folder of files for one test, removed when the test ends; names are narrow (ASCII).
#pragma once

#include <atomic>
#include <filesystem>
#include <fstream>
#include <string>

class TempFolder {
public:
    TempFolder() {
        static std::atomic<int> made{0};
        const auto ticks = std::filesystem::file_time_type::clock::now().time_since_epoch().count();
        m_path = std::filesystem::temp_directory_path() /
                 ("pl-test-" + std::to_string(ticks) + "-" + std::to_string(made++));
        std::filesystem::create_directories(m_path);
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    /// Writes `bytes` to `name` (folders made as needed); answers the file's full path as wide text.
    std::wstring write(const std::string& name, const std::string& bytes) const {
        const std::filesystem::path file = m_path / name;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << bytes;
        return file.wstring();
    }
    std::wstring wide() const { return m_path.wstring(); }

private:
    std::filesystem::path m_path;
};
