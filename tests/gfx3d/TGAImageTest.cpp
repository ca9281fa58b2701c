#include "gfx3d/TGAImage.h"

#include "gfx3d/GfxExceptions.h"
#include "gfx3d/Texture.h"
#include "support/ExpectThrow.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr int kLoaded = CTGAImage::kLoaded;
constexpr int kCannotOpen = CTGAImage::kCannotOpen;
constexpr int kBadFormat = CTGAImage::kBadFormat;
constexpr int kUnsupported = CTGAImage::kUnsupported;

// A TGA file as written: header fields, then ID, palette and pixel data (raw or packets) as given.
struct TgaFile {
    std::uint8_t mapType = 0, type = 2;
    std::uint16_t mapFirst = 0, mapLength = 0;
    std::uint8_t mapBits = 0;
    std::int16_t xOrigin = 0, yOrigin = 0, widthField = 1, heightField = 1;
    std::uint8_t bits = 24, descriptor = 32;
    Bytes id, palette, data;

    Bytes Build() const {
        Bytes out = {static_cast<std::uint8_t>(id.size()), mapType, type};
        for (const int value : {int{mapFirst}, int{mapLength}}) {
            out.insert(out.end(),
                       {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8)});
        }
        out.push_back(mapBits);
        for (const int value : {xOrigin, yOrigin, widthField, heightField}) {
            out.insert(out.end(),
                       {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8)});
        }
        out.insert(out.end(), {bits, descriptor});
        for (const Bytes* part : {&id, &palette, &data}) {
            out.insert(out.end(), part->begin(), part->end());
        }
        return out;
    }
};

TgaFile TrueColour(int width, int height, int bits, Bytes data) {
    TgaFile file;
    file.widthField = static_cast<std::int16_t>(width);
    file.heightField = static_cast<std::int16_t>(height);
    file.bits = static_cast<std::uint8_t>(bits);
    file.data = std::move(data);
    return file;
}

// Palette entry i is B = i, G = 255 - i, R = i ^ 0x55.
TgaFile Mapped(std::uint8_t type, int width, int height, Bytes data) {
    TgaFile file = TrueColour(width, height, 8, std::move(data));
    file.type = type;
    file.mapType = 1;
    file.mapLength = 256;
    file.mapBits = 24;
    for (int i = 0; i < 256; ++i) {
        file.palette.insert(file.palette.end(),
                            {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i),
                             static_cast<std::uint8_t>(i ^ 0x55)});
    }
    return file;
}

int Decode(CTGAImage& image, const TgaFile& file) {
    const Bytes bytes = file.Build();
    return image.Decode(bytes.data(), bytes.size());
}

int Decode(const TgaFile& file) {
    CTGAImage image;
    return Decode(image, file);
}

} // namespace

// A colour-mapped image keeps its indices, bottom row first, and its palette becomes R, G, B, A
// by index; the layouts of true colour are the random images' below.
TEST(TGAImage, AColourMappedImageKeepsItsIndicesAndSwapsItsPalette) {
    CTGAImage image;
    TgaFile file = Mapped(1, 2, 2, Bytes{1, 2, 3, 4});
    file.descriptor = 0;
    file.id = Bytes(7, 0xEE);
    ASSERT_EQ(Decode(image, file), kLoaded);
    EXPECT_EQ(image.BitsPerPixel(), 8);
    EXPECT_EQ(image.ImageType(), 1);
    EXPECT_EQ(image.Pixels(), (Bytes{3, 4, 1, 2}));
    ASSERT_EQ(image.Palette().size(), 1024U);
    for (int i = 0; i < 256; ++i) {
        EXPECT_EQ(Bytes(image.Palette().begin() + 4 * i, image.Palette().begin() + 4 * i + 4),
                  (Bytes{static_cast<std::uint8_t>(i ^ 0x55), static_cast<std::uint8_t>(255 - i),
                         static_cast<std::uint8_t>(i), 255}));
    }
    // A texture of it is uploaded in the palette's colours.
    const CTexturePixels upload = TexturePixels(image);
    EXPECT_EQ(upload.components, 3);
    EXPECT_EQ(Bytes(upload.Data(image), upload.Data(image) + 6),
              (Bytes{3 ^ 0x55, 252, 3, 4 ^ 0x55, 251, 4}));
}

