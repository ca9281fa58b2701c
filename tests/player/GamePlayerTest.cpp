#include "player/GamePlayer.h"

#include "pgn/FenParser.h"
#include "pgn/PGNExceptions.h"
#include "support/ChessTestUtil.h"
#include "support/ExpectThrow.h"

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <typeinfo>
#include <vector>

#include <gtest/gtest.h>

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;
using Events = std::vector<std::string>;

// Game 0: three half-moves with a capture, White won. Game 1: a longer game. Game 2: no moves.
// Game 3: from a set-up position, Black to move.
constexpr const char* kGames = R"([Event "Three"][Result "1-0"]
1. e4 d5 2. exd5 1-0
[Event "Long"]
1. d4 d5 2. c4 e6 3. Nc3 Nf6 4. Bg5 Be7 5. e3 O-O 6. Nf3 Nbd7 *
[Event "Empty"][Result "1/2-1/2"]
1/2-1/2
[Event "Ending"][Result "1/2-1/2"][FEN "8/8/4k3/8/2K5/8/3R4/8 b - - 0 30"]
30... Ke5 31. Rd5+ Ke4 1/2-1/2
)";

// At 100 ms animation and no pause: one move every 200 ms.
constexpr unsigned kFastAnimation = 100;
constexpr auto kFastStep = milliseconds(200);
const Events kEnd = {"apply 100", "end", "result 0", "redraw"};
const Events kRewound = {"show board", "rebuild", "result 3", "redraw"};

// Records the scene calls, and the end-of-game callback, in one ordered log.
class CRecordingScene : public IScenePlayback {
public:
    void RebuildPieces() override { Log("rebuild"); }
    // Withdraws a move not taken yet, as the scene does.
    void ShowBoardNow() override {
        set->ClearMoveReady();
        Log("show board");
    }
    void ApplyAnimationDuration(std::uint32_t ms) override { Log("apply " + std::to_string(ms)); }
    void SetGameResult(int result) override { Log("result " + std::to_string(result)); }
    void RequestRedraw() override { Log("redraw"); }
    void ShowLastMove(const std::optional<CMove>&) override {}
    void SetStartingSide(EPieceColor) override {}

    void Log(std::string event) {
        const std::lock_guard lock(mutex);
        events.push_back(std::move(event));
    }
    // The log since the last call.
    Events Take() {
        const std::lock_guard lock(mutex);
        return std::exchange(events, {});
    }

    CChessSet* set = nullptr;

private:
    std::mutex mutex;
    Events events;
};

// The board and both captured sets in one comparable text.
std::string Position(const CChessSet& set) {
    std::string text = testutil::Diagram(set.Board());
    for (const EPieceColor side : {White, Black}) {
        text += " ";
        for (int i = 0; i < set.Captured(side).Count(); ++i) {
            text += "PNBRQK"[set.Captured(side).GetPiece(i).type];
        }
    }
    return text;
}

// The position after the game's first `moves` moves, played from its own start.
std::string PositionAfter(const CChessGameData& game, int moves) {
    CChessSet replay;
    replay.SetUp(StartPosition(game.GetStart()).board);
    for (int i = 0; i < moves; ++i) {
        replay.Move(game.GetMove(i));
    }
    return Position(replay);
}

std::vector<CMove> MovesOf(const CChessGameData& game, std::size_t count) {
    std::vector<CMove> moves;
    for (int i = 0; i < static_cast<int>(count); ++i) {
        moves.push_back(game.GetMove(i));
    }
    return moves;
}

class GamePlayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        scene.set = &chessSet;
        player.LoadText(kGames);
        ASSERT_EQ(player.GamesCount(), 4);
        player.onGameEnd = [this] {
            scene.Log(playing ? "end while playing" : "end");
            endThread = std::this_thread::get_id();
        };
        player.SetAnimationDuration(kFastAnimation);
        scene.Take();
    }

    void Start(unsigned game) {
        player.SelectGame(game);
        scene.Take();
        Play();
    }
    void Play() {
        playing = true;
        player.Play(playing);
    }
    // Waits for the condition while playing the animation thread's part: takes each move
    // handed over and clears the flag, unless stalled like a scene that has stopped.
    bool WaitUntil(const std::function<bool()>& condition,
                   milliseconds limit = milliseconds(3000)) {
        for (const auto end = Clock::now() + limit;; std::this_thread::sleep_for(milliseconds(1))) {
            if (!stalled && chessSet.MoveReady()) {
                taken.push_back(chessSet.LastMove());
                chessSet.ClearMoveReady();
            }
            if (condition() && (stalled || !chessSet.MoveReady())) {
                return true;
            }
            if (Clock::now() > end) {
                return false;
            }
        }
    }
    bool WaitForEnd() {
        return WaitUntil([this] { return !player.PlayerRunning(); });
    }
    // Plays the current game until the scene has taken at least `moves` moves, then pauses.
    unsigned PlayAndPauseAfter(std::size_t moves) {
        EXPECT_TRUE(WaitUntil([&] { return taken.size() >= moves; }));
        playing = false;
        EXPECT_TRUE(WaitForEnd());
        const unsigned paused = player.MoveIndex();
        EXPECT_TRUE(WaitUntil([&] { return taken.size() == paused; }));
        return paused;
    }
    CChessGameData Game() const { return player.GetGameData(static_cast<int>(player.GameIndex())); }

    CRecordingScene scene;
    CChessSet chessSet;
    CGamePlayer player{scene, chessSet};
    std::vector<CMove> taken; // by the scene, in order
    bool stalled = false;
    std::atomic<bool> playing{false};
    std::thread::id endThread;
};

} // namespace

TEST(GamePlayerSelectTest, RefusesBadIndexesWithoutChangingAnything) {
    CRecordingScene scene;
    CChessSet chessSet;
    scene.set = &chessSet;
    CGamePlayer player(scene, chessSet);
    EXPECT_EQ(player.AnimationDuration(), 400u);
    EXPECT_EQ(player.PauseDuration(), 0u);
    EXPECT_THROW_MSG(player.SelectGame(0), CPGNReaderException,
                     "CPGNReader::GamesCount(): There was no file loaded!");

    player.LoadText(kGames);
    player.StepForward(); // e4 of game 0, on this thread while no player thread runs
    chessSet.ClearMoveReady();
    for (const unsigned bad : {4u, ~0u}) {
        try {
            player.SelectGame(bad);
            ADD_FAILURE() << bad << " was accepted";
        } catch (const CGeneralException& e) {
            EXPECT_EQ(typeid(e), typeid(CGeneralException));
            EXPECT_EQ(e.GetMessage(), "Index out of range!");
        }
    }
    EXPECT_TRUE(scene.Take().empty());
    EXPECT_EQ(player.MoveIndex(), 1u);
    EXPECT_FALSE(chessSet.Board().GetField(4, 3).IsEmpty());

    player.SelectGame(2);
    EXPECT_EQ(player.GameIndex(), 2u);
    EXPECT_EQ(player.MoveIndex(), 0u);
    EXPECT_EQ(Position(chessSet), Position(CChessSet{}));
    EXPECT_EQ(scene.Take(), kRewound);
    player.SetAnimationDuration(250);
    player.SetPauseDuration(500);
    EXPECT_EQ(player.AnimationDuration(), 250u);
    EXPECT_EQ(player.PauseDuration(), 500u);
    EXPECT_EQ(scene.Take(), Events{"apply 250"});
}

