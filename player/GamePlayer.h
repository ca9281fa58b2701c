#pragma once

#include "chess/ChessSet.h"
#include "pgn/PGNReader.h"
#include "scene/ScenePlayback.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <thread>

// The program's PGN reader, extended by playback: it keeps the current game and the index of
// its next move, and executes the moves on the chess set from a thread of its own, one every
// ((animation + pause) / 100 + 1) x 100 ms, the first at once. Each executed move is handed to
// the scene through the chess set's moveReady flag; the player never waits for an animation to
// end, only for the scene to have taken the previous move.
//
// All operations but StepForward run on the interface thread. After a successful Load the
// caller selects a game (SelectGame(0)), so that playback starts from a reset board and scene
// rather than from wherever an earlier game left them.
class CGamePlayer : public CPGNReader {
public:
    CGamePlayer(IScenePlayback& scene, CChessSet& chessSet);
    // Requests the player thread to end and joins it; the caller's playing flag is left alone.
    ~CGamePlayer();
    CGamePlayer(const CGamePlayer&) = delete;
    CGamePlayer& operator=(const CGamePlayer&) = delete;

    // Makes game `index` current and resets board and scene to its starting position (a
    // set-up position for a game with a FEN tag pair); a move not yet taken by the scene is
    // withdrawn. Throws CPGNReaderException when nothing is loaded, CGeneralException
    // "Index out of range!" for an index beyond the list; nothing changes then. Not while a
    // player thread runs.
    void SelectGame(const unsigned index);
    // Shows the initial position with no game chosen, as after "Close all games". Not while a
    // player thread runs.
    void ShowInitialPosition();

    // Starts the player thread with `playing`, which the caller has set to true and which must
    // outlive the thread. The thread runs while the flag is true and clears it itself at the end
    // of the game. Only while PlayerRunning() is false; an ended thread is joined first.
    void Play(std::atomic<bool>& playing);
    // Ends the player thread (within about 100 ms, even if the scene has stopped taking moves)
    // and returns to the start of the current game. The caller clears `playing` first.
    void Stop();

    // Ends the player thread like Stop, but leaves the game where it is. The caller clears
    // `playing` first.
    void Pause();

    // Single steps, on the interface thread while no player thread runs. Each first ends the
    // scene's running animation at once, so that no step is lost or shown twice.
    // One step of the player: executes and hands over the next move, and shows the result once
    // the game has ended; at the end of the game only shows the result.
    void StepOnce();
    // Shows at once, without animation, the position after the game's first `moves` moves (at
    // most all of them; the result line only for all of them), and continues from there.
    void ShowPosition(unsigned moves);

    // Stored and applied to the scene at once; the pace follows from the next step.
    void SetAnimationDuration(unsigned milliseconds);
    void SetPauseDuration(unsigned milliseconds) { pauseDuration = milliseconds; }
    unsigned AnimationDuration() const noexcept { return animationDuration; }
    unsigned PauseDuration() const noexcept { return pauseDuration; }

    unsigned GameIndex() const noexcept { return gameIndex; }
    // The index of the current game's next move.
    unsigned MoveIndex() const noexcept { return moveIndex; }
    bool PlayerRunning() const noexcept { return playerRunning; }

    // Executes the current game's next move once the scene has taken the previous one; does
    // nothing at the end of the game, or when a stop is requested while it waits. Runs on the
    // player thread, or on the interface thread while no player thread runs.
    void StepForward();

    // Called on the player thread when the game has ended, after the playing flag was cleared.
    // Set it while no player thread runs.
    std::function<void()> onGameEnd;
    // Called on the player thread after each move it hands to the scene. Set it while no player
    // thread runs.
    std::function<void()> onStep;

private:
    void PlayerThread();
    void PlayWhileOn();
    // Clears the caller's playing flag and calls onGameEnd. Player thread.
    void EndPlayback();
    // The step of StepForward on a copy of the current game.
    void StepForward(const CChessGameData& game);
    bool StopRequested() const noexcept { return stopRequested.load(std::memory_order_acquire); }
    std::uint32_t StepTicks() const noexcept { return (animationDuration + pauseDuration) / 100; }

    IScenePlayback& scene;
    CChessSet& chessSet;
    std::atomic<unsigned> gameIndex{0};
    std::atomic<unsigned> moveIndex{0};
    // The caller's playing flag from Play until Stop. The thread reads it once at its start;
    // Play sets it before the thread exists and Stop clears it after the join, so it needs no
    // atomic.
    std::atomic<bool>* playFlag = nullptr;
    std::atomic<bool> playerRunning{false};
    std::atomic<std::uint32_t> animationDuration{400};
    std::atomic<std::uint32_t> pauseDuration{0};
    // Set by Stop and the destructor: the thread leaves its loop and its wait for the scene
    // without touching the caller's flag.
    std::atomic<bool> stopRequested{false};
    std::thread playerThread;
};
