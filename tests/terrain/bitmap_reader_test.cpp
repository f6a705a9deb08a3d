// Map file reader: header acceptance, row order, bit order, stride, and files
// whose header lies about what follows.
#include "terrain/bitmap_reader.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <functional>
#include <memory>

#include "terrain/bitmap_writer.h"
#include "sim/world.h"
#include "scratch_files.h"
#include "terrain_test_support.h"

namespace qm {
namespace {

using test::patch16;
using test::patch32;

constexpr std::size_t offset_field = 10;
constexpr std::size_t width_field = 18;
constexpr std::size_t height_field = 22;
constexpr std::size_t bits_field = 28;
constexpr std::size_t palette_start = 54;
constexpr std::size_t pixels_start = 62;
constexpr std::uint8_t sentinel = 7;  // a value the reader never stores

// A picture that differs under any mirroring, shift or stride error.
MapPicture pattern(int width)
{
    MapPicture p(width, map_rows);
    for (int r = 0; r < map_rows; ++r) {
        for (int c = 0; c < width; ++c) p.at(r, c) = ((r * 31 + c * 17) ^ (r >> 3)) % 3 == 0 ? 0 : 1;
    }
    return p;
}

class BitmapReader : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::fill(world->imagen.begin(), world->imagen.end(), sentinel);
        world->imagen_x = 123;
        world->imagen_y = 456;
    }

    std::string write(const std::vector<unsigned char>& bytes, const std::string& name = "map.bmp")
    {
        std::string path = dir.file(name);
        EXPECT_TRUE(write_file(path, bytes));
        return path;
    }

    bool untouched() const
    {
        return world->imagen_x == 123 && world->imagen_y == 456 &&
               std::all_of(world->imagen.begin(), world->imagen.end(), [](std::uint8_t v) { return v == sentinel; });
    }

    // The loaded image equals the picture, and every row of imagen beyond the
    // picture's padded width still holds the sentinel.
    void expect_loaded(const MapPicture& p, int expected_x)
    {
        ASSERT_EQ(world->imagen_x, expected_x);
        ASSERT_EQ(world->imagen_y, map_rows);
        for (int r = 0; r < map_rows; ++r) {
            for (int c = 0; c < p.width; ++c) ASSERT_EQ(world->image_at(r, c), p.at(r, c)) << r << "," << c;
            for (int c = expected_x; c < map_max_columns; ++c) ASSERT_EQ(world->image_at(r, c), sentinel);
        }
    }

    test::TempDir dir;
    std::unique_ptr<World> world = std::make_unique<World>();
};

TEST_F(BitmapReader, LoadsMapsOfEveryWidthWithPaddedRowsBottomUp)
{
    struct Case {
        int width;
        int imagen_x;
    };
    for (Case c : {Case{3200, 3200}, Case{1000, 1000}, Case{1001, 1008}, Case{8, 8}, Case{1, 8}}) {
        SetUp();
        MapPicture p = pattern(c.width);
        std::string path = write(encode_bitmap(p));
        ASSERT_EQ(open_bitmap(*world, path.c_str(), BitmapMode::load), 1) << c.width;
        expect_loaded(p, c.imagen_x);
    }
}

TEST_F(BitmapReader, FirstStoredRowIsBottomAndHighBitIsLeftmost)
{
    // Built by hand, independent of the writer: only the first byte of the
    // first stored row has a 0 bit, its most significant one.
    std::vector<unsigned char> bytes = encode_bitmap(MapPicture(32, map_rows, map_empty));
    bytes[pixels_start] = 0x7F;
    ASSERT_EQ(open_bitmap(*world, write(bytes).c_str(), BitmapMode::load), 1);
    EXPECT_EQ(world->image_at(799, 0), 0);
    EXPECT_EQ(world->image_at(799, 1), 1);
    EXPECT_EQ(world->image_at(799, 7), 1);
    EXPECT_EQ(world->image_at(0, 0), 1);
    EXPECT_EQ(world->imagen_x, 32);
}

