// Storing opened maps and listing them.
#include "web/web_maps.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "terrain/bitmap_reader.h"
#include "terrain/bitmap_writer.h"
#include "terrain/map_catalogue.h"
#include "terrain/map_maker.h"
#include "terrain/picture_grey.h"
#include "web/web_js.h"

namespace qm {

namespace {

constexpr int name_size = 256;

}  // namespace

std::vector<std::uint8_t> grey_from_rgba(const std::uint8_t* rgba, int width, int height)
{
    std::vector<std::uint8_t> grey(static_cast<std::size_t>(width) * height);
    for (std::size_t i = 0; i < grey.size(); ++i) {
        const std::uint8_t* p = rgba + 4 * i;
        grey[i] = grey_level(p[0], p[1], p[2], p[3]);
    }
    return grey;
}

bool write_sample_maps(const std::string& folder, std::string& reason)
{
    for (const SampleMap& sample : sample_maps()) {
        const std::string path = folder + "/" + sample.name;
        if (!write_file(path, encode_bitmap(sample.picture), reason)) {
            reason = path + ": " + reason;
            return false;
        }
    }
    return true;
}

std::string map_file_name(const std::string& picture_name)
{
    std::string base = picture_name.substr(picture_name.find_last_of("/\\") + 1);
    const std::size_t dot = base.find_last_of('.');
    if (dot != std::string::npos && dot > 0) base.erase(dot);
    std::string name;
    for (char c : base) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
                           c == '_' || c == '.';
        name += plain ? c : '_';
    }
    // No hidden file: the catalogue skips names starting with a dot.
    if (name.empty() || name.front() == '.') name.insert(0, "map");
    return name + ".bmp";
}

void WebMaps::refuse(const std::string& text)
{
    if (desktop_ != nullptr) desktop_->message_box(text.c_str(), "Error");
}

bool store_map(const std::string& file, const std::vector<unsigned char>& bytes, std::string& reason)
{
    const std::string checked = "." + file + ".new";
    if (!write_file(checked, bytes, reason)) return false;
    bool stored = check_map_file(checked.c_str(), reason);
    if (stored && std::rename(checked.c_str(), file.c_str()) != 0) {
        reason = std::strerror(errno);
        stored = false;
    }
    if (!stored) std::remove(checked.c_str());
    return stored;
}

void WebMaps::take_opened()
{
    web::OpenedMap opened;
    if (!web::opened_map(opened)) return;
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(opened.size));
    char name[name_size] = {};
    web::take_opened_map(name, name_size, bytes.data());

    const std::string file = map_file_name(name);
    std::vector<unsigned char> map_file(bytes.begin(), bytes.end());
    if (opened.picture) {
        if (opened.width <= 0 || opened.height <= 0) return;
        map_file = encode_bitmap(map_from_grey(grey_from_rgba(bytes.data(), opened.width, opened.height), opened.width,
                                               opened.height));
    }
    std::string reason;
    if (!store_map(file, map_file, reason)) {
        refuse(std::string("Cannot open ") + name + ": " + reason);
        return;
    }
    list_maps(file);
}

// The list as the dialog fills it, read again from the folder, with `file`
// chosen: the map is read and checked at Start, as any map of the folder is.
void WebMaps::list_maps(const std::string& file)
{
    world_.map_count = 0;
    get_map_names(world_);
    Control* list = dialog_.find(IDC_MAP_LIST);
    if (list == nullptr) return;
    list->items.assign(1, flat_map_entry);
    list->selection = 0;
    for (int i = 0; i < world_.map_count && i < max_maps; ++i) {
        list->items.emplace_back(world_.map_filename[i]);
        if (file == world_.map_filename[i]) list->selection = i + 1;
    }
    if (list->selection == 0) {
        refuse("The map list is full: " + file + " is not listed.");
    }
}

}  // namespace qm
