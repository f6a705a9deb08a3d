// Maps the user opens on the page: a map file is stored as it is, any other
// picture the browser decoded is made into a map by the map maker's rules
// (dark pixels terrain); either joins the map list, chosen.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "shell/dialog/dialog_procedure.h"

namespace qm {

// The grey level of each RGBA pixel (row 0 at the top), composited over
// white as the map maker reads a picture with transparent parts.
std::vector<std::uint8_t> grey_from_rgba(const std::uint8_t* rgba, int width, int height);

// Writes the sample maps, which the program makes, into `folder` as map
// files, so the page need not download them; false with the reason.
bool write_sample_maps(const std::string& folder, std::string& reason);

// Stores a map file under `file` in the working folder, checked first under
// a hidden name the list passes over, so a refused file replaces nothing;
// false with the reason.
bool store_map(const std::string& file, const std::vector<unsigned char>& bytes, std::string& reason);

// The file name an opened picture is stored under: its base name with only
// letters, digits, '-', '_' and '.', ending in .bmp.
std::string map_file_name(const std::string& picture_name);

class WebMaps {
public:
    WebMaps(World& world, Dialog& dialog) : world_(world), dialog_(dialog) {}
    // Where refusals are shown: the message loop, made after this.
    void attach(Desktop& desktop) { desktop_ = &desktop; }

    // Takes a map the page holds, if one waits.
    void take_opened();

private:
    void refuse(const std::string& text);
    void list_maps(const std::string& file);

    World& world_;
    Dialog& dialog_;
    Desktop* desktop_ = nullptr;
};

}  // namespace qm