TEST_F(BitmapReader, PaddingBitsOfTheLastByteAreKept)
{
    // 1001 wide: 126 data bytes, stride 128; columns 1001 to 1007 come from
    // the low seven bits of byte 125.
    std::vector<unsigned char> bytes = encode_bitmap(MapPicture(1001, map_rows, map_empty));
    for (int r = 0; r < map_rows; ++r) bytes[pixels_start + static_cast<std::size_t>(r) * 128 + 125] = 0x80;
    ASSERT_EQ(open_bitmap(*world, write(bytes).c_str(), BitmapMode::load), 1);
    EXPECT_EQ(world->imagen_x, 1008);
    for (int r : {0, 400, 799}) {
        EXPECT_EQ(world->image_at(r, 1000), 1);
        for (int c = 1001; c < 1008; ++c) EXPECT_EQ(world->image_at(r, c), 0) << c;
    }
}

// A paint program's 24- or 32-bit file of the picture loads as the 1-bit
// map does: terrain where the colour is dark, the columns up to a whole
// byte empty.
TEST_F(BitmapReader, ColourFilesLoadAsTheOneBitMapTerrainWhereDark)
{
    constexpr std::uint32_t bgra[4] = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};
    constexpr std::uint32_t rgba[4] = {0xFF000000, 0x00FF0000, 0x0000FF00, 0x000000FF};
    constexpr std::uint32_t no_alpha[4] = {0x00FF0000, 0x0000FF00, 0x000000FF, 0};
    const struct {
        const char* what;
        test::ColourBmp how;
    } cases[] = {
        {"24 bits, black on white", {24, 0xFF000000, 0xFFFFFFFF, {}}},
        {"24 bits, brown earth under a pale blue sky", {24, 0xFF5A3A1E, 0xFF87CEEB, {}}},
        {"24 bits, mid grey 127 dark, 128 light", {24, 0xFF7F7F7F, 0xFF808080, {}}},
        {"24 bits, pure blue dark, pure yellow light", {24, 0xFF0000FF, 0xFFFFFF00, {}}},
        {"32 bits, the fourth byte 0 and ignored", {32, 0x00203020, 0x00F0F0F0, {}}},
        {"32 bits, masks with alpha", {32, 0xFF102010, 0xFFE0E0FF, {bgra[0], bgra[1], bgra[2], bgra[3]}}},
        {"32 bits, masks in RGBA order", {32, 0xFF000000, 0xFFFFFFFF, {rgba[0], rgba[1], rgba[2], rgba[3]}}},
        {"32 bits, masks without alpha", {32, 0x00000000, 0x00FFFFFF, {no_alpha[0], no_alpha[1], no_alpha[2], 0}}},
        // A transparent pixel lies over white, whatever its colour.
        {"32 bits, a transparent black sky", {32, 0xFF000000, 0x00000000, {bgra[0], bgra[1], bgra[2], bgra[3]}}},
    };
    const MapPicture p = pattern(1001);
    for (const auto& c : cases) {
        SetUp();
        const std::string path = write(test::colour_bmp(p, c.how));
        std::string reason;
        EXPECT_TRUE(check_map_file(path.c_str(), reason)) << c.what << ": " << reason;
        ASSERT_TRUE(open_bitmap(*world, path.c_str(), BitmapMode::load)) << c.what;
        expect_loaded(p, 1008);
        for (int column = 1001; column < 1008; ++column) EXPECT_EQ(world->image_at(400, column), map_empty) << c.what;
    }
}

