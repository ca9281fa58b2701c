#include "gfx3d/OBJLoader.h"

#include "gfx3d/GfxExceptions.h"
#include "pgn/PGNExceptions.h"
#include "support/ExpectThrow.h"

#include <array>
#include <climits>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

std::string WriteFile(const std::string& name, const std::string& content) {
    const std::filesystem::path dir = std::filesystem::path(testing::TempDir()) / "tavrin_obj";
    std::filesystem::create_directories(dir);
    const std::string path = (dir / name).string();
    std::ofstream(path, std::ios::binary) << content;
    return path;
}

struct Model {
    std::vector<float> positions, normals, texCoords;
    int count = 0;
    bool operator==(const Model&) const = default;
};

Model Read(const COBJLoader& loader) {
    const int count = loader.VertexCount();
    const auto floats = [count](const float* p) { return std::vector<float>(p, p + count * 3); };
    return {floats(loader.Vertices()), floats(loader.Normals()), floats(loader.TexCoords()), count};
}

Model Parse(std::string_view text) {
    COBJLoader loader;
    loader.LoadText(text);
    return Read(loader);
}

// Sees whether the file buffer is still held.
class ProbedLoader : public COBJLoader {
public:
    bool HoldsBuffer() const { return buffer != nullptr || size != 0; }
};

const std::string kTriangle = "v 1.0 2.0 3.0\nvt 0.5 0.25 0.0\nvn 0.0 0.0 1.0\n";

} // namespace

// The accessors refuse until a file was read; Load parses the file and releases its buffer; a
// refused text leaves no model, neither the previous one nor a half-filled one.
TEST(OBJLoader, LoadParsesTheFileThenReleasesItsBuffer) {
    ProbedLoader loader;
    EXPECT_THROW_MSG(loader.Load(WriteFile("none.obj", "") + ".missing"), CFileReaderException,
                     "AFileReader::LoadFile(): Cannot determine file size!");
    EXPECT_THROW_MSG(loader.Vertices(), COBJLoaderException,
                     "COBJLoader::Vertices(): There was no file loaded!");
    EXPECT_THROW_MSG(loader.Normals(), COBJLoaderException,
                     "COBJLoader::Normals(): There was no file loaded!");
    EXPECT_THROW_MSG(loader.TexCoords(), COBJLoaderException,
                     "COBJLoader::TexCoords(): There was no file loaded!");
    EXPECT_THROW_MSG(loader.VertexCount(), COBJLoaderException,
                     "COBJLoader::VertexCount(): There was no file loaded!");

    const std::string text = kTriangle + "f 1/1/1 1/1/1 -1/-1/-1\n";
    loader.Load(WriteFile("triangle.obj", text));
    EXPECT_FALSE(loader.HoldsBuffer());
    EXPECT_EQ(Read(loader), Parse(text));
    EXPECT_EQ(loader.VertexCount(), 3);
    EXPECT_THROW_MSG(loader.Load(WriteFile("bad.obj", kTriangle + "f 1/1/1 1/1/1 2/1/1\n")),
                     COBJLoaderException, "COBJLoader::Load(): Face index out of range!");
    EXPECT_FALSE(loader.HoldsBuffer());
    EXPECT_EQ(loader.VertexCount(), 0);
    EXPECT_EQ(loader.Vertices(), nullptr);
}

TEST(OBJLoader, NumbersReadAsAtofAndAtoiWithinTheirLine) {
    const Model model = Parse("v 1.5e2 -2.5abc +.5\n"
                              "vt  0x10   1e999 -1e999\n"
                              "vn x 7.0\t\t\n"
                              "12345678\n" // no field may run on into this line
                              "f +1x/1/1 1/1/1 1/1/1abc\n");
    EXPECT_EQ(std::vector<float>(model.positions.begin(), model.positions.begin() + 3),
              (std::vector<float>{150, -2.5f, 0.5f}));
    EXPECT_EQ(std::vector<float>(model.texCoords.begin(), model.texCoords.begin() + 3),
              (std::vector<float>{16, INFINITY, -INFINITY}));
    EXPECT_EQ(std::vector<float>(model.normals.begin(), model.normals.begin() + 3),
              (std::vector<float>{0, 7, 0}));
}

