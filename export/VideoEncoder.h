#pragma once

#include "export/VideoFormat.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

// Encodes RGBA pictures into a video file with FFmpeg's libraries: MP4 (H.264, yuv420p, its
// index at the front so that it plays while it downloads), WebM (VP9, yuv420p) or an animated
// GIF (a palette made for every picture). The file is written under a name of its own beside
// the target (".part" added) and takes the target's name only when Finish succeeds, so that a
// failed, cancelled or crashed export never leaves a half file under the name asked for, nor
// spoils a file that was there before. Errors throw CExportException with the reason FFmpeg
// or the system gives ("File too large", "Permission denied"); the partial file is then gone.
//
// One thread at a time.
class CVideoEncoder {
public:
    // Opens the encoder and the partial file. Throws CExportException for settings that cannot
    // be encoded (CheckVideoSettings), a missing encoder or a file that cannot be made.
    CVideoEncoder(std::string path, const SVideoSettings& settings);
    // Without a successful Finish, removes the partial file.
    ~CVideoEncoder();
    CVideoEncoder(const CVideoEncoder&) = delete;
    CVideoEncoder& operator=(const CVideoEncoder&) = delete;

    // Encodes the next picture: width x height RGBA pixels whose rows lie `stride` bytes apart,
    // the top row first, or the bottom row first (as OpenGL reads a picture back) when
    // `bottomUp`. Throws CExportException when the encoder or the file fails.
    void AddFrame(const std::uint8_t* rgba, std::ptrdiff_t stride, bool bottomUp);
    // Drains the encoder, completes the file and gives it the target's name. Throws
    // CExportException when that fails; nothing is left behind then.
    void Finish();
    // Closes and removes the partial file without completing it. Never throws.
    void Abandon() noexcept;

    std::int64_t FramesAdded() const noexcept { return framesAdded; }
    const std::string& Path() const noexcept { return path; }
    // The name written to until Finish.
    const std::string& PartialPath() const noexcept { return partialPath; }

private:
    struct SState;
    void Open();
    // Sends `frame` (null to drain) to the encoder and writes every packet it gives back.
    void Encode(void* frame, const char* operation);
    [[noreturn]] void Fail(const char* operation, const std::string& reason);

    std::string path;
    std::string partialPath;
    SVideoSettings settings;
    std::unique_ptr<SState> state;
    std::int64_t framesAdded = 0;
    bool finished = false;
};
