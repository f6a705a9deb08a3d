// Where the files a user keeps go by default, as the platform's conventions
// put them: the data (the drill history) under $XDG_DATA_HOME, the settings
// (the controls) under $XDG_CONFIG_HOME, each in the program's folder
// qmsim/; %APPDATA%\qmsim\ on Windows.
#pragma once

#include <string>

namespace qm {

enum class UserFolder { data, config };

// The path of the file called name in the folder; false, with the reason
// (which names `option`, the command line's way to give another file), when
// the environment names no such place.
bool user_file_path(UserFolder folder, const char* name, const char* option, std::string& path, std::string& reason);

// Makes the folder a file is to go in; false with the reason.
bool make_folder_of(const std::string& path, std::string& reason);

}  // namespace qm
