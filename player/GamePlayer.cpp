#include "player/GamePlayer.h"

#include "common/GeneralException.h"
#include "common/Ticks.h"
#include "pgn/FenParser.h"

#include <algorithm>

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
    // A move the scene has not taken yet is withdrawn first: the scene reads the board only
    // while it takes a move, so the board is not written under its feet.
    scene.ShowBoardNow();
    chessSet.SetUp(start.board);
    scene.RebuildPieces();
    scene.SetStartingSide(start.sideToMove);
    scene.ShowLastMove(std::nullopt);
    scene.SetGameResult(ResultNone);
    scene.RequestRedraw();
}

void CGamePlayer::ShowInitialPosition() {
    gameIndex = 0;
    moveIndex = 0;
    scene.ShowBoardNow();
    chessSet.SetUp(StartPosition({}).board);
    scene.RebuildPieces();
    scene.SetStartingSide(White);
    scene.ShowLastMove(std::nullopt);
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
    Pause();
    SelectGame(gameIndex);
}

void CGamePlayer::Pause() {
    if (playerThread.joinable()) {
        stopRequested.store(true, std::memory_order_release);
        playerThread.join();
        stopRequested.store(false, std::memory_order_release);
    }
    playFlag = nullptr;
}

void CGamePlayer::StepOnce() {
    const CChessGameData game = GetGameData(static_cast<int>(gameIndex.load()));
    scene.ShowBoardNow();
    const unsigned count = static_cast<unsigned>(game.MovesCount());
    if (moveIndex < count) {
        StepForward(game);
    }
    if (moveIndex >= count) {
        scene.SetGameResult(game.GetResult());
    }
    scene.RequestRedraw();
}

// The position is worked out on a set of its own, so the scene never sees the moves that lead
// to it.
void CGamePlayer::ShowPosition(unsigned moves) {
    const CChessGameData game = GetGameData(static_cast<int>(gameIndex.load()));
    const unsigned count = static_cast<unsigned>(game.MovesCount());
    moves = std::min(moves, count);
    CChessSet position;
    position.SetUp(StartPosition(game.GetStart()).board);
    for (unsigned i = 0; i < moves; ++i) {
        position.Move(game.GetMove(static_cast<int>(i)));
    }
    scene.ShowBoardNow(); // withdraws a move not taken yet, see SelectGame
    chessSet.CopyPosition(position);
    scene.ShowLastMove(moves > 0 ? std::optional(game.GetMove(static_cast<int>(moves) - 1))
                                 : std::nullopt);
    moveIndex = moves;
    scene.ShowBoardNow();
    scene.SetGameResult(moves == count ? game.GetResult() : ResultNone);
    scene.RequestRedraw();
}

void CGamePlayer::ShowMoves(const std::vector<CMove>& moves) {
    const CChessGameData game = GetGameData(static_cast<int>(gameIndex.load()));
    CChessSet position;
    position.SetUp(StartPosition(game.GetStart()).board);
    for (const CMove& move : moves) {
        position.Move(move);
    }
    scene.ShowBoardNow(); // withdraws a move not taken yet, see SelectGame
    chessSet.CopyPosition(position);
    scene.ShowLastMove(moves.empty() ? std::nullopt : std::optional(moves.back()));
    scene.ShowBoardNow();
    scene.SetGameResult(ResultNone);
    scene.RequestRedraw();
}

void CGamePlayer::StepMove(const CMove& move) {
    scene.ShowBoardNow();
    CChessSet check;
    check.CopyPosition(chessSet);
    check.Move(move); // throws before the shown set is touched
    WaitForScene();
    chessSet.Move(move);
    scene.SetGameResult(ResultNone);
    scene.RequestRedraw();
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
    if (!WaitForScene()) {
        return;
    }
    const CMove move = game.GetMove(static_cast<int>(index));
    moveIndex = index + 1;
    chessSet.Move(move);
}

bool CGamePlayer::WaitForScene() const {
    // The scene clears the flag within 50 ms once its animation thread is idle.
    while (chessSet.MoveReady()) {
        if (StopRequested()) {
            return false;
        }
        SleepMs(handOverPollMs);
    }
    return true;
}

// Nothing may leave the thread: a move that cannot be played (none can, in a game the reader
// listed) ends playback as the end of the game does.
void CGamePlayer::PlayerThread() {
    try {
        PlayWhileOn();
    } catch (const std::exception&) {
        EndPlayback();
    } catch (const CGeneralException&) {
        EndPlayback();
    }
    playerRunning = false;
}

void CGamePlayer::EndPlayback() {
    *playFlag = false;
    if (onGameEnd) {
        onGameEnd();
    }
}

void CGamePlayer::PlayWhileOn() {
    std::atomic<bool>& flag = *playFlag;
    std::uint32_t ticks = StepTicks();
    std::uint32_t count = 0;
    StepForward();
    if (onStep) {
        onStep();
    }
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
        if (onStep) {
            onStep();
        }
        if (moveIndex >= static_cast<unsigned>(game.MovesCount())) {
            EndPlayback();
            scene.SetGameResult(game.GetResult());
            scene.RequestRedraw();
        }
    }
}
