// Handing screenshot files to the browser.
#include "web/web_screenshots.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "shell/screenshot.h"
#include "sim/practice.h"
#include "web/web_js.h"

namespace qm {

void WebScreenshots::offer_new()
{
    if (!expected_) return;
    expected_ = false;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(screenshot_folder, error)) {
        const std::string name = entry.path().filename().string();
        if (entry.path().extension() != ".png" || !offered_.insert(name).second) continue;
        std::ifstream file(entry.path(), std::ios::binary);
        const std::vector<char> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
        web::download(name.c_str(), reinterpret_cast<const std::uint8_t*>(bytes.data()), static_cast<int>(bytes.size()));
        // The file the desktop would keep is the browser's download here.
        show_notice(world_, ("Screenshot downloaded: " + name).c_str());
    }
}

}  // namespace qm
