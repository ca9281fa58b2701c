#include "tools/render-pieces/PieceRenderer.h"

#include "common/GeneralException.h"
#include "gfx3d/Texture.h"
#include "tools/render-pieces/PieceMesh.h"

#include <GL/glew.h>
#include <GL/glu.h>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <stdexcept>

namespace {

constexpr int kPictureSize = 512;
constexpr std::array<const char*, 6> kModels = {"Pawn", "Knight", "Bishop", "Rook", "Dame", "King"};

// A multisampled frame buffer resolved into a plain one for reading.
class COffscreenTarget {
public:
    COffscreenTarget(int width, int height) : width(width), height(height) {
        GLint maxSamples = 0;
        glGetIntegerv(GL_MAX_SAMPLES, &maxSamples);
        const GLsizei samples = std::min<GLint>(maxSamples, 4);

        glGenRenderbuffers(2, drawBuffers);
        glBindRenderbuffer(GL_RENDERBUFFER, drawBuffers[0]);
        glRenderbufferStorageMultisample(GL_RENDERBUFFER, samples, GL_RGBA8, width, height);
        glBindRenderbuffer(GL_RENDERBUFFER, drawBuffers[1]);
        glRenderbufferStorageMultisample(GL_RENDERBUFFER, samples, GL_DEPTH_COMPONENT24, width,
                                         height);
        glGenFramebuffers(1, &drawFrame);
        glBindFramebuffer(GL_FRAMEBUFFER, drawFrame);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER,
                                  drawBuffers[0]);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER,
                                  drawBuffers[1]);
        const bool drawComplete =
            glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;

        glGenRenderbuffers(1, &readBuffer);
        glBindRenderbuffer(GL_RENDERBUFFER, readBuffer);
        glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
        glGenFramebuffers(1, &readFrame);
        glBindFramebuffer(GL_FRAMEBUFFER, readFrame);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER,
                                  readBuffer);
        const bool readComplete =
            glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
        if (!drawComplete || !readComplete) {
            Release();
            throw std::runtime_error("the off-screen frame buffer is incomplete");
        }
        glBindFramebuffer(GL_FRAMEBUFFER, drawFrame);
        glViewport(0, 0, width, height);
    }

    ~COffscreenTarget() { Release(); }
    COffscreenTarget(const COffscreenTarget&) = delete;
    COffscreenTarget& operator=(const COffscreenTarget&) = delete;

    std::vector<std::uint8_t> Read() {
        glBindFramebuffer(GL_READ_FRAMEBUFFER, drawFrame);
        glBindFramebuffer(GL_DRAW_FRAMEBUFFER, readFrame);
        glBlitFramebuffer(0, 0, width, height, 0, 0, width, height, GL_COLOR_BUFFER_BIT,
                          GL_NEAREST);
        glBindFramebuffer(GL_READ_FRAMEBUFFER, readFrame);
        std::vector<std::uint8_t> rgba(static_cast<std::size_t>(width) *
                                       static_cast<std::size_t>(height) * 4);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
        glBindFramebuffer(GL_FRAMEBUFFER, drawFrame);
        return rgba;
    }

private:
    void Release() {
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glDeleteFramebuffers(1, &drawFrame);
        glDeleteFramebuffers(1, &readFrame);
        glDeleteRenderbuffers(2, drawBuffers);
        glDeleteRenderbuffers(1, &readBuffer);
        drawFrame = readFrame = readBuffer = drawBuffers[0] = drawBuffers[1] = 0;
    }

    int width;
    int height;
    GLuint drawFrame = 0;
    GLuint drawBuffers[2] = {0, 0};
    GLuint readFrame = 0;
    GLuint readBuffer = 0;
};

struct SPlacement {
    const SPieceMesh* mesh;
    GLuint texture; // 0: untextured
    float x;
    float z;
};

struct SCamera {
    float targetY;
    float azimuthDegrees;   // 0: looking from +z towards -z, 90: from +x
    float elevationDegrees; // 90: straight down
    float distance;
};

