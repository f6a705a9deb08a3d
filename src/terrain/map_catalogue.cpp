// Map catalogue: directory search of the working directory, candidate rules,
// header check of each candidate.
#include "terrain/map_catalogue.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "terrain/bitmap_reader.h"

namespace fs = std::filesystem;

namespace qm {

namespace {

constexpr std::string_view map_suffix = ".bmp";

char lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool ends_with_map_suffix(const std::string& name)
{
    if (name.size() < map_suffix.size()) return false;
    const std::size_t start = name.size() - map_suffix.size();
    for (std::size_t i = 0; i < map_suffix.size(); ++i) {
        if (lower(name[start + i]) != map_suffix[i]) return false;
    }
    return true;
}

// Case-insensitive order; names equal but for case fall back to byte order so
// the order never depends on the directory.
bool name_before(const std::string& a, const std::string& b)
{
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        char ca = lower(a[i]);
        char cb = lower(b[i]);
        if (ca != cb) return static_cast<unsigned char>(ca) < static_cast<unsigned char>(cb);
    }
    if (a.size() != b.size()) return a.size() < b.size();
    return a < b;
}

// The counterpart of "archive mark and nothing else": a regular file, not a
// link, not hidden, writable by its owner, with a name that fits an entry.
bool is_candidate(const fs::directory_entry& entry, const std::string& name)
{
    if (name.empty() || name[0] == '.') return false;
    if (name.size() >= static_cast<std::size_t>(map_name_size)) return false;
    if (!ends_with_map_suffix(name)) return false;
    std::error_code ec;
    const fs::file_status status = entry.symlink_status(ec);
    if (ec || status.type() != fs::file_type::regular) return false;
    return (status.permissions() & fs::perms::owner_write) != fs::perms::none;
}

// The candidates of the directory in catalogue order; none when the
// directory cannot be read.
std::vector<std::string> candidate_names(const fs::path& directory)
{
    std::vector<std::string> names;
    std::error_code ec;
    fs::directory_iterator it(directory, ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        std::string name = it->path().filename().string();
        if (is_candidate(*it, name)) names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end(), name_before);
    return names;
}

}  // namespace

void get_map_names(MapCatalogue& catalogue)
{
    std::error_code ec;
    const fs::path directory = fs::current_path(ec);
    if (ec) return;
    for (const std::string& name : candidate_names(directory)) {
        if (catalogue.map_count >= max_maps) break;
        if (!is_map_file(name.c_str())) continue;
        std::memcpy(catalogue.map_filename[catalogue.map_count], name.c_str(), name.size() + 1);
        ++catalogue.map_count;
    }
}

}  // namespace qm