// The moves come at the pace of the durations; the flag is cleared before the callback, which
// runs once, on the player thread. Play at the end of a game ends it again; a game without
// moves ends one step period after Play.
TEST_F(GamePlayerTest, PlaysAGameToItsEndAtThePaceOfTheDurations) {
    const auto start = Clock::now();
    Start(0);
    ASSERT_TRUE(WaitForEnd());
    EXPECT_GE(Clock::now() - start, 2 * kFastStep);
    EXPECT_EQ(taken, MovesOf(Game(), 3));
    EXPECT_EQ(player.MoveIndex(), 3u);
    EXPECT_EQ(Position(chessSet), PositionAfter(Game(), 3));
    EXPECT_FALSE(playing);
    EXPECT_NE(endThread, std::this_thread::get_id());
    EXPECT_EQ(scene.Take(), kEnd);

    Play();
    ASSERT_TRUE(WaitForEnd());
    EXPECT_EQ(taken.size(), 3u);
    EXPECT_FALSE(playing);
    EXPECT_EQ(scene.Take(), kEnd);

    const auto empty = Clock::now();
    Start(2);
    ASSERT_TRUE(WaitForEnd());
    EXPECT_GE(Clock::now() - empty, kFastStep);
    EXPECT_EQ(taken.size(), 3u);
    EXPECT_EQ(scene.Take(), (Events{"apply 100", "end", "result 2", "redraw"}));
}

// 100 + 200 ms make a move every 400 ms. Pause ends the thread where the game stands and
// leaves board and scene alone; Play goes on with the next move at once, however long the new
// step period.
TEST_F(GamePlayerTest, ThePauseLengthensTheStepAndPlayAfterAPauseContinuesAtOnce) {
    player.SetPauseDuration(200);
    const auto start = Clock::now();
    Start(1);
    ASSERT_TRUE(WaitUntil([this] { return taken.size() >= 2; }));
    EXPECT_GE(Clock::now() - start, 2 * kFastStep);
    const unsigned paused = PlayAndPauseAfter(2);
    EXPECT_EQ(Position(chessSet), PositionAfter(Game(), static_cast<int>(paused)));
    EXPECT_EQ(scene.Take(), Events{"apply 100"});

    player.SetAnimationDuration(2000);
    Play(); // joins the thread that ended by itself
    ASSERT_TRUE(WaitUntil([this, paused] { return taken.size() > paused; }, milliseconds(1000)));
    playing = false;
    player.Pause();
    EXPECT_FALSE(player.PlayerRunning());
    EXPECT_EQ(taken, MovesOf(Game(), paused + 1));
}

TEST_F(GamePlayerTest, StopRewindsEvenWhenTheSceneTakesNoMoreMoves) {
    Start(1);
    ASSERT_TRUE(WaitUntil([this] { return taken.size() >= 1; }));
    // The player now waits for the scene to take a move that it never takes.
    stalled = true;
    ASSERT_TRUE(WaitUntil([this] { return chessSet.MoveReady(); }));
    std::this_thread::sleep_for(kFastStep);
    scene.Take();
    playing = false;
    player.Stop();
    EXPECT_FALSE(player.PlayerRunning());
    EXPECT_EQ(player.GameIndex(), 1u);
    EXPECT_EQ(player.MoveIndex(), 0u);
    EXPECT_EQ(Position(chessSet), Position(CChessSet{}));
    EXPECT_EQ(scene.Take(), kRewound);

    // Playing again starts from the first move.
    const std::size_t count = taken.size();
    stalled = false;
    Play();
    ASSERT_TRUE(WaitUntil([&] { return taken.size() > count; }));
    playing = false;
    player.Stop();
    EXPECT_EQ(taken.at(count), Game().GetMove(0));
}

TEST_F(GamePlayerTest, DestructionJoinsARunningPlayerAndLeavesTheFlagAlone) {
    auto running = std::make_unique<CGamePlayer>(scene, chessSet);
    running->LoadText(kGames);
    running->SetAnimationDuration(kFastAnimation);
    playing = true;
    running->Play(playing);
    ASSERT_TRUE(WaitUntil([this] { return taken.size() >= 1; }));
    stalled = true;
    ASSERT_TRUE(WaitUntil([this] { return chessSet.MoveReady(); }));
    running.reset();
    EXPECT_TRUE(playing);
}
