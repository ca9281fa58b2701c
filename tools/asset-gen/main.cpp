// tavrin-asset-gen FOLDER: writes the piece models and the textures of the viewer into FOLDER
// (the repository's gfx/ holds its committed output).

#include "tools/asset-gen/Models.h"
#include "tools/asset-gen/Textures.h"

#include <cstdio>
#include <exception>
#include <filesystem>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: tavrin-asset-gen FOLDER\n", stderr);
        return 2;
    }
    try {
        std::filesystem::create_directories(argv[1]);
        WriteModels(argv[1]);
        WriteTextures(argv[1]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tavrin-asset-gen: %s\n", e.what());
        return 1;
    }
    return 0;
}