// Each file of tests/fixtures/obj is named after the message it is refused with and its fault;
// a refused text leaves no model. The character after an f is skipped, whatever it is.
TEST(OBJLoader, RefusesFacesItCannotResolve) {
    const std::map<std::string, std::string> messages = {
        {"not_in_the_form_a_b_c", "Face reference not in the form a/b/c!"},
        {"index_out_of_range", "Face index out of range!"},
        {"fewer_than_three_corners", "Face with fewer than three corners!"},
        {"no_faces", "Model has no faces!"}};
    COBJLoader loader;
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator("tests/fixtures/obj")) {
        const std::string name = entry.path().stem().string();
        std::ifstream file(entry.path(), std::ios::binary);
        const std::string text{std::istreambuf_iterator<char>(file), {}};
        loader.LoadText(kTriangle + "f 1/1/1 1/1/1 1/1/1\n");
        EXPECT_THROW_MSG(loader.LoadText(text), COBJLoaderException,
                         "COBJLoader::Load(): " + messages.at(name.substr(0, name.find("__"))));
        EXPECT_EQ(loader.VertexCount(), 0) << name;
        ++files;
    }
    EXPECT_EQ(files, 18);
}

// Random meshes written with random terminators, spacing, noise lines and index forms read back
// as the flattened arrays they were built from.
TEST(OBJLoader, RandomMeshesReadBackAsWritten) {
    std::mt19937 rng(3141);
    const auto pick = [&rng](std::uint32_t n) { return static_cast<int>(rng() % n); };
    const std::string terminators[] = {"\n", "\r\n", "\r"};
    const std::string noise[] = {
        "# comment line", "v 1 2 3",        "f 1/1/1",     "g piece",
        "s off",          "vp 0.5 0.5 0.5", "usemtl wood", "  # v 1.0 2.0 3.0"};
    for (int round = 0; round < 300; ++round) {
        std::array<std::vector<float>, 3> elements; // positions, texture records, normals
        std::vector<std::string> lines[2];          // element lines, face lines
        const char* keywords[] = {"v", "vt", "vn"};
        for (int kind = 0; kind < 3; ++kind) {
            for (int n = 1 + pick(6); n > 0; --n) {
                std::string line = std::string(pick(3), ' ') + keywords[kind];
                for (int i = 0; i < 3; ++i) {
                    const float value = static_cast<float>(pick(4001) - 2000) / 8.0f;
                    elements[kind].push_back(value);
                    char field[32];
                    std::snprintf(field, sizeof field, "%.3f", static_cast<double>(value));
                    line += std::string(1 + pick(3), ' ') + field;
                }
                lines[0].push_back(line + std::string(pick(2), ' '));
            }
        }
        Model expected;
        for (int faces = 1 + pick(7); faces > 0; --faces, expected.count += 3) {
            std::string line = std::string(pick(2), ' ') + "f";
            for (int corner = 0, corners = 3 + pick(2); corner < corners; ++corner) {
                line += std::string(1 + pick(2), ' ');
                std::vector<float>* outputs[] = {&expected.positions, &expected.texCoords,
                                                 &expected.normals};
                for (int kind = 0; kind < 3; ++kind) {
                    const int count = static_cast<int>(elements[kind].size() / 3);
                    const int index = pick(static_cast<std::uint32_t>(count));
                    line += (kind ? "/" : "") + std::to_string(pick(2) ? index + 1 : index - count);
                    if (corner < 3) {
                        outputs[kind]->insert(outputs[kind]->end(),
                                              elements[kind].begin() + index * 3,
                                              elements[kind].begin() + index * 3 + 3);
                    }
                }
            }
            lines[1].push_back(line);
        }
        // Faces may come before the elements they name; each kind keeps its own order.
        std::string text;
        std::size_t next[2] = {0, 0};
        while (next[0] < lines[0].size() || next[1] < lines[1].size()) {
            const int from = next[0] == lines[0].size()   ? 1
                             : next[1] == lines[1].size() ? 0
                                                          : pick(2);
            text += lines[from][next[from]++] + terminators[pick(3)];
            if (pick(4) == 0) {
                text += noise[pick(8)] + terminators[pick(3)];
            }
        }
        text += pick(2) ? "f 1/1/1 1/1/1 1/1/1" : "";
        SCOPED_TRACE(text);
        ASSERT_EQ(Parse(text), expected);
    }
}