// What a refusal says names what is not read, or what is wrong.
TEST(TGAImage, ARefusalNamesWhatIsNotRead) {
    const auto problem = [](TgaFile file, std::uint8_t type, int first, int length) {
        file.type = type;
        file.mapFirst = static_cast<std::uint16_t>(first);
        file.mapLength = static_cast<std::uint16_t>(length);
        file.palette.resize(static_cast<std::size_t>(3 * length));
        CTGAImage image;
        const Bytes bytes = file.Build();
        image.Decode(bytes.data(), bytes.size());
        return image.Problem();
    };
    EXPECT_EQ(problem(TrueColour(1, 1, 16, Bytes{0, 0}), 2, 0, 0),
              "16-bit true colour is not read, only 24- and 32-bit");
    EXPECT_EQ(problem(Mapped(1, 1, 1, Bytes{0}), 1, 20, 240),
              "a palette of 240 entries from index 20 reaches past index 255, the last an 8-bit "
              "index names");
    EXPECT_EQ(problem(Mapped(1, 2, 1, Bytes{4, 40}), 1, 4, 30),
              "colour index 40 lies outside the palette (indices 4 to 33)");
    EXPECT_EQ(ExplainTextureFailure("Cannot load texture from file "
                                    "'tests/fixtures/tga/unsupported_16_bit_indices.tga'!"),
              "Cannot load texture from file "
              "'tests/fixtures/tga/unsupported_16_bit_indices.tga'! (colour indices of 16 bits "
              "are not read, only of 8)");
}

// Each file of tests/fixtures/tga changes one field of a valid 2 x 2 image, true colour or
// colour-mapped (or is empty), and is named after the status it must get and the change. A refused
// decode leaves nothing of the previous image behind.
TEST(TGAImage, RefusesEachFieldItCannotDecode) {
    const std::pair<std::string, int> statuses[] = {{"loaded_", kLoaded},
                                                    {"bad_format_", kBadFormat},
                                                    {"unsupported_", kUnsupported},
                                                    {"cannot_open_", kCannotOpen}};
    CTGAImage image;
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator("tests/fixtures/tga")) {
        const std::string name = entry.path().filename().string();
        for (const auto& [prefix, status] : statuses) {
            if (name.starts_with(prefix)) {
                ASSERT_EQ(Decode(image, TrueColour(1, 1, 24, Bytes(3, 0))), kLoaded);
                EXPECT_EQ(image.Load(entry.path().string().c_str()), status) << name;
                EXPECT_EQ(image.Pixels().empty(), status != kLoaded) << name;
                EXPECT_EQ(image.Width() == 0, status != kLoaded) << name;
                EXPECT_EQ(image.Problem().empty(), status == kLoaded) << name;
                ++files;
            }
        }
    }
    EXPECT_EQ(files, 33);
    // ImageMagick's palette output (30 and 240 entries, raw and run-length encoded) decodes to
    // the colours ImageMagick itself reads from it, turned as the header's origin says.
    for (const std::string path : {"30.tga", "30_rle.tga", "240.tga", "240_rle.tga"}) {
        std::ifstream reference("tests/fixtures/tga/imagemagick_palette_of_" +
                                    path.substr(0, path.find_first_of("._")) + ".rgb",
                                std::ios::binary);
        ASSERT_EQ(image.Load(("tests/fixtures/tga/loaded_imagemagick_palette_of_" + path).c_str()),
                  kLoaded);
        EXPECT_EQ(TexturePixels(image).expanded,
                  Bytes(std::istreambuf_iterator<char>(reference), {}))
            << path;
    }
    const Bytes header = TrueColour(1, 1, 24, Bytes(3, 0)).Build();
    EXPECT_EQ(image.Decode(header.data(), 17), kBadFormat);
    EXPECT_EQ(image.Decode(header.data(), 0), kCannotOpen);
    EXPECT_EQ(image.Decode(nullptr, 0), kCannotOpen);
}

// Sizes beyond 32 bits, beyond the largest side, or that the packets cannot fill are refused
// before anything is allocated.
TEST(TGAImage, OversizedImagesAreRefusedBeforeAllocation) {
    TgaFile file = TrueColour(16384, 16384, 128, Bytes(17, 0)); // 2^32 bytes
    file.type = 10;
    EXPECT_EQ(Decode(file), kUnsupported);
    file = TrueColour(16384, 16384, 32, Bytes{255, 1, 2, 3, 4}); // 10^9 bytes would fit
    file.type = 10;
    EXPECT_EQ(Decode(file), kBadFormat);
    EXPECT_EQ(Decode(Mapped(9, 16384, 16384, Bytes{255, 1})), kBadFormat);
    TgaFile mappedRuns = Mapped(9, 1, 1, Bytes{});
    mappedRuns.palette.resize(767);
    EXPECT_EQ(Decode(mappedRuns), kBadFormat);
    CTGAImage image;
    image.SetMaxSide(64);
    EXPECT_EQ(Decode(image, TrueColour(65, 1, 24, Bytes(65 * 3, 0))), kUnsupported);
    EXPECT_EQ(Decode(image, TrueColour(64, 64, 24, Bytes(64 * 64 * 3, 0))), kLoaded);
}

