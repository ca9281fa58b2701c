#include "gfx3d/Texture.h"

#include "gfx3d/GfxExceptions.h"
#include "gfx3d/TGAImage.h"

#include <GL/glew.h>
#include <type_traits>

static_assert(std::is_same_v<GLuint, unsigned int>);

void LoadTexture(const std::string& path, unsigned int& texture) {
    CTGAImage image;
    if (image.Load(path.c_str()) != CTGAImage::kLoaded) {
        throw C3DObjectException("Cannot load texture from file '" + path + "'!");
    }
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    const int bits = image.BitsPerPixel();
    if (bits == 24 || bits == 32) {
        const GLint components = bits / 8;
        const GLenum format = bits == 24 ? GL_RGB : GL_RGBA;
        // Rows are packed without padding, so an odd width must not be read 4-byte aligned.
        GLint alignment = 4;
        glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glTexImage2D(GL_TEXTURE_2D, 0, components, image.Width(), image.Height(), 0, format,
                     GL_UNSIGNED_BYTE, image.Pixels().data());
        glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
    }
    image.Release();
}
