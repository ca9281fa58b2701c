// export_bench [PGN] [--formats mp4,webm,gif]: video export of one real game of 40 moves (the
// first of PGN, by default /work/data/gnuchess-book-1.02.pgn, else the samples) at the default
// durations (600 ms a move, 1 s pause), off screen without a window, at 720p and 1080p and 30
// frames a second. Prints for each: the wall time of rendering and encoding and how it splits,
// the processor time, the ratio of the video's duration to the wall time (1.0 or more: as fast
// as it plays), and the file's size. Needs a display (xvfb-run).

#include "common/GeneralException.h"
#include "export/GameExport.h"
#include "pgn/PGNReader.h"
#include "platform/qt/QtPlatform.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <vector>

namespace {

double ProcessorSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

bool FindGame(const std::string& path, CChessGameData& game, std::string& title) {
    CPGNReader reader;
    reader.Load(path);
    for (int i = 0; i < reader.GamesCount(); ++i) {
        const CChessGameData data = reader.GetGameData(i);
        if (data.MovesCount() == 79 || data.MovesCount() == 80) {
            game = data;
            title = reader.PrepareGameTitle(i);
            return true;
        }
    }
    return false;
}

void Measure(const CChessGameData& game, EVideoFormat format, int width, int height) {
    SExportRequest request;
    request.path = (std::filesystem::temp_directory_path() /
                    ("tavrin_export_bench" + std::string(FormatExtension(format))))
                       .string();
    request.video = {format, width, height, 30};
    request.game = game;
    request.endMove = game.MovesCount();
    const std::unique_ptr<IGLSurface> surface = CreateOffscreenSurface(width, height);
    const std::unique_ptr<ITextPainter> painter = CreateTextPainter();
    SExportOutcome outcome;
    const double processorBefore = ProcessorSeconds();
    const auto start = std::chrono::steady_clock::now();
    {
        CGameExportJob job(request, *surface, *painter, false,
                           {nullptr, [&](const SExportOutcome& end) { outcome = end; }});
        job.Start();
        job.Wait();
    }
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double processor = ProcessorSeconds() - processorBefore;
    if (outcome.kind != SExportOutcome::EKind::Done) {
        std::printf("%dx%d %s: %s\n", width, height, FormatExtension(format).data(),
                    outcome.message.c_str());
        return;
    }
    const CExportTimeline timeline = request.Timeline();
    const double duration = timeline.TotalFrames() / 30.0;
    const auto bytes = std::filesystem::file_size(request.path);
    std::printf("%dx%d %-5s %d frames (%.1f s of video): %.1f s (render %.1f s, encode %.1f s), "
                "processor %.1f s, %.2fx real time, %.2f MB\n",
                width, height, FormatExtension(format).data(), timeline.TotalFrames(), duration,
                wall, outcome.renderSeconds, outcome.encodeSeconds, processor, duration / wall,
                static_cast<double>(bytes) / 1e6);
    std::filesystem::remove(request.path);
}

} // namespace

int main(int argc, char** argv) {
    std::string path = "/work/data/gnuchess-book-1.02.pgn";
    std::vector<EVideoFormat> formats = {EVideoFormat::Mp4};
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--formats" && i + 1 < argc) {
            const std::string list = argv[++i];
            formats.clear();
            for (EVideoFormat format : {EVideoFormat::Mp4, EVideoFormat::WebM, EVideoFormat::Gif}) {
                if (list.find(FormatExtension(format).substr(1)) != std::string::npos) {
                    formats.push_back(format);
                }
            }
        } else {
            path = arg;
        }
    }
    if (!std::filesystem::exists(path)) {
        path = "samples/famous_games.pgn";
    }
    CQtApplication application(argc, argv);
    CChessGameData game{"", "", "", "", "", "", ResultNone, {}};
    std::string title;
    try {
        if (!FindGame(path, game, title)) {
            std::printf("%s holds no game of 40 moves\n", path.c_str());
            return 1;
        }
    } catch (const CGeneralException& e) {
        std::printf("%s\n", e.GetMessage().c_str());
        return 1;
    }
    std::printf("game: %s (%d plies) from %s\n", title.c_str(), game.MovesCount(), path.c_str());
    for (EVideoFormat format : formats) {
        Measure(game, format, 1280, 720);
        Measure(game, format, 1920, 1080);
    }
    return 0;
}