TEST_F(BitmapReader, ColourFilesNotTakenSayWhy)
{
    const MapPicture p = pattern(64);
    const test::ColourBmp plain{24, 0xFF000000, 0xFFFFFFFF, {}};
    const test::ColourBmp masked{32, 0xFF000000, 0xFFFFFFFF, {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000}};
    const struct {
        const char* what;
        test::ColourBmp how;
        std::function<void(std::vector<unsigned char>&)> spoil;
        const char* reason;
    } cases[] = {
        {"run-length coded", plain, [](auto& b) { patch32(b, 30, 1); }, "compressed (method 1); maps are stored uncompressed"},
        {"masks on 24 bits", plain, [](auto& b) { patch32(b, 30, 3); }, "compressed (method 3); maps are stored uncompressed"},
        {"JPEG inside", masked, [](auto& b) { patch32(b, 30, 4); }, "compressed (method 4); maps are stored uncompressed"},
        {"a 12-bit red mask", masked, [](auto& b) { patch32(b, 54, 0x00FFF000); }, "colour masks other than 8 bits a colour"},
        {"an alpha mask off the byte", masked, [](auto& b) { patch32(b, 66, 0x7F800000); },
         "colour masks other than 8 bits a colour"},
        {"masks cut short", masked, [](auto& b) { b.resize(60); }, "not a BMP file: the header is cut short"},
        {"no compression field", plain, [](auto& b) { b.resize(32); }, "not a BMP file: the header is cut short"},
        {"all sky", plain, [](auto& b) { std::fill(b.begin() + 54, b.end(), 0xFF); }, "no ground: every pixel is empty"},
    };
    for (const auto& c : cases) {
        std::vector<unsigned char> bytes = test::colour_bmp(p, c.how);
        c.spoil(bytes);
        const std::string path = write(bytes);
        std::string reason;
        EXPECT_FALSE(check_map_file(path.c_str(), reason)) << c.what;
        EXPECT_EQ(reason, c.reason) << c.what;
        EXPECT_FALSE(open_bitmap(*world, path.c_str(), BitmapMode::load)) << c.what;
        EXPECT_TRUE(untouched()) << c.what;
    }
}

TEST_F(BitmapReader, RejectsWhatIsNotAnAcceptedMapAndSaysWhy)
{
    struct Case {
        const char* what;
        std::function<void(std::vector<unsigned char>&)> spoil;
        const char* reason;
    };
    const Case cases[] = {
        {"signature", [](auto& b) { b[1] = 'N'; }, "not a BMP file"},
        {"reserved low word", [](auto& b) { patch16(b, 6, 1); }, "not a BMP file"},
        {"reserved high word", [](auto& b) { patch16(b, 8, 1); }, "not a BMP file"},
        {"4 bits", [](auto& b) { patch16(b, bits_field, 4); }, "4 bits per pixel; maps have 1, 24 or 32"},
        {"8 bits", [](auto& b) { patch16(b, bits_field, 8); }, "8 bits per pixel; maps have 1, 24 or 32"},
        {"16 bits", [](auto& b) { patch16(b, bits_field, 16); }, "16 bits per pixel; maps have 1, 24 or 32"},
        {"height 799", [](auto& b) { patch32(b, height_field, 799); }, "799 pixels high; maps are 800"},
        {"height 600", [](auto& b) { patch32(b, height_field, 600); }, "600 pixels high; maps are 800"},
        {"height -800 (top-down)", [](auto& b) { patch32(b, height_field, static_cast<std::uint32_t>(-800)); },
         "stored top-down; maps are stored bottom-up"},
        {"width 3201", [](auto& b) { patch32(b, width_field, 3201); }, "3201 pixels wide; at most 3200"},
        {"width 3208", [](auto& b) { patch32(b, width_field, 3208); }, "3208 pixels wide; at most 3200"},
        {"width -8", [](auto& b) { patch32(b, width_field, static_cast<std::uint32_t>(-8)); }, "a negative width"},
        {"width -2^31", [](auto& b) { patch32(b, width_field, 0x80000000u); }, "a negative width"},
        {"ends after the signature", [](auto& b) { b.resize(2); }, "not a BMP file: the header is cut short"},
        {"ends inside the header", [](auto& b) { b.resize(29); }, "not a BMP file: the header is cut short"},
        {"one byte", [](auto& b) { b.resize(1); }, "not a BMP file"},
        {"empty", [](auto& b) { b.clear(); }, "not a BMP file"},
        // Units on a map without ground would fall for ever.
        {"no width", [](auto& b) { patch32(b, width_field, 0); }, "no width; maps are 1 to 3200 pixels wide"},
        {"no terrain pixel", [](auto& b) { std::fill(b.begin() + pixels_start, b.end(), 0xFF); },
         "no ground: every pixel is empty"},
        {"every row past the end", [](auto& b) { patch32(b, offset_field, 400000); }, "no ground: every pixel is empty"},
        {"the rows cut off", [](auto& b) { b.resize(pixels_start); }, "no ground: every pixel is empty"},
    };
    for (const Case& c : cases) {
        std::vector<unsigned char> bytes = encode_bitmap(pattern(64));
        c.spoil(bytes);
        std::string path = write(bytes);
        EXPECT_EQ(open_bitmap(*world, path.c_str(), BitmapMode::check_only), 0) << c.what;
        EXPECT_EQ(open_bitmap(*world, path.c_str(), BitmapMode::load), 0) << c.what;
        std::string reason;
        EXPECT_FALSE(check_map_file(path.c_str(), reason)) << c.what;
        EXPECT_EQ(reason, c.reason) << c.what;
        EXPECT_TRUE(untouched()) << c.what;
    }
    // Files that cannot be opened as maps carry the system's word.
    const struct {
        std::string path;
        const char* reason;
    } unopenable[] = {
        {dir.file("missing.bmp"), "No such file or directory"},
        {dir.path().string(), "Is a directory"},
        {test::make_device(dir.file("null.bmp"), test::Device::null), "not a plain file"},
    };
    for (const auto& u : unopenable) {
        EXPECT_EQ(open_bitmap(*world, u.path.c_str(), BitmapMode::load), 0) << u.path;
        std::string reason;
        EXPECT_FALSE(check_map_file(u.path.c_str(), reason)) << u.path;
        EXPECT_EQ(reason, u.reason) << u.path;
    }
    EXPECT_TRUE(untouched());
}

