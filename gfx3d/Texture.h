#pragma once

#include <cstdint>
#include <string>
#include <vector>

class CTGAImage;

// What a decoded image uploads: 3 (RGB) or 4 (RGBA) components a pixel, rows as decoded; an
// 8-bit colour-mapped image is expanded through its palette, to RGBA when the palette carries
// alpha, else to RGB. No components for any other depth.
struct CTexturePixels {
    int components = 0;
    std::vector<std::uint8_t> expanded; // the pixels of a colour-mapped image, else empty

    const std::uint8_t* Data(const CTGAImage& image) const;
};
CTexturePixels TexturePixels(const CTGAImage& image);

// Loads a TGA file into a new OpenGL 2D texture, left bound to GL_TEXTURE_2D. 24-bit images are
// uploaded as RGB, 32-bit as RGBA, 8-bit colour-mapped ones expanded; other depths leave
// the texture without an image. Throws C3DObjectException "Cannot load texture from file
// '<path>'!" when the file cannot be decoded, also when it is larger on a side than the OpenGL
// implementation takes (16384 at most), which is known before its pixels are allocated; nothing
// is generated then. Call on the thread that owns the current OpenGL context. `texture` is a
// GLuint.
void LoadTexture(const std::string& path, unsigned int& texture);

// A message of the program with, when it is LoadTexture's refusal, what is wrong with the file
// in plain words added: "Cannot load texture from file 'gfx/wood.tga'! (the file is empty)".
// Reads the file again to tell; any other message comes back as it is.
std::string ExplainTextureFailure(const std::string& message);
