// The controls file as the commands take it: --controls FILE, or the
// platform's place for it, read and checked before anything else runs.
#pragma once

#include <string>

#include "cli/options.h"
#include "formats/controls/controls_file.h"

namespace qm {

// Where the desktop and `qmsim controls` look without --controls.
constexpr const char* default_controls_place = "controls.conf in the user's config folder";

// --controls FILE into path; the help says what is used without it.
Option controls_option(const char*& path, const std::string& without);

// The controls of path (null: the default file, which may be missing, as
// may the place for it); false with "FILE:LINE: reason".
bool load_controls(const char* path, ControlsFile& file, std::string& error);

// `qmsim controls`: the bindings in effect and the file they came from,
// printed as a controls file.
std::string controls_usage();
int run_controls(int argc, char** argv, std::FILE* out, std::FILE* err);

}  // namespace qm
