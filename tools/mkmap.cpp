// mkmap: makes map files. `mkmap PICTURE OUT.bmp` turns a PNG or BMP picture
// into a map (dark pixels terrain); `mkmap --samples DIR` writes the sample
// maps.
#include <png.h>
#include <sys/stat.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include "raster/plain_file.h"
#include "terrain/bitmap_writer.h"
#include "terrain/bmp_picture.h"
#include "terrain/map_maker.h"

namespace {

// Pictures beyond this many pixels, or files beyond this many bytes, are
// refused rather than read into memory.
constexpr unsigned long long max_picture_pixels = 1ULL << 28;
constexpr unsigned long long max_picture_bytes = 1ULL << 30;

void usage()
{
    std::fprintf(stderr,
                 "usage: mkmap PICTURE OUT.bmp       make a map from a PNG or BMP picture (dark pixels are terrain)\n"
                 "       mkmap --samples DIR         write the sample maps into DIR\n");
}

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

enum class PictureKind { png, bmp };

// The picture file, a plain file of a size a picture can have, and its kind;
// null after saying why. The system's word for a file that cannot be read,
// and a clear one for the common mistake, before libpng's own terse ones.
std::unique_ptr<std::FILE, FileCloser> open_picture(const char* path, PictureKind& kind)
{
    std::string reason;
    std::unique_ptr<std::FILE, FileCloser> f(qm::open_plain_file(path, reason));
    struct stat info {};
    if (f && ::fstat(::fileno(f.get()), &info) == 0 && static_cast<unsigned long long>(info.st_size) > max_picture_bytes) {
        reason = "larger than " + std::to_string(max_picture_bytes) + " bytes";
        f.reset();
    }
    unsigned char signature[8] = {};
    const std::size_t got = f ? std::fread(signature, 1, sizeof signature, f.get()) : 0;
    kind = got >= 2 && signature[0] == 'B' && signature[1] == 'M' ? PictureKind::bmp : PictureKind::png;
    if (f && kind == PictureKind::png && (got != sizeof signature || png_sig_cmp(signature, 0, sizeof signature) != 0)) {
        reason = "neither a PNG nor a BMP file";
        f.reset();
    }
    if (!f) std::fprintf(stderr, "mkmap: cannot read picture %s: %s\n", path, reason.c_str());
    if (f) std::rewind(f.get());
    return f;
}

// Reads a BMP, by the map reader's colour rule, as grey levels.
bool read_grey_bmp(const char* path, std::FILE* file, std::vector<std::uint8_t>& grey, int& width, int& height)
{
    std::vector<unsigned char> bytes;
    unsigned char block[65536];
    for (std::size_t n; (n = std::fread(block, 1, sizeof block, file)) > 0;) bytes.insert(bytes.end(), block, block + n);
    std::string reason;
    if (std::ferror(file) != 0) {
        reason = std::strerror(errno);
    } else if (qm::read_bmp_picture(bytes, max_picture_pixels, grey, width, height, reason)) {
        return true;
    }
    std::fprintf(stderr, "mkmap: cannot read picture %s: %s\n", path, reason.c_str());
    return false;
}

// Reads a PNG or a BMP as grey levels, transparent parts counting as white.
bool read_grey_picture(const char* path, std::vector<std::uint8_t>& grey, int& width, int& height)
{
    PictureKind kind = PictureKind::png;
    const auto file = open_picture(path, kind);
    if (!file) return false;
    if (kind == PictureKind::bmp) return read_grey_bmp(path, file.get(), grey, width, height);
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_stdio(&image, file.get()) == 0) {
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

// Whatever was printed reached the standard output; else why not, exit 1.
int printed()
{
    if (std::fflush(stdout) == 0 && std::ferror(stdout) == 0) return 0;
    std::fprintf(stderr, "mkmap: cannot write to standard output: %s\n", std::strerror(errno));
    return 1;
}

int make_from_picture(const char* picture_path, const char* out_path)
{
    // Refused before anything is read: the map would replace its picture.
    if (qm::same_file(picture_path, out_path)) {
        std::fprintf(stderr, "mkmap: %s and %s are the same file\n", out_path, picture_path);
        return 2;
    }
    std::vector<std::uint8_t> grey;
    int width = 0;
    int height = 0;
    if (!read_grey_picture(picture_path, grey, width, height)) return 1;
    qm::MapPicture map = qm::map_from_grey(grey, width, height);
    std::string reason;
    if (!qm::write_bitmap(out_path, map, reason)) {
        std::fprintf(stderr, "mkmap: cannot write %s: %s\n", out_path, reason.c_str());
        return 1;
    }
    std::printf("%s: %d by %d\n", out_path, map.width, map.height);
    return printed();
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
        std::string reason;
        if (!qm::write_bitmap(path, sample.picture, reason)) {
            std::fprintf(stderr, "mkmap: cannot write %s: %s\n", path.c_str(), reason.c_str());
            return 1;
        }
        std::printf("%s\n", path.c_str());
    }
    return printed();
}

}  // namespace

int main(int argc, char** argv)
{
    // A closed pipe on standard output must show as a failed write, which is
    // reported, rather than end the program without a word.
    std::signal(SIGPIPE, SIG_IGN);
    if (argc == 3 && std::strcmp(argv[1], "--samples") == 0) return make_samples(argv[2]);
    if (argc == 3 && argv[1][0] != '-') return make_from_picture(argv[1], argv[2]);
    usage();
    return 2;
}
