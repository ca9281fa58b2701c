#include "gfx3d/Texture.h"

#include "common/FileProblem.h"
#include "gfx3d/GfxExceptions.h"
#include "gfx3d/TGAImage.h"

#include <GL/glew.h>
#include <algorithm>
#include <cstdint>
#include <type_traits>
#include <vector>

static_assert(std::is_same_v<GLuint, unsigned int>);

CTexturePixels TexturePixels(const CTGAImage& image) {
    CTexturePixels upload;
    const int bits = image.BitsPerPixel();
    if (bits == 24 || bits == 32) {
        upload.components = bits / 8;
    } else if (bits == 8 && !image.Palette().empty()) {
        const std::vector<std::uint8_t>& indexes = image.Pixels();
        const std::vector<std::uint8_t>& palette = image.Palette();
        const std::size_t components = image.PaletteHasAlpha() ? 4 : 3;
        upload.expanded.resize(indexes.size() * components);
        std::uint8_t* out = upload.expanded.data();
        for (const std::uint8_t index : indexes) {
            out = std::copy_n(palette.begin() + static_cast<std::ptrdiff_t>(index) * 4, components,
                              out);
        }
        upload.components = static_cast<int>(components);
    }
    return upload;
}

const std::uint8_t* CTexturePixels::Data(const CTGAImage& image) const {
    return expanded.empty() ? image.Pixels().data() : expanded.data();
}

namespace {

constexpr std::string_view kRefusalStart = "Cannot load texture from file '";
constexpr std::string_view kRefusalEnd = "'!";

// Why a texture file does not decode, in plain words. What the file system says comes only for
// a file that cannot be opened: the bytes of an image are no text to judge.
std::string TextureProblem(const std::string& path) {
    CTGAImage image;
    const int status = image.Load(path.c_str());
    if (status == CTGAImage::kLoaded) {
        return {};
    }
    std::string problem = status == CTGAImage::kCannotOpen ? DescribeFileProblem(path) : "";
    return problem.empty() ? image.Problem() : problem;
}

} // namespace

std::string ExplainTextureFailure(const std::string& message) {
    if (!message.starts_with(kRefusalStart) || !message.ends_with(kRefusalEnd)) {
        return message;
    }
    const std::string path = message.substr(
        kRefusalStart.size(), message.size() - kRefusalStart.size() - kRefusalEnd.size());
    const std::string problem = TextureProblem(path);
    return problem.empty() ? message : message + " (" + problem + ")";
}

void LoadTexture(const std::string& path, unsigned int& texture) {
    CTGAImage image;
    // The implementation's limit, known once a context is current (none: the default limit).
    GLint largest = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
    if (largest > 0) {
        image.SetMaxSide(std::min<int>(largest, CTGAImage::kDefaultMaxSide));
    }
    if (image.Load(path.c_str()) != CTGAImage::kLoaded) {
        throw C3DObjectException("Cannot load texture from file '" + path + "'!");
    }
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    const CTexturePixels upload = TexturePixels(image);
    if (upload.components != 0) {
        const GLenum format = upload.components == 3 ? GL_RGB : GL_RGBA;
        // Rows are packed without padding, so an odd width must not be read 4-byte aligned.
        GLint alignment = 4;
        glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glTexImage2D(GL_TEXTURE_2D, 0, upload.components, image.Width(), image.Height(), 0, format,
                     GL_UNSIGNED_BYTE, upload.Data(image));
        glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
    }
    image.Release();
}
