// tavrin-render-pieces [--gfx FOLDER] [--distance UNITS] [OUTDIR]: renders each piece model of
// the gfx folder alone, lit and textured as the viewer draws it, into PNG files, for looking at
// the models without the viewer. OUTDIR defaults to build/pictures.
//
// This file owns the Qt side (application, off-screen surface, context, PNG files); the drawing
// lives in PieceRenderer.cpp, which includes GLEW and must not meet Qt's OpenGL headers.

#include "platform/qt/QtGLFormat.h"
#include "tools/render-pieces/PieceRenderer.h"

#include <QGuiApplication>
#include <QImage>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QSurfaceFormat>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <string>

namespace {

constexpr const char* kUsage =
    "usage: tavrin-render-pieces [--gfx FOLDER] [--distance UNITS] [OUTDIR]\n";

struct SArguments {
    SRenderOptions options;
    std::string outFolder = "build/pictures";
};

bool ParseArguments(int argc, char** argv, SArguments& arguments) {
    bool folderSeen = false;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--gfx" && i + 1 < argc) {
            arguments.options.gfxFolder = argv[++i];
        } else if (argument == "--distance" && i + 1 < argc) {
            char* end = nullptr;
            arguments.options.distance = std::strtof(argv[++i], &end);
            if (*end != '\0' || !(arguments.options.distance > 0.0f)) {
                return false;
            }
        } else if (argument.starts_with("-") || folderSeen) {
            return false;
        } else {
            arguments.outFolder = argument;
            folderSeen = true;
        }
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    // GLEW needs a GLX context, which the xcb platform provides.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "xcb");
    }
    QGuiApplication application(argc, argv);

    SArguments arguments;
    if (!ParseArguments(argc, argv, arguments)) {
        std::fputs(kUsage, stderr);
        return 2;
    }

    QOffscreenSurface surface;
    surface.setFormat(TavrinGLFormat());
    surface.create();
    QOpenGLContext context;
    context.setFormat(TavrinGLFormat());
    if (!context.create() || !context.makeCurrent(&surface)) {
        std::fputs("tavrin-render-pieces: cannot create an OpenGL context\n", stderr);
        return 1;
    }
    const std::string glewError = InitGlew();
    if (!glewError.empty()) {
        std::fprintf(stderr, "tavrin-render-pieces: GLEW: %s\n", glewError.c_str());
        return 1;
    }

    try {
        std::filesystem::create_directories(arguments.outFolder);
        bool saved = true;
        const int count =
            RenderPieces(arguments.options, [&](const std::string& name, int width, int height,
                                                const std::vector<std::uint8_t>& rgba) {
                const QImage image(rgba.data(), width, height, width * 4, QImage::Format_RGBA8888);
                const std::string path = arguments.outFolder + "/" + name + ".png";
                if (!image.mirrored()
                         .convertToFormat(QImage::Format_RGB888)
                         .save(QString::fromStdString(path))) {
                    std::fprintf(stderr, "tavrin-render-pieces: cannot write %s\n", path.c_str());
                    saved = false;
                }
            });
        context.doneCurrent();
        std::printf("%d pictures in %s\n", count, arguments.outFolder.c_str());
        return saved ? 0 : 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tavrin-render-pieces: %s\n", e.what());
        return 1;
    }
}