// Packets that would run past the 2 x 3 pixels, or are cut short, are refused; runs across
// rows are the random images' below.
TEST(TGAImage, PacketsMustFitTheImage) {
    TgaFile file = TrueColour(2, 3, 24, Bytes{});
    file.type = 10;
    for (const Bytes& data : {Bytes{131, 1, 2, 3, 2, 4, 5, 6, 7, 8, 9, 10, 11, 12}, // 4 + 3
                              Bytes{132, 1, 2, 3, 129, 4, 5, 6},                    // 5 + 2
                              Bytes{134, 1, 2, 3},                                  // 7
                              Bytes{130, 1, 2, 3, 2, 4, 5, 6, 7, 8, 9, 10, 11},     // raw cut short
                              Bytes{129, 1, 2, 3, 2, 4, 5, 6, 7, 8, 9, 10, 11, 12}, // 2 + 3
                              Bytes{133, 1, 2}}) {                                  // run cut short
        file.data = data;
        EXPECT_EQ(Decode(file), kBadFormat) << testing::PrintToString(data);
    }
}

// Random pictures of few colours, stored raw and as random packets with any origin, ID and
// descriptor: both decode to the picture, and any cut inside the packets is refused.
TEST(TGAImage, RandomImagesDecodeAlikeRawAndRunLengthEncoded) {
    std::mt19937 rng(20240611);
    for (int round = 0; round < 300; ++round) {
        const bool mapped = round % 3 == 0;
        const std::size_t p = mapped ? 1 : (round % 2 == 0 ? 3 : 4);
        const int width = 1 + static_cast<int>(rng() % 40);
        const int height = 1 + static_cast<int>(rng() % 12);
        std::vector<Bytes> colours(1 + rng() % 4, Bytes(p));
        for (Bytes& colour : colours) {
            std::generate(colour.begin(), colour.end(), [&rng] { return rng() & 0xFF; });
        }
        // A palette of any entry size, length and first index that holds every index drawn.
        const int mapBits = std::array{15, 16, 24, 32}[rng() % 4];
        const int mapFirst = static_cast<int>(rng() % 64);
        const int mapLength = 1 + static_cast<int>(rng() % static_cast<unsigned>(256 - mapFirst));
        for (Bytes& colour : colours) {
            colour[0] = static_cast<std::uint8_t>(mapFirst + colour[0] % mapLength);
        }
        Bytes rgb; // top row first, as decoded
        for (int i = 0; i < width * height; ++i) {
            const Bytes& colour = colours[rng() % colours.size()];
            rgb.insert(rgb.end(), colour.begin(), colour.end());
        }
        // File order: bottom row first unless the top-origin bit is set, R and B exchanged.
        const bool topOrigin = rng() % 2 == 0;
        const std::size_t row = width * p;
        Bytes raw;
        for (int r = 0; r < height; ++r) {
            const auto begin =
                rgb.begin() + static_cast<std::ptrdiff_t>((topOrigin ? r : height - 1 - r) * row);
            raw.insert(raw.end(), begin, begin + static_cast<std::ptrdiff_t>(row));
        }
        for (std::size_t i = 0; !mapped && i < raw.size(); i += p) {
            std::swap(raw[i], raw[i + 2]);
        }
        // Runs of 1 up to the repeated pixels ahead, or raw packets of 1 to 128 pixels.
        Bytes packets;
        for (std::size_t i = 0, count = raw.size() / p; i < count;) {
            const std::size_t limit = std::min<std::size_t>(128, count - i);
            const auto pixel = raw.begin() + static_cast<std::ptrdiff_t>(i * p);
            std::size_t same = 1;
            while (same < limit && std::equal(pixel, pixel + static_cast<std::ptrdiff_t>(p),
                                              pixel + static_cast<std::ptrdiff_t>(same * p))) {
                ++same;
            }
            const bool run = rng() % 3 != 0;
            const std::size_t length = 1 + rng() % (run ? same : limit);
            packets.push_back(static_cast<std::uint8_t>(run ? 127 + length : length - 1));
            packets.insert(packets.end(), pixel,
                           pixel + static_cast<std::ptrdiff_t>(run ? p : length * p));
            i += length;
        }

        TgaFile file =
            mapped ? Mapped(1, 0, 0, raw) : TrueColour(0, 0, static_cast<int>(p * 8), raw);
        Bytes palette(256 * 4, 0); // as decoded: R, G, B, A by index
        if (mapped) {
            file.mapBits = static_cast<std::uint8_t>(mapBits);
            file.mapFirst = static_cast<std::uint16_t>(mapFirst);
            file.mapLength = static_cast<std::uint16_t>(mapLength);
            file.palette.resize(static_cast<std::size_t>(mapLength * ((mapBits + 7) / 8)));
            std::generate(file.palette.begin(), file.palette.end(), [&rng] { return rng(); });
            for (int i = 0; i < mapLength; ++i) {
                std::uint8_t* out = &palette[static_cast<std::size_t>(mapFirst + i) * 4];
                const std::uint8_t* in =
                    &file.palette[static_cast<std::size_t>(i * ((mapBits + 1) / 8))];
                for (unsigned c = 0, v = in[0] | (in[1] << 8); c < 4; ++c) {
                    const unsigned five = c < 3 ? v >> (10 - 5 * c) & 31 : 0;
                    out[c] = c == 3 ? (mapBits == 32 ? in[3] : 255)
                                    : (mapBits <= 16 ? five << 3 | five >> 2 : in[2 - c]);
                }
            }
        }
        file.xOrigin = static_cast<std::int16_t>(rng() % 5) - 2;
        file.yOrigin = static_cast<std::int16_t>(rng() % 5) - 2;
        file.widthField = static_cast<std::int16_t>(width + file.xOrigin);
        file.heightField = static_cast<std::int16_t>(height + file.yOrigin);
        // Alpha bits may be declared only with the bottom origin.
        file.descriptor = static_cast<std::uint8_t>(topOrigin ? 32 : (p == 4 ? 8 : 0));
        file.id = Bytes(rng() % 4, 0xAB);
        TgaFile packed = file;
        packed.type = mapped ? 9 : 10;
        packed.data = packets;

        CTGAImage plain;
        CTGAImage runs;
        ASSERT_EQ(Decode(plain, file), kLoaded) << "round " << round;
        ASSERT_EQ(Decode(runs, packed), kLoaded) << "round " << round;
        EXPECT_EQ(plain.Pixels(), rgb) << "round " << round;
        EXPECT_EQ(runs.Pixels(), rgb) << "round " << round;
        EXPECT_EQ(runs.Palette(), mapped ? palette : Bytes{});
        EXPECT_EQ(plain.Palette(), runs.Palette());
        EXPECT_EQ(runs.Width() * 100 + runs.Height(), width * 100 + height);
        EXPECT_EQ(runs.ImageSize(), static_cast<int>(rgb.size()));
        const Bytes bytes = packed.Build();
        const std::size_t cut = bytes.size() - 1 - rng() % packets.size();
        EXPECT_EQ(runs.Decode(bytes.data(), cut), kBadFormat) << "round " << round;
    }
}

