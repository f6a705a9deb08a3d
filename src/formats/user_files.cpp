// The user's folders, from the environment.
#include "formats/user_files.h"

#include <cstdlib>
#include <filesystem>

namespace qm {

namespace {

constexpr const char* program_folder = "qmsim";

}  // namespace

bool user_file_path(UserFolder folder, const char* name, const char* option, std::string& path, std::string& reason)
{
#ifdef _WIN32
    (void)folder;
    const char* appdata = std::getenv("APPDATA");
    if (appdata == nullptr || appdata[0] == '\0') {
        reason = std::string("APPDATA is not set; use ") + option;
        return false;
    }
    path = std::string(appdata) + "\\" + program_folder + "\\" + name;
    return true;
#else
    const bool data = folder == UserFolder::data;
    const char* variable = data ? "XDG_DATA_HOME" : "XDG_CONFIG_HOME";
    const char* base = std::getenv(variable);
    if (base != nullptr && base[0] == '/') {
        path = std::string(base) + "/" + program_folder + "/" + name;
        return true;
    }
    const char* home = std::getenv("HOME");
    if (home == nullptr || home[0] == '\0') {
        reason = std::string("neither ") + variable + " nor HOME is set; use " + option;
        return false;
    }
    path = std::string(home) + (data ? "/.local/share/" : "/.config/") + program_folder + "/" + name;
    return true;
#endif
}

bool make_folder_of(const std::string& path, std::string& reason)
{
    std::error_code code;
    const std::filesystem::path parent = std::filesystem::path(path).parent_path();
    if (!parent.empty()) std::filesystem::create_directories(parent, code);
    if (!code) return true;
    reason = "cannot make " + parent.string() + ": " + code.message();
    return false;
}

}  // namespace qm
