#include "export/VideoExportSettings.h"

#include "export/ExportException.h"
#include "export/MoveRange.h"
#include "pgn/FenParser.h"
#include "platform/ShellPlatform.h"

#include <algorithm>
#include <string>
#include <utility>

namespace {

// The options' keys in the user's settings.
constexpr const char* kFormatKey = "export/format";
constexpr const char* kSizeKey = "export/size";
constexpr const char* kFpsKey = "export/fps";
constexpr const char* kWholeGameKey = "export/wholeGame";
constexpr const char* kFromKey = "export/fromMove";
constexpr const char* kToKey = "export/toMove";
constexpr const char* kAnimationKey = "export/animationMs";
constexpr const char* kPauseKey = "export/pauseMs";
constexpr const char* kCaptionKey = "export/caption";
constexpr const char* kOrientationKey = "export/orientation";

constexpr int kSizes[2][2] = {{1280, 720}, {1920, 1080}};

int Setting(const IShellPlatform& platform, const char* key, int fallback, int low, int high) {
    try {
        return std::clamp(std::stoi(platform.ReadSetting(key, std::to_string(fallback))), low,
                          high);
    } catch (const std::exception&) {
        return fallback; // a setting spoilt by hand
    }
}

// The full moves a game has: the number of its first and of its last move.
std::pair<int, int> FullMoves(const CChessGameData& game) {
    const CFenPosition start = StartPosition(game.GetStart());
    const int blackFirst = start.sideToMove == Black ? 1 : 0;
    const int last = start.fullMoveNumber + (std::max(game.MovesCount(), 1) - 1 + blackFirst) / 2;
    return {start.fullMoveNumber, last};
}

} // namespace

CVideoExportChoice ReadVideoExportChoice(const IShellPlatform& platform, const CChessGameData& game,
                                         int viewWidth, int viewHeight, int animationMs,
                                         int pauseMs) {
    const auto [firstMove, lastMove] = FullMoves(game);
    CVideoExportChoice choice;
    choice.format = Setting(platform, kFormatKey, 0, 0, 2);
    choice.size = Setting(platform, kSizeKey, 0, 0, 2);
    choice.viewWidth = viewWidth & ~1;
    choice.viewHeight = viewHeight & ~1;
    choice.fps = Setting(platform, kFpsKey, 30, 30, 60) == 60 ? 60 : 30;
    choice.wholeGame = Setting(platform, kWholeGameKey, 1, 0, 1) == 1;
    choice.firstMove = firstMove;
    choice.lastMove = lastMove;
    choice.fromMove = Setting(platform, kFromKey, firstMove, firstMove, lastMove);
    choice.toMove = Setting(platform, kToKey, lastMove, choice.fromMove, lastMove);
    // A move's time is the window's unless the user chose another for videos.
    choice.animationMs = Setting(platform, kAnimationKey, animationMs, 0, 5000);
    choice.pauseMs = Setting(platform, kPauseKey, pauseMs, 0, 30000);
    choice.caption = Setting(platform, kCaptionKey, 1, 0, 1) == 1;
    choice.orientation = Setting(platform, kOrientationKey, 0, 0, 2);
    return choice;
}

void KeepVideoExportChoice(IShellPlatform& platform, const CVideoExportChoice& choice) {
    const std::pair<const char*, int> kept[] = {{kFormatKey, choice.format},
                                                {kSizeKey, choice.size},
                                                {kFpsKey, choice.fps},
                                                {kWholeGameKey, choice.wholeGame ? 1 : 0},
                                                {kFromKey, choice.fromMove},
                                                {kToKey, choice.toMove},
                                                {kAnimationKey, choice.animationMs},
                                                {kPauseKey, choice.pauseMs},
                                                {kCaptionKey, choice.caption ? 1 : 0},
                                                {kOrientationKey, choice.orientation}};
    for (const auto& [key, value] : kept) {
        platform.WriteSetting(key, std::to_string(value));
    }
}

SExportRequest VideoExportRequest(const CVideoExportChoice& choice, const CChessGameData& game,
                                  ELegacyCodePage page) {
    SExportRequest request;
    request.path = choice.path;
    request.video.format = static_cast<EVideoFormat>(choice.format);
    request.video.width = choice.size == 2 ? choice.viewWidth : kSizes[choice.size][0];
    request.video.height = choice.size == 2 ? choice.viewHeight : kSizes[choice.size][1];
    request.video.fps = choice.fps;
    request.game = game;
    request.codePage = page;
    request.animationMs = static_cast<std::uint32_t>(choice.animationMs);
    request.pauseMs = static_cast<std::uint32_t>(choice.pauseMs);
    request.caption = choice.caption;
    request.orientation = static_cast<EVideoOrientation>(choice.orientation);
    const SMoveRange range = choice.wholeGame ? SMoveRange{0, game.MovesCount()}
                                              : FullMoveRange(game, choice.fromMove, choice.toMove);
    request.firstMove = range.first;
    request.endMove = range.end;
    if (range.first >= range.end) {
        throw CExportException("VideoExportRequest(): The game has no moves to export.");
    }
    const std::string problem = CheckVideoSettings(request.video);
    if (!problem.empty()) {
        throw CExportException("VideoExportRequest(): " + problem);
    }
    return request;
}
