// Helpers shared by the terrain tests: scratch directories and byte patching
// of map files.
#pragma once

#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace qm::test {

// A fresh directory under the system's temporary directory, removed with
// everything in it when the object goes.
class TempDir {
public:
    TempDir()
    {
        static std::atomic<int> counter{0};
        path_ = std::filesystem::temp_directory_path() /
                ("qm_terrain_" + std::to_string(::getpid()) + "_" + std::to_string(counter++));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempDir()
    {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

inline void patch16(std::vector<unsigned char>& bytes, std::size_t offset, std::uint32_t v)
{
    bytes[offset] = static_cast<unsigned char>(v & 0xFF);
    bytes[offset + 1] = static_cast<unsigned char>(v >> 8 & 0xFF);
}

inline void patch32(std::vector<unsigned char>& bytes, std::size_t offset, std::uint32_t v)
{
    patch16(bytes, offset, v & 0xFFFF);
    patch16(bytes, offset + 2, v >> 16);
}

}  // namespace qm::test
