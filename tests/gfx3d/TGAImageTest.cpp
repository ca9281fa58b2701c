#include "gfx3d/TGAImage.h"

#include "gfx3d/GfxExceptions.h"
#include "gfx3d/Texture.h"
#include "support/ExpectThrow.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
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
    std::uint8_t mapType = 0;
    std::uint8_t type = 2;
    std::uint16_t mapFirst = 0;
    std::uint16_t mapLength = 0;
    std::uint8_t mapBits = 0;
    std::int16_t xOrigin = 0;
    std::int16_t yOrigin = 0;
    std::int16_t widthField = 1;
    std::int16_t heightField = 1;
    std::uint8_t bits = 24;
    std::uint8_t descriptor = 32;
    Bytes id;
    Bytes palette;
    Bytes data;

    Bytes Build() const {
        Bytes out;
        auto put16 = [&out](int value) {
            out.push_back(static_cast<std::uint8_t>(value & 0xFF));
            out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
        };
        out.push_back(static_cast<std::uint8_t>(id.size()));
        out.push_back(mapType);
        out.push_back(type);
        put16(mapFirst);
        put16(mapLength);
        out.push_back(mapBits);
        put16(xOrigin);
        put16(yOrigin);
        put16(widthField);
        put16(heightField);
        out.push_back(bits);
        out.push_back(descriptor);
        out.insert(out.end(), id.begin(), id.end());
        out.insert(out.end(), palette.begin(), palette.end());
        out.insert(out.end(), data.begin(), data.end());
        return out;
    }
};

// Entry i of the file palette is B = i, G = 255 - i, R = i ^ 0x55.
Bytes FilePalette() {
    Bytes palette;
    for (int i = 0; i < 256; ++i) {
        palette.push_back(static_cast<std::uint8_t>(i));
        palette.push_back(static_cast<std::uint8_t>(255 - i));
        palette.push_back(static_cast<std::uint8_t>(i ^ 0x55));
    }
    return palette;
}

TgaFile TrueColour(int width, int height, int bits, Bytes data) {
    TgaFile file;
    file.widthField = static_cast<std::int16_t>(width);
    file.heightField = static_cast<std::int16_t>(height);
    file.bits = static_cast<std::uint8_t>(bits);
    file.data = std::move(data);
    return file;
}

