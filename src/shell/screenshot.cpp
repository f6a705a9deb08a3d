// Naming and writing screenshots, and the F12 action around them.
#include "shell/screenshot.h"

#include <filesystem>
#include <system_error>

#include "raster/png_writer.h"
#include "sim/practice.h"
#include "sim/world.h"

namespace qm {

namespace {

// More shots than this within one second are refused rather than searched on.
constexpr int max_same_second = 100;

bool exists(const std::string& path)
{
    std::error_code error;
    return std::filesystem::exists(path, error);
}

}  // namespace

bool save_screenshot(const Surface& frame, const char* folder, const std::tm& when, std::string& path,
                     std::string& error)
{
    // A folder already there is used; anything else already there under its
    // name fails the write below, which says why.
    std::error_code made;
    std::filesystem::create_directory(folder, made);
    if (made && made != std::errc::file_exists) {
        error = std::string("cannot make ") + folder + ": " + made.message();
        return false;
    }
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d_%H-%M-%S", &when);
    const std::string base = std::string(folder) + "/" + stamp;
    path = base + ".png";
    for (int n = 2; exists(path); ++n) {
        if (n > max_same_second) {
            error = "cannot write " + path + ": too many screenshots within one second";
            return false;
        }
        path = base + "-" + std::to_string(n) + ".png";
    }

    std::string why;
    if (!write_png(frame, path.c_str(), why)) {
        error = "cannot write " + path + ": " + why;
        return false;
    }
    return true;
}

void take_screenshot(World& world, Platform& platform)
{
    const std::time_t now = std::time(nullptr);
    std::tm when{};
#ifdef _WIN32
    localtime_s(&when, &now);
#else
    localtime_r(&now, &when);
#endif
    std::string path;
    std::string error;
    if (save_screenshot(world.memoria, screenshot_folder, when, path, error)) {
        show_notice(world, ("Screenshot saved: " + path).c_str());
    } else {
        show_notice(world, ("Screenshot failed: " + error).c_str());
        platform.report_error(("qmsim: screenshot: " + error).c_str());
    }
}

}  // namespace qm
