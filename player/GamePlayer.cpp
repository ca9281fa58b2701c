#include "player/GamePlayer.h"

#include "common/GeneralException.h"
#include "common/Ticks.h"
#include "pgn/FenParser.h"

namespace {

// The player's time resolution.
constexpr std::uint32_t tickMs = 100;
// Between two reads of moveReady while the scene has not yet taken the previous move.
constexpr std::uint32_t handOverPollMs = 2;

} // namespace

CGamePlayer::CGamePlayer(IScenePlayback& scene, CChessSet& chessSet)
    : scene(scene), chessSet(chessSet) {
}

CGamePlayer::~CGamePlayer() {
    stopRequested.store(true, std::memory_order_release);
    if (playerThread.joinable()) {
        playerThread.join();
    }
}

void CGamePlayer::SelectGame(const unsigned index) {
    if (index >= static_cast<unsigned>(GamesCount())) {
        throw CGeneralException("Index out of range!");
    }
    const CFenPosition start = StartPosition(GetGameData(static_cast<int>(index)).GetStart());
    gameIndex = index;
    moveIndex = 0;
    chessSet.SetUp(start.board);
    scene.RebuildPieces();
    scene.SetGameResult(ResultNone);
    scene.RequestRedraw();
}

void CGamePlayer::Play(std::atomic<bool>& playing) {
    if (playerThread.joinable()) {
        playerThread.join();
    }
    scene.ApplyAnimationDuration(animationDuration);
    playFlag = &playing;
    playerRunning = true;
    playerThread = std::thread(&CGamePlayer::PlayerThread, this);
}

void CGamePlayer::Stop() {
    if (playerThread.joinable()) {
        stopRequested.store(true, std::memory_order_release);
        playerThread.join();
        stopRequested.store(false, std::memory_order_release);
    }
    playFlag = nullptr;
    SelectGame(gameIndex);
}

void CGamePlayer::SetAnimationDuration(unsigned milliseconds) {
    animationDuration = milliseconds;
    scene.ApplyAnimationDuration(milliseconds);
}

void CGamePlayer::StepForward() {
    StepForward(GetGameData(static_cast<int>(gameIndex.load())));
}

void CGamePlayer::StepForward(const CChessGameData& game) {
    const unsigned index = moveIndex;
    if (index >= static_cast<unsigned>(game.MovesCount())) {
        return;
    }
    // The scene clears the flag within 50 ms once its animation thread is idle.
    while (chessSet.MoveReady()) {
        if (StopRequested()) {
            return;
        }
        SleepMs(handOverPollMs);
    }
    const CMove move = game.GetMove(static_cast<int>(index));
    moveIndex = index + 1;
    chessSet.Move(move);
}

void CGamePlayer::PlayerThread() {
    std::atomic<bool>& flag = *playFlag;
    std::uint32_t ticks = StepTicks();
    std::uint32_t count = 0;
    StepForward();
    // Each step is followed by `ticks` + 1 sleeps, the first step included, so the moves come
    // every (ticks + 1) x 100 ms; the flag is read after every sleep.
    while (true) {
        SleepMs(tickMs);
        if (!flag || StopRequested()) {
            break;
        }
        if (count < ticks) {
            ++count;
            continue;
        }
        ticks = StepTicks();
        count = 0;
        const CChessGameData game = GetGameData(static_cast<int>(gameIndex.load()));
        StepForward(game);
        if (moveIndex >= static_cast<unsigned>(game.MovesCount())) {
            flag = false;
            if (onGameEnd) {
                onGameEnd();
            }
            scene.SetGameResult(game.GetResult());
            scene.RequestRedraw();
        }
    }
    playerRunning = false;
}
