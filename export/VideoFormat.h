#pragma once

#include <optional>
#include <string>
#include <string_view>

// The kinds of file a game is exported to: MP4 (H.264, plays in browsers and on phones), WebM
// (VP9) and an animated GIF (for short excerpts).
enum class EVideoFormat { Mp4 = 0, WebM = 1, Gif = 2 };

// What the encoder makes: the format, the picture size in pixels and the frames per second.
struct SVideoSettings {
    EVideoFormat format = EVideoFormat::Mp4;
    int width = 1280;
    int height = 720;
    int fps = 30;
};

// The format a file name's extension names (".mp4", ".webm", ".gif", any case); none for
// another extension.
std::optional<EVideoFormat> FormatOfPath(std::string_view path);
// ".mp4", ".webm" or ".gif".
std::string_view FormatExtension(EVideoFormat format);
// The highest rate a format plays reliably: GIF players slow down frames shorter than 2/100 s,
// so a GIF gets at most 30 frames a second; the others take what they are given.
int PlayableFps(EVideoFormat format, int fps);
// Why a size or rate cannot be encoded, empty when it can: sides from 16 to 4096 pixels and
// even (the video formats halve the colour planes), 1 to 120 frames a second.
std::string CheckVideoSettings(const SVideoSettings& settings);