TgaFile Mapped(std::uint8_t type, int width, int height, Bytes data) {
    TgaFile file = TrueColour(width, height, 8, std::move(data));
    file.type = type;
    file.mapType = 1;
    file.mapLength = 256;
    file.mapBits = 24;
    file.palette = FilePalette();
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

Bytes Sequence(std::size_t count) {
    Bytes bytes(count);
    for (std::size_t i = 0; i < count; ++i) {
        bytes[i] = static_cast<std::uint8_t>(i + 1);
    }
    return bytes;
}

TEST(TGAImage, BottomOriginIsFlippedAndSwappedToRgb) {
    // 3 x 2 pixels at 24 bits: odd rows of 9 bytes. The file holds the bottom row first, in
    // B, G, R order; pixel k of the file is (3k + 1, 3k + 2, 3k + 3).
    CTGAImage image;
    TgaFile file = TrueColour(3, 2, 24, Sequence(18));
    file.descriptor = 0;
    ASSERT_EQ(Decode(image, file), kLoaded);
    EXPECT_EQ(image.Width(), 3);
    EXPECT_EQ(image.Height(), 2);
    EXPECT_EQ(image.BitsPerPixel(), 24);
    EXPECT_EQ(image.ImageType(), 2);
    EXPECT_EQ(image.ImageSize(), 18);
    EXPECT_TRUE(image.Palette().empty());
    const Bytes expected = {12, 11, 10, 15, 14, 13, 18, 17, 16, 3, 2, 1, 6, 5, 4, 9, 8, 7};
    EXPECT_EQ(image.Pixels(), expected);
}

TEST(TGAImage, DescriptorSelectsRowOrderAndRefusesAlphaWithTopOrigin) {
    // 32 bits, top-left origin, no alpha bits declared: rows stay, B and R trade places.
    CTGAImage image;
    TgaFile file = TrueColour(1, 2, 32, Sequence(8));
    ASSERT_EQ(Decode(image, file), kLoaded);
    EXPECT_EQ(image.Pixels(), (Bytes{3, 2, 1, 4, 7, 6, 5, 8}));

    file.descriptor = 8; // 8 alpha bits, bottom origin
    ASSERT_EQ(Decode(image, file), kLoaded);
    EXPECT_EQ(image.Pixels(), (Bytes{7, 6, 5, 8, 3, 2, 1, 4}));

    file.descriptor = 40;
    EXPECT_EQ(Decode(image, file), kUnsupported);
    file.descriptor = 0x88;
    EXPECT_EQ(Decode(image, file), kUnsupported);
    // A refused decode leaves nothing of the previous image behind.
    EXPECT_TRUE(image.Pixels().empty());
    EXPECT_EQ(image.Width(), 0);
    EXPECT_EQ(image.ImageSize(), 0);
}

TEST(TGAImage, ColourMappedImageKeepsIndicesAndSwapsPalette) {
    CTGAImage image;
    TgaFile file = Mapped(1, 2, 2, Bytes{1, 2, 3, 4});
    file.descriptor = 0;
    file.id = Bytes(7, 0xEE);
    ASSERT_EQ(Decode(image, file), kLoaded);
    EXPECT_EQ(image.BitsPerPixel(), 8);
    EXPECT_EQ(image.ImageSize(), 4);
    EXPECT_EQ(image.Pixels(), (Bytes{3, 4, 1, 2}));
    ASSERT_EQ(image.Palette().size(), 768U);
    for (int i = 0; i < 256; ++i) {
        EXPECT_EQ(image.Palette()[3 * i], i ^ 0x55);
        EXPECT_EQ(image.Palette()[3 * i + 1], 255 - i);
        EXPECT_EQ(image.Palette()[3 * i + 2], i);
    }
    // A texture of it is uploaded in the palette's colours.
    const CTexturePixels upload = TexturePixels(image);
    EXPECT_EQ(upload.components, 3);
    EXPECT_EQ(Bytes(upload.Data(image), upload.Data(image) + 12),
              (Bytes{3 ^ 0x55, 252, 3, 4 ^ 0x55, 251, 4, 1 ^ 0x55, 254, 1, 2 ^ 0x55, 253, 2}));
}

TEST(TGAImage, FileMustHoldHeaderIdAndPixels) {
    TgaFile file = TrueColour(2, 2, 24, Bytes(12, 0));
    file.id = Bytes(5, 0);
    EXPECT_EQ(Decode(file), kLoaded);
    file.data.pop_back();
    EXPECT_EQ(Decode(file), kBadFormat);

    TgaFile mapped = Mapped(1, 2, 2, Bytes(4, 0));
    EXPECT_EQ(Decode(mapped), kLoaded);
    mapped.data.pop_back();
    EXPECT_EQ(Decode(mapped), kBadFormat);
    mapped.data.clear();
    mapped.palette.pop_back();
    EXPECT_EQ(Decode(mapped), kBadFormat);
    TgaFile mappedRuns = Mapped(9, 1, 1, Bytes{});
    mappedRuns.palette.resize(767);
    EXPECT_EQ(Decode(mappedRuns), kBadFormat);

    CTGAImage image;
    const Bytes header = TrueColour(1, 1, 24, Bytes(3, 0)).Build();
    EXPECT_EQ(image.Decode(header.data(), 17), kBadFormat);
    EXPECT_EQ(image.Decode(header.data(), 0), kCannotOpen);
    EXPECT_EQ(image.Decode(nullptr, 0), kCannotOpen);
}

TEST(TGAImage, HeaderChecksComeInOrder) {
    using Change = void (*)(TgaFile&);
    const struct {
        const char* what;
        bool mapped;
        Change change;
        int status;
    } cases[] = {
        {"colour-map type 2 before the size", false,
         [](TgaFile& f) { f.mapType = 2, f.widthField = 0; }, kUnsupported},
        {"type 12 before the size", false, [](TgaFile& f) { f.type = 12, f.widthField = 0; },
         kUnsupported},
        {"a negative type passes the first check", false,
         [](TgaFile& f) { f.type = 0x8C, f.widthField = 0; }, kBadFormat},
        {"a negative type is refused later", false, [](TgaFile& f) { f.type = 0x8C; },
         kUnsupported},
        {"type 3 after the size", false, [](TgaFile& f) { f.type = 3, f.heightField = 0; },
         kBadFormat},
        {"type 0", false, [](TgaFile& f) { f.type = 0; }, kUnsupported},
        {"type 11", false, [](TgaFile& f) { f.type = 11; }, kUnsupported},
        {"palette from entry 1 before the size", true,
         [](TgaFile& f) { f.mapFirst = 1, f.widthField = 0; }, kUnsupported},
        {"palette of 255 entries", true, [](TgaFile& f) { f.mapLength = 255; }, kUnsupported},
        {"palette of 32-bit entries", true, [](TgaFile& f) { f.mapBits = 32; }, kUnsupported},
        {"x origin equal to the width field", false,
         [](TgaFile& f) { f.widthField = 10, f.xOrigin = 10; }, kBadFormat},
        {"y origin above the height field", false, [](TgaFile& f) { f.yOrigin = 3; }, kBadFormat},
        {"negative width field", false, [](TgaFile& f) { f.widthField = -2; }, kBadFormat},
        {"width difference wrapping around 16 bits", false,
         [](TgaFile& f) { f.widthField = 100, f.xOrigin = -32768; }, kBadFormat},
        {"size before the descriptor", false,
         [](TgaFile& f) { f.descriptor = 40, f.widthField = 0; }, kBadFormat},
        {"descriptor before the map type of the image type", true,
         [](TgaFile& f) { f.type = 2, f.descriptor = 33; }, kUnsupported},
        {"type 3 with a palette", true, [](TgaFile& f) { f.type = 3; }, kUnsupported},
        {"type 2 with a palette", true, [](TgaFile& f) { f.type = 2; }, kBadFormat},
        {"type 10 with a palette", true, [](TgaFile& f) { f.type = 10; }, kBadFormat},
        {"type 1 without a palette", false, [](TgaFile& f) { f.type = 1, f.bits = 8; }, kBadFormat},
        {"type 9 without a palette", false, [](TgaFile& f) { f.type = 9, f.bits = 8; }, kBadFormat},
        {"map fields without map type are ignored", false,
         [](TgaFile& f) { f.mapLength = 256, f.mapBits = 24; }, kLoaded},
        {"length before the depth", false, [](TgaFile& f) { f.bits = 16, f.data.resize(7); },
         kBadFormat},
        {"16-bit true colour", false, [](TgaFile& f) { f.bits = 16; }, kUnsupported},
        {"8-bit true colour", false, [](TgaFile& f) { f.bits = 8; }, kUnsupported},
        {"16-bit true colour, run-length", false,
         [](TgaFile& f) {
             f.type = 10, f.bits = 16, f.data = {131, 1, 2};
         },
         kUnsupported},
        {"15 bits count as one byte", false, [](TgaFile& f) { f.bits = 15; }, kUnsupported},
        {"16-bit indices", true, [](TgaFile& f) { f.bits = 16, f.data.resize(8); }, kUnsupported},
        {"40 bits are decoded", false, [](TgaFile& f) { f.bits = 40, f.data.resize(20); }, kLoaded},
    };
    for (const auto& c : cases) {
        TgaFile file = c.mapped ? Mapped(1, 2, 2, Bytes(4, 0)) : TrueColour(2, 2, 24, Bytes(12, 0));
        c.change(file);
        EXPECT_EQ(Decode(file), c.status) << c.what;
    }
}

TEST(TGAImage, SizeBeyondThirtyTwoBitsIsRefusedAndShortRunDataBeforeAllocation) {
    TgaFile file = TrueColour(32767, 32767, 24, Bytes{255, 1, 2, 3});
    file.type = 10;
    EXPECT_EQ(Decode(file), kUnsupported);
    // 10^9 bytes would fit; the packets cannot fill them.
    file = TrueColour(16384, 16384, 32, Bytes{255, 1, 2, 3, 4});
    file.type = 10;
    EXPECT_EQ(Decode(file), kBadFormat);
    EXPECT_EQ(Decode(Mapped(9, 16384, 16384, Bytes{255, 1})), kBadFormat);
    // Larger than a texture may be on a side: refused before anything is allocated.
    CTGAImage image;
    image.SetMaxSide(64);
    EXPECT_EQ(Decode(image, TrueColour(65, 1, 24, Bytes(65 * 3, 0))), kUnsupported);
    EXPECT_EQ(Decode(image, TrueColour(64, 64, 24, Bytes(64 * 64 * 3, 0))), kLoaded);
    file = TrueColour(23000, 23000, 24, Bytes{255, 1, 2, 3});
    file.type = 10;
    EXPECT_EQ(Decode(file), kUnsupported);
}

TEST(TGAImage, PacketsRunAcrossRowsAndMustFitTheImage) {
    // 2 x 3 pixels at 24 bits: a run of 3 covers row 0 and half of row 1, a raw packet of 3
    // covers the rest.
    TgaFile file = TrueColour(2, 3, 24, Bytes{130, 1, 2, 3, 2, 4, 5, 6, 7, 8, 9, 10, 11, 12});
    file.type = 10;
    CTGAImage image;
    ASSERT_EQ(Decode(image, file), kLoaded);
    EXPECT_EQ(image.Pixels(), (Bytes{3, 2, 1, 3, 2, 1, 3, 2, 1, 6, 5, 4, 9, 8, 7, 12, 11, 10}));

    file.data.push_back(0); // bytes after the last packet are ignored
    EXPECT_EQ(Decode(file), kLoaded);
    file.data = {131, 1, 2, 3, 2, 4, 5, 6, 7, 8, 9, 10, 11, 12}; // run of 4, raw of 3
    EXPECT_EQ(Decode(file), kBadFormat);
    file.data = {132, 1, 2, 3, 129, 4, 5, 6}; // run of 5, run of 2
    EXPECT_EQ(Decode(file), kBadFormat);
    file.data = {134, 1, 2, 3}; // run of 7 into 6 pixels
    EXPECT_EQ(Decode(file), kBadFormat);
    file.data = {130, 1, 2, 3, 2, 4, 5, 6, 7, 8, 9, 10, 11}; // raw packet cut short
    EXPECT_EQ(Decode(file), kBadFormat);
    file.data = {130, 1, 2, 3, 2, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    file.data[0] = 129; // image incomplete when the data ends
    EXPECT_EQ(Decode(file), kBadFormat);
    file.data = {133, 1, 2}; // run pixel cut short
    EXPECT_EQ(Decode(file), kBadFormat);

    TgaFile indexed = Mapped(9, 3, 2, Bytes{129, 7, 3, 1, 2, 3, 4});
    ASSERT_EQ(Decode(image, indexed), kLoaded);
    EXPECT_EQ(image.Pixels(), (Bytes{7, 7, 1, 2, 3, 4}));
    EXPECT_EQ(image.Palette()[3 * 7], 7 ^ 0x55);
}

// The pixels a random picture should decode to, top row first, R, G, B (, A).
struct Picture {
    int width;
    int height;
    int pixelBytes;
    Bytes rgb;
};

Picture RandomPicture(std::mt19937& rng, int pixelBytes) {
    Picture picture{
        1 + static_cast<int>(rng() % 40), 1 + static_cast<int>(rng() % 12), pixelBytes, {}};
    // Few colours, so that runs are frequent.
    std::vector<Bytes> colours(1 + rng() % 4, Bytes(pixelBytes));
    for (Bytes& colour : colours) {
        std::generate(colour.begin(), colour.end(), [&rng] { return rng() & 0xFF; });
    }
    for (int i = 0; i < picture.width * picture.height; ++i) {
        const Bytes& colour = colours[rng() % colours.size()];
        picture.rgb.insert(picture.rgb.end(), colour.begin(), colour.end());
    }
    return picture;
}

// File order: bottom row first unless the top-origin bit is set, red and blue exchanged for
// true colour.
Bytes FileOrder(const Picture& picture, bool topOrigin, bool swap) {
    const std::size_t row = static_cast<std::size_t>(picture.width * picture.pixelBytes);
    Bytes out;
    for (int r = 0; r < picture.height; ++r) {
        const int source = topOrigin ? r : picture.height - 1 - r;
        const auto begin = picture.rgb.begin() + static_cast<std::ptrdiff_t>(source * row);
        out.insert(out.end(), begin, begin + static_cast<std::ptrdiff_t>(row));
    }
    if (swap) {
        for (std::size_t i = 0; i < out.size(); i += picture.pixelBytes) {
            std::swap(out[i], out[i + 2]);
        }
    }
    return out;
}

// Random packets: runs of 1 up to the repeated pixels ahead, or raw packets of 1 to 128 pixels.
Bytes EncodeRuns(const Bytes& raw, std::size_t p, std::mt19937& rng) {
    Bytes out;
    const std::size_t count = raw.size() / p;
    for (std::size_t i = 0; i < count;) {
        const std::size_t limit = std::min<std::size_t>(128, count - i);
        const auto pixel = raw.begin() + static_cast<std::ptrdiff_t>(i * p);
        std::size_t same = 1;
        while (same < limit && std::equal(pixel, pixel + static_cast<std::ptrdiff_t>(p),
                                          pixel + static_cast<std::ptrdiff_t>(same * p))) {
            ++same;
        }
        if (rng() % 3 != 0) {
            const std::size_t length = 1 + rng() % same;
            out.push_back(static_cast<std::uint8_t>(127 + length));
            out.insert(out.end(), pixel, pixel + static_cast<std::ptrdiff_t>(p));
            i += length;
        } else {
            const std::size_t length = 1 + rng() % limit;
            out.push_back(static_cast<std::uint8_t>(length - 1));
            out.insert(out.end(), pixel, pixel + static_cast<std::ptrdiff_t>(length * p));
            i += length;
        }
    }
    return out;
}

TEST(TGAImage, RandomImagesDecodeAlikeRawAndRunLengthEncoded) {
    std::mt19937 rng(20240611);
    for (int round = 0; round < 300; ++round) {
        const bool mapped = round % 3 == 0;
        const int pixelBytes = mapped ? 1 : (round % 2 == 0 ? 3 : 4);
        const Picture picture = RandomPicture(rng, pixelBytes);
        const bool topOrigin = rng() % 2 == 0;
        const Bytes raw = FileOrder(picture, topOrigin, !mapped);

        TgaFile file = mapped ? Mapped(1, 0, 0, raw) : TrueColour(0, 0, pixelBytes * 8, raw);
        file.xOrigin = static_cast<std::int16_t>(rng() % 5) - 2;
        file.yOrigin = static_cast<std::int16_t>(rng() % 5) - 2;
        file.widthField = static_cast<std::int16_t>(picture.width + file.xOrigin);
        file.heightField = static_cast<std::int16_t>(picture.height + file.yOrigin);
        // Alpha bits may be declared only with the bottom origin.
        file.descriptor = static_cast<std::uint8_t>(topOrigin ? 32 : (pixelBytes == 4 ? 8 : 0));
        file.id = Bytes(rng() % 4, 0xAB);
        TgaFile packed = file;
        packed.type = mapped ? 9 : 10;
        packed.data = EncodeRuns(raw, pixelBytes, rng);

        CTGAImage plain;
        CTGAImage runs;
        ASSERT_EQ(Decode(plain, file), kLoaded) << "round " << round;
        ASSERT_EQ(Decode(runs, packed), kLoaded) << "round " << round;
        EXPECT_EQ(plain.Pixels(), picture.rgb) << "round " << round;
        EXPECT_EQ(runs.Pixels(), picture.rgb) << "round " << round;
        EXPECT_EQ(runs.Palette(), plain.Palette());
        EXPECT_EQ(runs.Width(), picture.width);
        EXPECT_EQ(runs.Height(), picture.height);
        EXPECT_EQ(runs.ImageSize(), static_cast<int>(picture.rgb.size()));

        // Any cut inside the packets leaves the image incomplete.
        const Bytes bytes = packed.Build();
        const std::size_t cut = bytes.size() - 1 - rng() % packed.data.size();
        EXPECT_EQ(runs.Decode(bytes.data(), cut), kBadFormat) << "round " << round;
    }
}

class TGAImageFiles : public ::testing::Test {
protected:
    void SetUp() override {
        folder =
            std::filesystem::temp_directory_path() /
            ("tavrin-tga-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder);
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    std::string Write(const std::string& name, const Bytes& bytes) {
        const std::filesystem::path path = folder / name;
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        return path.string();
    }

    std::filesystem::path folder;
};

TEST_F(TGAImageFiles, LoadReadsTheWholeFile) {
    CTGAImage image;
    const std::string good = Write("good.tga", TrueColour(1, 1, 24, Bytes{1, 2, 3}).Build());
    ASSERT_EQ(image.Load(good.c_str()), kLoaded);
    EXPECT_EQ(image.Pixels(), (Bytes{3, 2, 1}));

    EXPECT_EQ(image.Load((folder / "missing.tga").string().c_str()), kCannotOpen);
    EXPECT_TRUE(image.Pixels().empty());
    EXPECT_EQ(image.Load(Write("empty.tga", Bytes{}).c_str()), kCannotOpen);
    EXPECT_EQ(image.Load(folder.string().c_str()), kCannotOpen);
    const std::string mapped = Write("mapped.tga", Mapped(1, 1, 1, Bytes{5}).Build());
    EXPECT_EQ(image.Load(mapped.c_str()), kLoaded);
    Bytes cut = TrueColour(1, 1, 24, Bytes{1, 2}).Build();
    EXPECT_EQ(image.Load(Write("cut.tga", cut).c_str()), kBadFormat);

    image.Release();
    EXPECT_TRUE(image.Palette().empty());
    EXPECT_EQ(image.BitsPerPixel(), 0);
}

TEST_F(TGAImageFiles, LoadTextureRefusesAnUndecodableFileBeforeTouchingOpenGl) {
    unsigned int texture = 77;
    const std::string missing = (folder / "no such.tga").string();
    EXPECT_THROW_MSG(LoadTexture(missing, texture), C3DObjectException,
                     "Cannot load texture from file '" + missing + "'!");
    const std::string bad = Write("bad.tga", TrueColour(2, 1, 16, Bytes(4, 0)).Build());
    EXPECT_THROW_MSG(LoadTexture(bad, texture), C3DObjectException,
                     "Cannot load texture from file '" + bad + "'!");
    EXPECT_EQ(texture, 77U);
}

} // namespace
