// Files of every kind, made in a test's own scratch folder: copies of the
// system's devices made with mknod (so no test can write to the real ones),
// pipes, links, link loops, and a folder on the way that is a file.
#pragma once

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

namespace qm::test {

// Linux's memory devices, by minor number under major 1.
enum class Device { null = 3, zero = 5, full = 7 };

inline std::string make_device(const std::string& path, Device device)
{
    EXPECT_EQ(::mknod(path.c_str(), S_IFCHR | 0666, makedev(1, static_cast<unsigned>(device))), 0) << path;
    return path;
}

inline std::string make_fifo(const std::string& path)
{
    EXPECT_EQ(::mkfifo(path.c_str(), 0644), 0) << path;
    return path;
}

inline std::string make_link(const std::string& path, const std::string& to)
{
    std::filesystem::create_symlink(to, path);
    return path;
}

// Two links that lead to each other.
inline std::string make_link_loop(const std::string& path)
{
    make_link(path, path + ".other");
    make_link(path + ".other", path);
    return path;
}

inline std::string make_text(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

}  // namespace qm::test
