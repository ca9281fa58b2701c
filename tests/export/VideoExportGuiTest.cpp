#include "export/GameExport.h"
#include "pgn/PGNReader.h"
#include "scene/ViewProjection.h"
#include "support/SceneWindow.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <mutex>
#include <string>

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

// FFmpeg's own tools read the files back.
std::string Output(const std::string& command) {
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[65536];
        for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
            output.append(buffer, n);
        }
        pclose(pipe);
    }
    return output;
}

// "codec,width,height,rate,frames" of the file's video stream.
std::string Probe(const std::string& path) {
    return Output("ffprobe -v error -count_frames -select_streams v:0 -show_entries "
                  "stream=codec_name,width,height,r_frame_rate,pix_fmt,nb_read_frames -of "
                  "csv=p=0 '" +
                  path + "'");
}

// Frame `n` decoded to RGB, as a viewer shows it.
std::string DecodedFrame(const std::string& path, int n) {
    return Output("ffmpeg -v error -i '" + path + "' -vf 'select=eq(n\\," + std::to_string(n) +
                  "),scale=in_color_matrix=bt709:in_range=tv:out_range=pc' -vframes 1 -f rawvideo "
                  "-pix_fmt rgb24 -");
}

CChessGameData FirstSampleGame() {
    CPGNReader reader;
    reader.Load("samples/famous_games.pgn");
    return reader.GetGameData(0);
}

struct SExportRun {
    SExportOutcome outcome;
    int progressCalls = 0;
};

// Exports on the job's worker while the interface thread keeps its events going.
SExportRun Export(const SExportRequest& request, bool windowSceneShown,
                  const std::function<void(CGameExportJob&)>& whileRunning = {}) {
    const std::unique_ptr<IGLSurface> surface =
        CreateOffscreenSurface(request.video.width, request.video.height);
    const std::unique_ptr<ITextPainter> painter = CreateTextPainter();
    SExportRun run;
    std::mutex mutex;
    bool done = false;
    CGameExportJob job(request, *surface, *painter, windowSceneShown,
                       {[&](int, int) {
                            const std::lock_guard lock(mutex);
                            ++run.progressCalls;
                        },
                        [&](const SExportOutcome& outcome) {
                            const std::lock_guard lock(mutex);
                            run.outcome = outcome;
                            done = true;
                        }});
    job.Start();
    if (whileRunning) {
        whileRunning(job);
    }
    EXPECT_TRUE(RunEventLoopUntil(
        [&] {
            const std::lock_guard lock(mutex);
            return done;
        },
        300000));
    job.Wait();
    return run;
}

SExportRequest ShortRequest(const std::string& name) {
    SExportRequest request;
    request.path = (fs::temp_directory_path() / name).string();
    request.video = {FormatOfPath(name).value(), 320, 180, 30};
    request.game = FirstSampleGame();
    request.endMove = 2; // 1. e4 e5
    request.animationMs = 200;
    request.pauseMs = 300;
    return request;
}

} // namespace

// Each format as asked for: its codec, size and rate, and title + 2 moves x 0.5 s + hold of
// frames; the MP4's index stands before its data, so that it plays while it downloads.
TEST(VideoExportGui, EachFormatHoldsTheFramesAskedFor) {
    for (const auto& [name, expected] :
         {std::pair{"tavrin_short.mp4", "h264,320,180,yuv420p,30/1,"},
          std::pair{"tavrin_short.webm", "vp9,320,180,yuv420p,30/1,"},
          std::pair{"tavrin_short.gif", "gif,320,180,bgra,"}}) {
        const SExportRequest request = ShortRequest(name);
        const SExportRun run = Export(request, false);
        ASSERT_EQ(run.outcome.kind, SExportOutcome::EKind::Done) << run.outcome.message;
        EXPECT_GT(run.progressCalls, 0);
        const std::string probe = Probe(request.path);
        EXPECT_EQ(probe.rfind(expected, 0), 0u) << probe;
        EXPECT_EQ(std::stoi(probe.substr(probe.rfind(',') + 1)), 60 + 2 * 15 + 90) << probe;
        EXPECT_FALSE(fs::exists(request.path + ".part"));
        if (request.video.format == EVideoFormat::Mp4) {
            const std::string atoms = Output("head -c 64 '" + request.path + "' | tr -c a-z .");
            EXPECT_LT(atoms.find("moov"), atoms.size()) << atoms;
        }
        fs::remove(request.path);
    }
}