TEST_F(BitmapReader, RefusesPipesAndDevicesWithoutWaiting)
{
    // A named pipe with no writer would block an ordinary open for ever; a
    // map swapped for one between the catalogue and Start must not hang the
    // program.
    const std::string pipe = test::make_fifo(dir.file("pipe.bmp"));
    const std::string null = test::make_device(dir.file("null.bmp"), test::Device::null);
    const std::string zero = test::make_device(dir.file("zero.bmp"), test::Device::zero);
    for (const std::string& path : {pipe, null, zero}) {
        EXPECT_EQ(open_bitmap(*world, path.c_str(), BitmapMode::check_only), 0) << path;
        EXPECT_EQ(open_bitmap(*world, path.c_str(), BitmapMode::load), 0) << path;
    }
    EXPECT_TRUE(untouched());
}

TEST_F(BitmapReader, CheckOnlyModeAcceptsWithoutTouchingTheImage)
{
    std::string path = write(encode_bitmap(pattern(3200)));
    EXPECT_EQ(open_bitmap(*world, path.c_str(), BitmapMode::check_only), 1);
    EXPECT_TRUE(is_map_file(path.c_str()));
    EXPECT_TRUE(untouched());
}

TEST_F(BitmapReader, HonoursThePixelOffsetAndIgnoresThePalette)
{
    MapPicture p = pattern(1001);
    std::vector<unsigned char> plain = encode_bitmap(p);

    // 38 extra bytes of junk between the palette and the pixels.
    std::vector<unsigned char> shifted(plain.size() + 38, 0x00);
    std::copy(plain.begin(), plain.begin() + pixels_start, shifted.begin());
    std::copy(plain.begin() + pixels_start, plain.end(), shifted.begin() + pixels_start + 38);
    patch32(shifted, offset_field, pixels_start + 38);
    ASSERT_EQ(open_bitmap(*world, write(shifted).c_str(), BitmapMode::load), 1);
    expect_loaded(p, 1008);

    std::vector<unsigned char> swapped = plain;
    patch32(swapped, palette_start, 0x00FFFFFF);
    patch32(swapped, palette_start + 4, 0x00000000);
    SetUp();
    ASSERT_EQ(open_bitmap(*world, write(swapped).c_str(), BitmapMode::load), 1);
    expect_loaded(p, 1008);
}