// Load reads the whole file (the fixtures above); a missing file or a folder cannot be opened.
// A texture of a file that does not decode is refused before OpenGL is touched.
TEST(TGAImage, LoadOpensOnlyFilesAndLoadTextureNamesAFileItCannotUse) {
    CTGAImage image;
    ASSERT_EQ(Decode(image, Mapped(1, 1, 1, Bytes{5})), kLoaded);
    EXPECT_EQ(image.Load("tests/fixtures/tga/missing.tga"), kCannotOpen);
    EXPECT_TRUE(image.Pixels().empty());
    EXPECT_EQ(image.Load("tests/fixtures/tga"), kCannotOpen);
    ASSERT_EQ(Decode(image, Mapped(1, 1, 1, Bytes{5})), kLoaded);
    image.Release();
    EXPECT_TRUE(image.Palette().empty());
    EXPECT_EQ(image.BitsPerPixel(), 0);

    unsigned int texture = 77;
    for (const std::string path : {"tests/fixtures/tga/no such.tga",
                                   "tests/fixtures/tga/unsupported_16_bit_true_colour.tga"}) {
        EXPECT_THROW_MSG(LoadTexture(path, texture), C3DObjectException,
                         "Cannot load texture from file '" + path + "'!");
    }
    EXPECT_EQ(texture, 77U);
}