// Cancelled after its first frames, and written into a folder no one may write to, an export
// ends with its message and leaves no file.
TEST(VideoExportGui, CancelAndAFolderThatCannotBeWrittenLeaveNoFile) {
    SExportRequest request = ShortRequest("tavrin_cancelled.mp4");
    request.endMove = FirstSampleGame().MovesCount();
    const SExportRun cancelled = Export(request, false, [](CGameExportJob& job) { job.Cancel(); });
    EXPECT_EQ(cancelled.outcome.kind, SExportOutcome::EKind::Cancelled);
    EXPECT_EQ(cancelled.outcome.message, "The export was cancelled.");
    EXPECT_FALSE(fs::exists(request.path));
    EXPECT_FALSE(fs::exists(request.path + ".part"));

    // /sys refuses new files even to root.
    const fs::path folder = geteuid() == 0 ? fs::path("/sys") : fs::temp_directory_path() / "ro";
    if (geteuid() != 0) {
        fs::create_directories(folder);
        fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
    }
    request.path = (folder / "game.mp4").string();
    const SExportRun refused = Export(request, false);
    EXPECT_EQ(refused.outcome.kind, SExportOutcome::EKind::Failed);
    EXPECT_EQ(refused.outcome.message.rfind(
                  "CVideoEncoder::Open(): Cannot write '" + request.path + "': ", 0),
              0u)
        << refused.outcome.message;
    EXPECT_FALSE(fs::exists(request.path));
    EXPECT_FALSE(fs::exists(request.path + ".part"));
}

// The window and the video show the same moment of a move alike: the window's clock stands
// still 300 ms into 1. e4; the video's frame at that moment, decoded, differs from the
// window's picture by little more than the encoding's loss.
TEST(VideoExportGui, AFrameInAMoveLooksAsTheWindowAtThatMoment) {
    std::atomic<std::uint32_t> now{50000};
    CSceneWindow view;
    view.scene.SetClock([&now] { return now.load(); });
    view.window->Resize(800, 630);
    ASSERT_TRUE(view.Start());
    const CChessGameData game = FirstSampleGame();
    view.scene.ApplyAnimationDuration(600);
    view.chessSet.Move(game.GetMove(0));
    ASSERT_TRUE(RunEventLoopUntil([&] { return !view.chessSet.MoveReady(); }, 10000));
    now += 300;
    const CFrameImage window = view.Capture();
    ASSERT_GT(window.width, 0);
    ASSERT_EQ(window.width % 2, 0);
    ASSERT_EQ(window.height % 2, 0);
    view.SavePicture(window, "export_window_e4.png");

    SExportRequest request = ShortRequest("tavrin_matches_window.mp4");
    request.video.width = window.width;
    request.video.height = window.height;
    request.endMove = 1;
    request.animationMs = 600;
    request.pauseMs = 1000;
    request.caption = false;
    request.look = SVideoLook{&view.scene.Camera()};
    const SExportRun run = Export(request, true);
    ASSERT_EQ(run.outcome.kind, SExportOutcome::EKind::Done) << run.outcome.message;
    // The move starts after the title card, at frame 60; 300 ms on is frame 69. Over the
    // pawn's path (e2 to e4, up to a pawn's height) frames 120 ms earlier or later differ more.
    int left = window.width, top = window.height, right = 0, bottom = 0;
    for (double rank : {1.5, 3.5}) {
        for (double y : {7.0, 40.0}) {
            const CWindowPoint at = ProjectToWindow(view.scene.Camera(), window.width,
                                                    window.height, 4.5 * 25.0, y, -rank * 25.0);
            left = std::min(left, static_cast<int>(at.x) - 20);
            right = std::max(right, static_cast<int>(at.x) + 20);
            top = std::min(top, static_cast<int>(at.y) - 20);
            bottom = std::max(bottom, static_cast<int>(at.y) + 20);
        }
    }
    // The mean absolute difference of frame n to the window's picture, over the whole picture
    // or over the pawn's path.
    const auto difference = [&](int n, bool path) {
        const std::string frame = DecodedFrame(request.path, n);
        EXPECT_EQ(frame.size(), static_cast<std::size_t>(window.width) * window.height * 3);
        double sum = 0.0;
        std::size_t count = 0;
        for (std::size_t i = 0; i < frame.size() && i / 3 * 4 < window.rgba.size(); ++i) {
            const int x = static_cast<int>(i / 3) % window.width;
            const int y = static_cast<int>(i / 3) / window.width;
            if (!path || (x >= left && x < right && y >= top && y < bottom)) {
                sum +=
                    std::abs(static_cast<unsigned char>(frame[i]) - window.rgba[i / 3 * 4 + i % 3]);
                ++count;
            }
        }
        return sum / static_cast<double>(std::max<std::size_t>(count, 1));
    };
    const double atTheMoment = difference(69, false);
    EXPECT_LT(atTheMoment, 3.0);
    const double onThePath = difference(69, true);
    EXPECT_LT(onThePath, difference(65, true));
    EXPECT_LT(onThePath, difference(73, true));
    std::printf("mean absolute difference of the video's frame to the window: %.2f, over the "
                "pawn's path %.2f\n",
                atTheMoment, onThePath);
    fs::remove(request.path);
}