TEST_F(BitmapReader, PixelsBeyondTheEndOfTheFileReadAsEmpty)
{
    // Whatever the header claims, the reader stays inside the file and
    // inside imagen (the sanitizer build checks the second half); rows that
    // all lie past the end leave no ground, and the map is refused.
    struct Case {
        const char* what;
        std::uint32_t offset;
    };
    for (Case c : {Case{"past the end", 400000}, Case{"near 2^31", 0x7FFFFFF0u}, Case{"2^31 - 1", 0x7FFFFFFFu},
                   Case{"near 2^32", 0xFFFFFFF0u}}) {
        SetUp();
        std::vector<unsigned char> bytes = encode_bitmap(MapPicture(3200, map_rows, map_terrain));
        patch32(bytes, offset_field, c.offset);
        std::string reason;
        EXPECT_FALSE(open_bitmap(*world, write(bytes).c_str(), BitmapMode::load, reason)) << c.what;
        EXPECT_EQ(reason, "no ground: every pixel is empty") << c.what;
        EXPECT_TRUE(untouched()) << c.what;
    }
}

TEST_F(BitmapReader, GroundInTheLastRowsPaddingBitsIsGround)
{
    // The padding bits of a row's last byte are loaded as columns, so ground
    // there is ground a unit can stand on.
    std::vector<unsigned char> bytes = encode_bitmap(MapPicture(1001, map_rows, map_empty));
    bytes[pixels_start + 799 * 128 + 125] = 0xFE;  // the top row's column 1007
    ASSERT_EQ(open_bitmap(*world, write(bytes).c_str(), BitmapMode::load), 1);
    EXPECT_EQ(world->image_at(0, 1007), 0);
}

TEST_F(BitmapReader, ShortFileKeepsItsRowsAndFillsTheRestWithEmpty)
{
    // 64 wide: stride 8. Keep 300 whole stored rows and half of the next.
    std::vector<unsigned char> bytes = encode_bitmap(MapPicture(64, map_rows, map_terrain));
    bytes.resize(pixels_start + 300 * 8 + 4);
    ASSERT_EQ(open_bitmap(*world, write(bytes).c_str(), BitmapMode::load), 1);
    EXPECT_EQ(world->imagen_x, 64);
    for (int r = 0; r < map_rows; ++r) {
        int stored = map_rows - 1 - r;
        for (int c = 0; c < 64; ++c) {
            int expected = stored < 300 || (stored == 300 && c < 32) ? 0 : 1;
            ASSERT_EQ(world->image_at(r, c), expected) << r << "," << c;
        }
    }
}

}  // namespace
}  // namespace qm

namespace qm {
namespace {

TEST(BitmapReaderInMemory, ReadsBytesAsTheFileReaderReadsTheSameFile)
{
    // The file reader is the memory reader over the file's bytes: the same
    // answer and the same image, for sound files, files cut short in their
    // header or their rows, and rows that lie past the end.
    std::vector<unsigned char> sound = encode_bitmap(pattern(77));
    std::vector<unsigned char> cut_in_rows(sound.begin(), sound.begin() + static_cast<long>(pixels_start) + 150);
    std::vector<unsigned char> cut_in_header(sound.begin(), sound.begin() + 29);
    std::vector<unsigned char> far_offset = sound;
    patch32(far_offset, offset_field, 1u << 31);
    const std::vector<unsigned char>* cases[] = {&sound, &cut_in_rows, &cut_in_header, &far_offset};
    test::TempDir dir;
    for (const std::vector<unsigned char>* bytes : cases) {
        const std::string path = dir.file("m.bmp");
        ASSERT_TRUE(write_file(path, *bytes));
        for (BitmapMode mode : {BitmapMode::check_only, BitmapMode::load}) {
            auto from_file = std::make_unique<MapImage>();
            auto from_memory = std::make_unique<MapImage>();
            const bool file_answer = open_bitmap(*from_file, path.c_str(), mode);
            EXPECT_EQ(read_bitmap(*from_memory, *bytes, mode), file_answer) << bytes->size();
            EXPECT_EQ(from_memory->imagen_x, from_file->imagen_x) << bytes->size();
            EXPECT_TRUE(from_memory->imagen == from_file->imagen) << bytes->size();
        }
    }
}

}  // namespace
}  // namespace qm
