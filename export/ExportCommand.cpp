#include "export/ExportCommand.h"

#include "common/GeneralException.h"
#include "export/GameExport.h"
#include "export/MoveRange.h"
#include "pgn/PGNReader.h"

#include <atomic>
#include <charconv>
#include <csignal>
#include <optional>

namespace {

// The job an interrupt cancels; the store is lock-free, so the handler may make it.
std::atomic<CGameExportJob*> interruptible{nullptr};
static_assert(std::atomic<CGameExportJob*>::is_always_lock_free);

extern "C" void CancelOnSignal(int) {
    if (CGameExportJob* job = interruptible.load()) {
        job->Cancel();
    }
}

struct SUsageError {
    std::string text;
};

int Number(const std::string& text, const char* option) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || stop != end) {
        throw SUsageError{std::string(option) + " takes a number, not '" + text + "'"};
    }
    return value;
}

// "A-B" -> {A, B}; "A" -> {A, A}.
std::pair<int, int> Pair(const std::string& text, char separator, const char* option) {
    const std::size_t at = text.find(separator);
    if (at == std::string::npos) {
        const int single = Number(text, option);
        return {single, single};
    }
    return {Number(text.substr(0, at), option), Number(text.substr(at + 1), option)};
}

struct SCommand {
    SExportRequest request;
    std::string pgnPath;
    int game = 1;
    std::optional<std::pair<int, int>> moves;
};

SCommand Parse(const std::vector<std::string>& arguments) {
    SCommand command;
    SExportRequest& request = command.request;
    std::size_t i = 1; // arguments[0] is "--export"
    auto value = [&](const char* option) -> const std::string& {
        if (i + 1 >= arguments.size()) {
            throw SUsageError{std::string(option) + " needs a value"};
        }
        return arguments[++i];
    };
    if (arguments.size() < 2) {
        throw SUsageError{"--export needs the video's file name"};
    }
    request.path = arguments[i];
    for (++i; i < arguments.size(); ++i) {
        const std::string& option = arguments[i];
        if (option == "--game") {
            command.game = Number(value("--game"), "--game");
        } else if (option == "--moves") {
            command.moves = Pair(value("--moves"), '-', "--moves");
        } else if (option == "--size") {
            std::tie(request.video.width, request.video.height) =
                Pair(value("--size"), 'x', "--size");
        } else if (option == "--fps") {
            request.video.fps = Number(value("--fps"), "--fps");
        } else if (option == "--animation") {
            request.animationMs = static_cast<std::uint32_t>(
                std::clamp(Number(value("--animation"), "--animation"), 0, 60000));
        } else if (option == "--pause") {
            request.pauseMs = static_cast<std::uint32_t>(
                std::clamp(Number(value("--pause"), "--pause"), 0, 60000));
        } else if (option == "--no-caption") {
            request.caption = false;
        } else if (option == "--side") {
            const std::string& side = value("--side");
            if (side != "white" && side != "black") {
                throw SUsageError{"--side takes white or black, not '" + side + "'"};
            }
            request.orientation =
                side == "white" ? EVideoOrientation::White : EVideoOrientation::Black;
        } else if (!option.empty() && option[0] == '-') {
            throw SUsageError{"unknown option " + option};
        } else if (command.pgnPath.empty()) {
            command.pgnPath = option;
        } else {
            throw SUsageError{"one PGN file only, not also '" + option + "'"};
        }
    }
    if (command.pgnPath.empty()) {
        throw SUsageError{"the PGN file is missing"};
    }
    const std::optional<EVideoFormat> format = FormatOfPath(request.path);
    if (!format) {
        throw SUsageError{"the video's name must end in .mp4, .webm or .gif: '" + request.path +
                          "'"};
    }
    request.video.format = *format;
    const std::string problem = CheckVideoSettings(request.video);
    if (!problem.empty()) {
        throw SUsageError{problem};
    }
    return command;
}

// Reads the game and its range into the request. Throws CGeneralException.
void ReadGame(SCommand& command) {
    CPGNReader reader;
    reader.Load(command.pgnPath);
    const int count = reader.GamesCount();
    if (command.game < 1 || command.game > count) {
        throw CGeneralException("'" + command.pgnPath + "' has " + std::to_string(count) +
                                " games: there is no game " + std::to_string(command.game) + ".");
    }
    SExportRequest& request = command.request;
    request.game = reader.GetGameData(command.game - 1);
    request.codePage = reader.Games()->CodePage(static_cast<std::size_t>(command.game - 1));
    SMoveRange range{0, request.game.MovesCount()};
    if (command.moves) {
        range = FullMoveRange(request.game, command.moves->first, command.moves->second);
    }
    request.firstMove = range.first;
    request.endMove = range.end;
}

} // namespace

int RunExportCommand(const std::vector<std::string>& arguments, const SExportPlatform& platform,
                     std::FILE* output, std::FILE* errors) {
    SCommand command;
    try {
        command = Parse(arguments);
    } catch (const SUsageError& e) {
        std::fprintf(errors, "tavrin: %s\n%s", e.text.c_str(), kExportUsage);
        return 2;
    }
    try {
        ReadGame(command);
    } catch (const CGeneralException& e) {
        std::fprintf(errors, "tavrin: %s\n", e.GetMessage().c_str());
        return 1;
    }
    const SExportRequest& request = command.request;
    const std::unique_ptr<IGLSurface> surface =
        platform.makeSurface(request.video.width, request.video.height);
    const std::unique_ptr<ITextPainter> painter = platform.makePainter();
    SExportOutcome outcome;
    CGameExportJob job(request, *surface, *painter, false,
                       {nullptr, [&outcome](const SExportOutcome& end) { outcome = end; }});
    interruptible = &job;
    const auto oldInterrupt = std::signal(SIGINT, CancelOnSignal);
    const auto oldTerminate = std::signal(SIGTERM, CancelOnSignal);
    job.Start();
    job.Wait();
    std::signal(SIGINT, oldInterrupt);
    std::signal(SIGTERM, oldTerminate);
    interruptible = nullptr;
    if (outcome.kind != SExportOutcome::EKind::Done) {
        std::fprintf(errors, "tavrin: %s\n", outcome.message.c_str());
        return 1;
    }
    const CExportTimeline timeline = request.Timeline();
    std::fprintf(output, "%s: %d frames, %dx%d at %d fps\n", request.path.c_str(),
                 timeline.TotalFrames(), request.video.width, request.video.height,
                 PlayableFps(request.video.format, request.video.fps));
    return 0;
}