std::optional<SPieceMesh> LoadModel(const std::string& folder, const char* name) {
    const std::string path = folder + "/" + name + ".obj";
    if (!std::filesystem::exists(path)) {
        std::fprintf(stderr, "tavrin-render-pieces: %s not found, skipped\n", path.c_str());
        return std::nullopt;
    }
    try {
        return LoadPieceMesh(path);
    } catch (const CGeneralException& e) {
        std::fprintf(stderr, "tavrin-render-pieces: %s: %s\n", path.c_str(),
                     e.GetMessage().c_str());
        return std::nullopt;
    }
}

GLuint LoadPieceTexture(const std::string& folder, const char* file) {
    const std::string path = folder + "/" + file;
    GLuint texture = 0;
    try {
        LoadTexture(path, texture);
    } catch (const CGeneralException& e) {
        std::fprintf(stderr, "tavrin-render-pieces: %s (drawn untextured)\n",
                     e.GetMessage().c_str());
        return 0;
    }
    // LoadTexture uploads level 0 only; mipmaps keep the grain from shimmering at a distance.
    glGenerateMipmap(GL_TEXTURE_2D);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    return texture;
}

// Two lights fixed to the camera, so every view is lit alike: a key light from the upper left
// in front and a weaker fill from the right.
void SetUpLighting() {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    const GLfloat ambient[] = {0.22f, 0.22f, 0.22f, 1.0f};
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient);
    // Highlights added after texturing, so that they show on dark wood too.
    glLightModeli(GL_LIGHT_MODEL_COLOR_CONTROL, GL_SEPARATE_SPECULAR_COLOR);

    const GLfloat keyPosition[] = {-0.5f, 0.8f, 1.0f, 0.0f};
    const GLfloat keyDiffuse[] = {0.85f, 0.83f, 0.8f, 1.0f};
    const GLfloat keySpecular[] = {0.7f, 0.7f, 0.7f, 1.0f};
    glLightfv(GL_LIGHT0, GL_POSITION, keyPosition);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, keyDiffuse);
    glLightfv(GL_LIGHT0, GL_SPECULAR, keySpecular);

    const GLfloat fillPosition[] = {0.9f, 0.3f, 0.4f, 0.0f};
    const GLfloat fillDiffuse[] = {0.35f, 0.36f, 0.4f, 1.0f};
    const GLfloat fillSpecular[] = {0.2f, 0.2f, 0.2f, 1.0f};
    glLightfv(GL_LIGHT1, GL_POSITION, fillPosition);
    glLightfv(GL_LIGHT1, GL_DIFFUSE, fillDiffuse);
    glLightfv(GL_LIGHT1, GL_SPECULAR, fillSpecular);

    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glEnable(GL_LIGHT1);
    glEnable(GL_NORMALIZE);

    const GLfloat white[] = {1.0f, 1.0f, 1.0f, 1.0f};
    const GLfloat specular[] = {0.35f, 0.35f, 0.35f, 1.0f};
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE, white);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, specular);
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 40.0f);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
}

void DrawMesh(const SPlacement& placement) {
    const SPieceMesh& mesh = *placement.mesh;
    glPushMatrix();
    glTranslatef(placement.x, 0.0f, placement.z);
    if (placement.texture != 0) {
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, placement.texture);
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glTexCoordPointer(2, GL_FLOAT, 0, mesh.texCoords.data());
    } else {
        glDisable(GL_TEXTURE_2D);
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    }
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, mesh.positions.data());
    glNormalPointer(GL_FLOAT, 0, mesh.normals.data());
    glDrawArrays(GL_TRIANGLES, 0, mesh.VertexCount());
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glPopMatrix();
}

