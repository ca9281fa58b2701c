#pragma once

#include "platform/GLSurface.h"
#include "platform/TextPainter.h"

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// What the command line needs of the platform: an off-screen surface and a text painter,
// made on the calling (interface) thread.
struct SExportPlatform {
    std::function<std::unique_ptr<IGLSurface>(int width, int height)> makeSurface;
    std::function<std::unique_ptr<ITextPainter>()> makePainter;
};

inline constexpr const char* kExportUsage =
    "Usage: tavrin --export OUT.mp4|OUT.webm|OUT.gif [--game N] [--moves A-B]\n"
    "              [--size WxH] [--fps N] [--animation MS] [--pause MS]\n"
    "              [--no-caption] [--side white|black] FILE.pgn\n"
    "Renders game N of FILE.pgn (1, the first, by default), or its full moves A to B, into a\n"
    "video without showing a window: MP4 (H.264), WebM (VP9) or an animated GIF, by OUT's\n"
    "extension. Defaults: --size 1280x720, --fps 30, --animation 600, --pause 1000.\n";

// `tavrin --export ...` with `arguments` from "--export" on: renders the video on a worker
// thread and waits for it. Returns 0 when the file is complete; 2 with the usage on a bad
// argument; 1 when the file cannot be read or the video cannot be made, with the reason on
// `errors`. No partial file is left behind; an interrupt (SIGINT, SIGTERM) cancels the export.
int RunExportCommand(const std::vector<std::string>& arguments, const SExportPlatform& platform,
                     std::FILE* output, std::FILE* errors);
