#include "export/VideoFormat.h"

#include <algorithm>
#include <cctype>

std::optional<EVideoFormat> FormatOfPath(std::string_view path) {
    const std::size_t dot = path.rfind('.');
    if (dot == std::string_view::npos || path.find('/', dot) != std::string_view::npos) {
        return std::nullopt;
    }
    std::string extension(path.substr(dot));
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (EVideoFormat format : {EVideoFormat::Mp4, EVideoFormat::WebM, EVideoFormat::Gif}) {
        if (extension == FormatExtension(format)) {
            return format;
        }
    }
    return std::nullopt;
}

std::string_view FormatExtension(EVideoFormat format) {
    switch (format) {
    case EVideoFormat::WebM:
        return ".webm";
    case EVideoFormat::Gif:
        return ".gif";
    case EVideoFormat::Mp4:
        break;
    }
    return ".mp4";
}

int PlayableFps(EVideoFormat format, int fps) {
    return format == EVideoFormat::Gif ? std::min(fps, 30) : fps;
}

std::string CheckVideoSettings(const SVideoSettings& settings) {
    const auto sideOk = [](int side) { return side >= 16 && side <= 4096 && side % 2 == 0; };
    if (!sideOk(settings.width) || !sideOk(settings.height)) {
        return "The size " + std::to_string(settings.width) + "x" +
               std::to_string(settings.height) +
               " cannot be encoded: each side must be even, from 16 to 4096 pixels.";
    }
    if (settings.fps < 1 || settings.fps > 120) {
        return "The rate of " + std::to_string(settings.fps) +
               " frames a second cannot be encoded: it must lie from 1 to 120.";
    }
    return {};
}