std::vector<std::uint8_t> RenderView(COffscreenTarget& target, int width, int height,
                                     const SCamera& camera,
                                     const std::vector<SPlacement>& placements) {
    glClearColor(0.46f, 0.47f, 0.5f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_MULTISAMPLE);

    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, static_cast<double>(width) / height, 1.0, 2000.0);
    SetUpLighting();

    constexpr double kRadians = 3.14159265358979323846 / 180.0;
    const double azimuth = camera.azimuthDegrees * kRadians;
    const double elevation = camera.elevationDegrees * kRadians;
    const double eyeX = camera.distance * std::cos(elevation) * std::sin(azimuth);
    const double eyeY = camera.targetY + camera.distance * std::sin(elevation);
    const double eyeZ = camera.distance * std::cos(elevation) * std::cos(azimuth);
    const bool fromAbove = camera.elevationDegrees > 89.0f;
    gluLookAt(eyeX, eyeY, eyeZ, 0.0, camera.targetY, 0.0, 0.0, fromAbove ? 0.0 : 1.0,
              fromAbove ? -1.0 : 0.0);

    for (const SPlacement& placement : placements) {
        DrawMesh(placement);
    }
    return target.Read();
}

} // namespace

std::string InitGlew() {
    glewExperimental = GL_TRUE;
    const GLenum result = glewInit();
    if (result != GLEW_OK) {
        return reinterpret_cast<const char*>(glewGetErrorString(result));
    }
    if (!GLEW_VERSION_3_0 && !GLEW_ARB_framebuffer_object) {
        return "frame buffer objects are not supported";
    }
    return {};
}

int RenderPieces(const SRenderOptions& options, const PictureSink& sink) {
    std::vector<std::pair<const char*, SPieceMesh>> meshes;
    for (const char* name : kModels) {
        if (auto mesh = LoadModel(options.gfxFolder, name)) {
            meshes.emplace_back(name, std::move(*mesh));
        }
    }
    const std::array<std::pair<const char*, GLuint>, 2> colours = {
        std::pair{"white", LoadPieceTexture(options.gfxFolder, "white_piece.tga")},
        std::pair{"black", LoadPieceTexture(options.gfxFolder, "black_piece.tga")}};

    int pictures = 0;
    {
        COffscreenTarget target(kPictureSize, kPictureSize);
        struct SView {
            const char* name;
            float azimuth;
            float elevation;
        };
        constexpr std::array<SView, 3> kViews = {
            SView{"front", 0.0f, 10.0f}, SView{"side", 90.0f, 10.0f}, SView{"above", 0.0f, 90.0f}};
        for (const auto& [colour, texture] : colours) {
            for (const auto& [name, mesh] : meshes) {
                for (const SView& view : kViews) {
                    const SCamera camera = {mesh.height / 2.0f, view.azimuth, view.elevation,
                                            options.distance};
                    const auto rgba = RenderView(target, kPictureSize, kPictureSize, camera,
                                                 {SPlacement{&mesh, texture, 0.0f, 0.0f}});
                    sink(std::string(name) + "_" + colour + "_" + view.name, kPictureSize,
                         kPictureSize, rgba);
                    ++pictures;
                }
            }
        }
    }

    if (!meshes.empty()) {
        // White pieces in front, black ones behind, in the order of kModels from left to right.
        constexpr int kWidth = kPictureSize * 2;
        constexpr float kSpacing = 20.0f;
        COffscreenTarget target(kWidth, kPictureSize);
        std::vector<SPlacement> placements;
        float tallest = 0.0f;
        for (std::size_t i = 0; i < meshes.size(); ++i) {
            const float x = (static_cast<float>(i) - (meshes.size() - 1) / 2.0f) * kSpacing;
            placements.push_back({&meshes[i].second, colours[1].second, x, -1.5f * kSpacing});
            placements.push_back({&meshes[i].second, colours[0].second, x, 0.0f});
            tallest = std::max(tallest, meshes[i].second.height);
        }
        // Closer than the single views: the row is wide enough to fill the picture.
        const SCamera camera = {tallest / 2.0f, 0.0f, 25.0f, options.distance * 0.75f};
        sink("overview", kWidth, kPictureSize,
             RenderView(target, kWidth, kPictureSize, camera, placements));
        ++pictures;
    }

    for (const auto& [colour, texture] : colours) {
        glDeleteTextures(1, &texture);
    }
    return pictures;
}
