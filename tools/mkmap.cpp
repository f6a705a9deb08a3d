// mkmap: makes map files. `mkmap PICTURE.png OUT.bmp` turns a picture into a
// map (dark pixels terrain); `mkmap --samples DIR` writes the sample maps.
#include <png.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "terrain/bitmap_writer.h"
#include "terrain/map_maker.h"

namespace {

// Pictures beyond this many pixels are refused rather than read into memory.
constexpr unsigned long long max_picture_pixels = 1ULL << 28;

void usage()
{
    std::fprintf(stderr,
                 "usage: mkmap PICTURE.png OUT.bmp   make a map from a picture (dark pixels are terrain)\n"
                 "       mkmap --samples DIR         write the sample maps into DIR\n");
}

// Reads a PNG as grey levels, transparent parts counting as white.
bool read_grey_png(const char* path, std::vector<std::uint8_t>& grey, int& width, int& height)
{
    // A clear word for the common mistake before libpng's own terse one.
    unsigned char signature[8] = {};
    if (std::FILE* f = std::fopen(path, "rb")) {
        std::size_t got = std::fread(signature, 1, sizeof signature, f);
        std::fclose(f);
        if (got != sizeof signature || png_sig_cmp(signature, 0, sizeof signature) != 0) {
            std::fprintf(stderr, "mkmap: cannot read picture %s: not a PNG file\n", path);
            return false;
        }
    }

    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_file(&image, path) == 0) {
        std::fprintf(stderr, "mkmap: cannot read picture %s: %s\n", path, image.message);
        return false;
    }
    if (static_cast<unsigned long long>(image.width) * image.height > max_picture_pixels) {
        std::fprintf(stderr, "mkmap: picture %s is too large (%u by %u pixels)\n", path, image.width,
                     image.height);
        png_image_free(&image);
        return false;
    }
    image.format = PNG_FORMAT_GRAY;
    grey.assign(PNG_IMAGE_SIZE(image), 0);
    png_color white{255, 255, 255};
    if (png_image_finish_read(&image, &white, grey.data(), 0, nullptr) == 0) {
        std::fprintf(stderr, "mkmap: cannot read picture %s: %s\n", path, image.message);
        png_image_free(&image);
        return false;
    }
    width = static_cast<int>(image.width);
    height = static_cast<int>(image.height);
    return true;
}

int make_from_picture(const char* picture_path, const char* out_path)
{
    std::vector<std::uint8_t> grey;
    int width = 0;
    int height = 0;
    if (!read_grey_png(picture_path, grey, width, height)) return 1;
    qm::MapPicture map = qm::map_from_grey(grey, width, height);
    if (!qm::write_bitmap(out_path, map)) {
        std::fprintf(stderr, "mkmap: cannot write %s\n", out_path);
        return 1;
    }
    std::printf("%s: %d by %d\n", out_path, map.width, map.height);
    return 0;
}

int make_samples(const char* directory)
{
    std::error_code ec;
    std::filesystem::create_directories(directory, ec);
    if (ec) {
        std::fprintf(stderr, "mkmap: cannot create directory %s: %s\n", directory, ec.message().c_str());
        return 1;
    }
    for (const qm::SampleMap& sample : qm::sample_maps()) {
        std::string path = (std::filesystem::path(directory) / sample.name).string();
        if (!qm::write_bitmap(path, sample.picture)) {
            std::fprintf(stderr, "mkmap: cannot write %s\n", path.c_str());
            return 1;
        }
        std::printf("%s\n", path.c_str());
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--samples") == 0) return make_samples(argv[2]);
    if (argc == 3 && argv[1][0] != '-') return make_from_picture(argv[1], argv[2]);
    usage();
    return 2;
}
