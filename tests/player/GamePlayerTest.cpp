#include "player/GamePlayer.h"

#include "pgn/FenParser.h"
#include "pgn/PGNExceptions.h"
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

// Game 0: three half-moves with a capture, White won. Game 1: a longer game. Game 2: no moves.
constexpr const char* kGames = R"([Event "Three"][Result "1-0"]
1. e4 d5 2. exd5 1-0
[Event "Long"]
1. d4 d5 2. c4 e6 3. Nc3 Nf6 4. Bg5 Be7 5. e3 O-O 6. Nf3 Nbd7 *
[Event "Empty"][Result "1/2-1/2"]
1/2-1/2
)";

// At 100 ms animation and no pause: one move every 200 ms.
constexpr unsigned kFastAnimation = 100;
constexpr auto kFastStep = milliseconds(200);

// Records the scene calls, and the end-of-game callback, in one ordered log.
class CRecordingScene : public IScenePlayback {
public:
    void RebuildPieces() override { Log("rebuild"); }
    // Withdraws a move not taken yet, as the scene does.
    void ShowBoardNow() override {
        if (set != nullptr) {
            set->ClearMoveReady();
        }
        Log("show board");
    }
    void ApplyAnimationDuration(std::uint32_t ms) override { Log("apply " + std::to_string(ms)); }
    void SetGameResult(int result) override { Log("result " + std::to_string(result)); }
    void RequestRedraw() override { Log("redraw"); }
    void ShowLastMove(const std::optional<CMove>&) override {}

    void Log(std::string event) {
        const std::lock_guard lock(mutex);
        events.push_back(std::move(event));
    }
    std::vector<std::string> Events() const {
        const std::lock_guard lock(mutex);
        return events;
    }
    void Clear() {
        const std::lock_guard lock(mutex);
        events.clear();
    }

    CChessSet* set = nullptr;

private:
    mutable std::mutex mutex;
    std::vector<std::string> events;
};

// Plays the animation thread's part: takes each handed-over move and clears the flag. While
// stalled it takes nothing, as a scene that has stopped.
class CMoveConsumer {
public:
    explicit CMoveConsumer(CChessSet& set) : set(set), thread([this] { Run(); }) {}
    ~CMoveConsumer() {
        quit = true;
        thread.join();
    }

    void Stall(bool value) { stalled = value; }
    std::vector<CMove> Moves() const {
        const std::lock_guard lock(mutex);
        return moves;
    }
    std::vector<Clock::time_point> Times() const {
        const std::lock_guard lock(mutex);
        return times;
    }
    std::size_t Count() const { return Moves().size(); }

private:
    void Run() {
        while (!quit) {
            if (!stalled && set.MoveReady()) {
                const CMove move = set.LastMove();
                {
                    const std::lock_guard lock(mutex);
                    moves.push_back(move);
                    times.push_back(Clock::now());
                }
                set.ClearMoveReady();
            }
            std::this_thread::sleep_for(milliseconds(1));
        }
    }

    CChessSet& set;
    std::atomic<bool> quit{false};
    std::atomic<bool> stalled{false};
    mutable std::mutex mutex;
    std::vector<CMove> moves;
    std::vector<Clock::time_point> times;
    std::thread thread;
};

bool WaitUntil(const std::function<bool()>& condition, milliseconds limit = milliseconds(3000)) {
    const auto end = Clock::now() + limit;
    while (!condition()) {
        if (Clock::now() > end) {
            return false;
        }
        std::this_thread::sleep_for(milliseconds(2));
    }
    return true;
}

std::vector<CMove> MovesOf(const CChessGameData& game, int count) {
    std::vector<CMove> moves;
    for (int i = 0; i < count; ++i) {
        moves.push_back(game.GetMove(i));
    }
    return moves;
}

void ExpectSamePosition(const CChessSet& actual, const CChessSet& expected) {
    for (int file = 0; file < 8; ++file) {
        for (int rank = 0; rank < 8; ++rank) {
            const CField a = actual.Board().GetField(file, rank);
            const CField e = expected.Board().GetField(file, rank);
            ASSERT_EQ(a.IsEmpty(), e.IsEmpty()) << file << "," << rank;
            if (!e.IsEmpty()) {
                EXPECT_EQ(a.Piece(), e.Piece()) << file << "," << rank;
            }
        }
    }
    for (const EPieceColor side : {White, Black}) {
        ASSERT_EQ(actual.Captured(side).Count(), expected.Captured(side).Count());
        for (int i = 0; i < expected.Captured(side).Count(); ++i) {
            EXPECT_EQ(actual.Captured(side).GetPiece(i), expected.Captured(side).GetPiece(i));
        }
    }
}

void ExpectReplayed(const CChessSet& actual, const CChessGameData& game, int moves) {
    CChessSet replay;
    for (int i = 0; i < moves; ++i) {
        replay.Move(game.GetMove(i));
    }
    ExpectSamePosition(actual, replay);
}

class GamePlayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        scene.set = &chessSet;
        player.LoadText(kGames);
        ASSERT_EQ(player.GamesCount(), 3);
        player.onGameEnd = [this] {
            scene.Log(playing ? "end while playing" : "end");
            endThread = std::this_thread::get_id();
        };
        player.SetAnimationDuration(kFastAnimation);
    }

    void Start(unsigned game) {
        player.SelectGame(game);
        scene.Clear();
        playing = true;
        player.Play(playing);
    }

    bool WaitForEnd() {
        return WaitUntil([this] { return !player.PlayerRunning(); });
    }

    CRecordingScene scene;
    CChessSet chessSet;
    CGamePlayer player{scene, chessSet};
    CMoveConsumer consumer{chessSet};
    std::atomic<bool> playing{false};
    std::thread::id endThread;
};

TEST(GamePlayerSelectTest, RefusesBadIndexesWithoutChangingAnything) {
    CRecordingScene scene;
    CChessSet chessSet;
    CGamePlayer player(scene, chessSet);
    EXPECT_EQ(player.AnimationDuration(), 400u);
    EXPECT_EQ(player.PauseDuration(), 0u);
    EXPECT_FALSE(player.PlayerRunning());

    EXPECT_THROW_MSG(player.SelectGame(0), CPGNReaderException,
                     "CPGNReader::GamesCount(): There was no file loaded!");

    player.LoadText(kGames);
    player.StepForward(); // e4 of game 0, on this thread while no player thread runs
    chessSet.ClearMoveReady();
    ASSERT_EQ(player.MoveIndex(), 1u);
    for (const unsigned bad : {3u, ~0u}) {
        try {
            player.SelectGame(bad);
            ADD_FAILURE() << bad << " was accepted";
        } catch (const CGeneralException& e) {
            EXPECT_EQ(typeid(e), typeid(CGeneralException));
            EXPECT_EQ(e.GetMessage(), "Index out of range!");
        }
    }
    EXPECT_TRUE(scene.Events().empty());
    EXPECT_EQ(player.GameIndex(), 0u);
    EXPECT_EQ(player.MoveIndex(), 1u);
    EXPECT_FALSE(chessSet.Board().GetField(4, 3).IsEmpty());

    player.SelectGame(2);
    EXPECT_EQ(player.GameIndex(), 2u);
    EXPECT_EQ(player.MoveIndex(), 0u);
    ExpectSamePosition(chessSet, CChessSet{});
    EXPECT_EQ(scene.Events(),
              (std::vector<std::string>{"show board", "rebuild", "result 3", "redraw"}));

    scene.Clear();
    player.SetAnimationDuration(250);
    player.SetPauseDuration(500);
    EXPECT_EQ(player.AnimationDuration(), 250u);
    EXPECT_EQ(player.PauseDuration(), 500u);
    EXPECT_EQ(scene.Events(), (std::vector<std::string>{"apply 250"}));
}

TEST_F(GamePlayerTest, PlaysAGameToItsEndAtThePaceOfTheDurations) {
    const auto start = Clock::now();
    Start(0);
    ASSERT_TRUE(WaitForEnd());
    const auto end = Clock::now();

    const CChessGameData game = player.GetGameData(0);
    EXPECT_EQ(consumer.Moves(), MovesOf(game, 3));
    EXPECT_EQ(player.MoveIndex(), 3u);
    ExpectReplayed(chessSet, game, 3);

    // The flag is cleared before the callback, which runs on the player thread, once.
    EXPECT_FALSE(playing);
    EXPECT_NE(endThread, std::this_thread::get_id());
    EXPECT_EQ(scene.Events(), (std::vector<std::string>{"apply 100", "end", "result 0", "redraw"}));

    // Three moves span two step periods; the game ends with its last move.
    const auto times = consumer.Times();
    ASSERT_EQ(times.size(), 3u);
    EXPECT_GE(times[2] - times[0], 2 * kFastStep - milliseconds(60));
    EXPECT_GE(end - start, 2 * kFastStep);
}

TEST_F(GamePlayerTest, ThePauseLengthensTheStep) {
    // 100 + 200 ms: ticks 3, a move every 400 ms.
    player.SetPauseDuration(200);
    Start(1);
    ASSERT_TRUE(WaitUntil([this] { return consumer.Count() >= 2; }));
    playing = false;
    ASSERT_TRUE(WaitForEnd());

    const auto times = consumer.Times();
    EXPECT_GE(times[1] - times[0], 2 * kFastStep - milliseconds(30));
    EXPECT_EQ(consumer.Moves(), MovesOf(player.GetGameData(1), static_cast<int>(times.size())));
}

TEST_F(GamePlayerTest, AGameWithoutMovesEndsOneStepPeriodLater) {
    const auto start = Clock::now();
    Start(2);
    ASSERT_TRUE(WaitForEnd());
    EXPECT_GE(Clock::now() - start, kFastStep);
    EXPECT_EQ(consumer.Count(), 0u);
    EXPECT_FALSE(playing);
    EXPECT_EQ(scene.Events(), (std::vector<std::string>{"apply 100", "end", "result 2", "redraw"}));
}

TEST_F(GamePlayerTest, PlayAfterAPauseContinuesWithTheNextMoveAtOnce) {
    Start(1);
    ASSERT_TRUE(WaitUntil([this] { return consumer.Count() >= 2; }));
    playing = false;
    ASSERT_TRUE(WaitForEnd());
    const unsigned paused = player.MoveIndex();
    ASSERT_TRUE(WaitUntil([this, paused] { return consumer.Count() == paused; }));

    // Paused: board and scene stay where they are.
    ExpectReplayed(chessSet, player.GetGameData(1), static_cast<int>(paused));
    EXPECT_EQ(scene.Events(), (std::vector<std::string>{"apply 100"}));

    // At this pace the next step would come 2.1 s later; the resumed move is due at once.
    player.SetAnimationDuration(2000);
    playing = true;
    player.Play(playing); // joins the thread that ended by itself
    ASSERT_TRUE(
        WaitUntil([this, paused] { return consumer.Count() > paused; }, milliseconds(1000)));
    playing = false;
    ASSERT_TRUE(WaitForEnd());
    EXPECT_EQ(consumer.Moves(), MovesOf(player.GetGameData(1), static_cast<int>(paused) + 1));
}

TEST_F(GamePlayerTest, PlayAtTheEndOfAGameEndsItAgain) {
    Start(0);
    ASSERT_TRUE(WaitForEnd());
    scene.Clear();
    playing = true;
    player.Play(playing); // the ended thread was never stopped
    ASSERT_TRUE(WaitForEnd());
    EXPECT_EQ(consumer.Count(), 3u);
    EXPECT_FALSE(playing);
    EXPECT_EQ(scene.Events(), (std::vector<std::string>{"apply 100", "end", "result 0", "redraw"}));
}

TEST_F(GamePlayerTest, StopRewindsEvenWhenTheSceneTakesNoMoreMoves) {
    Start(1);
    ASSERT_TRUE(WaitUntil([this] { return consumer.Count() >= 1; }));
    // The player now waits for the scene to take a move that it never takes.
    consumer.Stall(true);
    ASSERT_TRUE(WaitUntil([this] { return chessSet.MoveReady(); }));
    std::this_thread::sleep_for(kFastStep);

    scene.Clear();
    playing = false;
    const auto before = Clock::now();
    player.Stop();
    EXPECT_LT(Clock::now() - before, milliseconds(1000));

    EXPECT_FALSE(player.PlayerRunning());
    EXPECT_EQ(player.GameIndex(), 1u);
    EXPECT_EQ(player.MoveIndex(), 0u);
    ExpectSamePosition(chessSet, CChessSet{});
    EXPECT_EQ(scene.Events(),
              (std::vector<std::string>{"show board", "rebuild", "result 3", "redraw"}));

    // Playing again starts from the first move.
    chessSet.ClearMoveReady();
    const std::size_t taken = consumer.Count();
    consumer.Stall(false);
    playing = true;
    player.Play(playing);
    ASSERT_TRUE(WaitUntil([&] { return consumer.Count() > taken; }));
    playing = false;
    player.Stop();
    EXPECT_EQ(consumer.Moves().at(taken), player.GetGameData(1).GetMove(0));
}

TEST_F(GamePlayerTest, DestructionJoinsARunningPlayerAndLeavesTheFlagAlone) {
    auto running = std::make_unique<CGamePlayer>(scene, chessSet);
    running->LoadText(kGames);
    running->SetAnimationDuration(kFastAnimation);
    playing = true;
    running->Play(playing);
    ASSERT_TRUE(WaitUntil([this] { return consumer.Count() >= 1; }));
    consumer.Stall(true);
    ASSERT_TRUE(WaitUntil([this] { return chessSet.MoveReady(); }));

    const auto before = Clock::now();
    running.reset();
    EXPECT_LT(Clock::now() - before, milliseconds(1000));
    EXPECT_TRUE(playing);
}

} // namespace

// After a load the shell chooses game 0 through SelectGame: the next Play starts that game
// from a reset board, not from where the previous game was paused.
TEST_F(GamePlayerTest, SelectingAfterALoadStartsFromAResetBoard) {
    Start(1);
    ASSERT_TRUE(WaitUntil([this] { return consumer.Count() >= 2; }));
    playing = false;
    ASSERT_TRUE(WaitForEnd());
    const unsigned paused = player.MoveIndex();
    ASSERT_TRUE(WaitUntil([this, paused] { return consumer.Count() == paused; }));

    player.LoadText(kGames);
    ASSERT_EQ(player.GamesCount(), 6);
    player.SelectGame(0);
    EXPECT_EQ(player.MoveIndex(), 0u);
    ExpectSamePosition(chessSet, CChessSet{});

    const std::size_t before = consumer.Count();
    playing = true;
    player.Play(playing);
    ASSERT_TRUE(WaitForEnd());
    ASSERT_TRUE(WaitUntil([&] {
        return consumer.Count() ==
               before + static_cast<std::size_t>(player.GetGameData(0).MovesCount());
    }));
    ExpectReplayed(chessSet, player.GetGameData(0), player.GetGameData(0).MovesCount());
}

// A game from a set-up position, Black to move: choosing it, playing it and stopping it all
// start from that position; a game without one starts from the initial position again.
TEST_F(GamePlayerTest, AGameFromASetUpPositionPlaysAndRewindsToThatPosition) {
    player.LoadText(R"([Event "Ending"][Result "1/2-1/2"][FEN "8/8/4k3/8/2K5/8/3R4/8 b - - 0 30"]
30... Ke5 31. Rd5+ Ke4 1/2-1/2
)");
    ASSERT_EQ(player.GamesCount(), 4);
    const CChessGameData game = player.GetGameData(3);
    CChessSet start;
    start.SetUp(StartPosition(game.GetStart()).board);

    // Game 1 left part-played, with its last move not yet taken by the scene.
    Start(1);
    ASSERT_TRUE(WaitUntil([this] { return consumer.Count() >= 2; }));
    playing = false;
    ASSERT_TRUE(WaitForEnd());
    ASSERT_TRUE(WaitUntil([this] { return !chessSet.MoveReady(); }));
    consumer.Stall(true);
    player.StepForward();
    ASSERT_TRUE(chessSet.MoveReady());

    scene.Clear();
    player.SelectGame(3);
    ExpectSamePosition(chessSet, start);
    EXPECT_FALSE(chessSet.MoveReady()) << "the old position's move is withdrawn";
    EXPECT_EQ(scene.Events(),
              (std::vector<std::string>{"show board", "rebuild", "result 3", "redraw"}));
    consumer.Stall(false);

    const std::size_t before = consumer.Count();
    scene.Clear();
    playing = true;
    player.Play(playing);
    ASSERT_TRUE(WaitForEnd());
    ASSERT_TRUE(WaitUntil([&] { return consumer.Count() == before + 3; }));
    const std::vector<CMove> taken = consumer.Moves();
    EXPECT_EQ(std::vector<CMove>(taken.begin() + static_cast<std::ptrdiff_t>(before), taken.end()),
              MovesOf(game, 3));
    for (int i = 0; i < 3; ++i) {
        start.Move(game.GetMove(i));
    }
    ExpectSamePosition(chessSet, start);
    EXPECT_EQ(scene.Events(), (std::vector<std::string>{"apply 100", "end", "result 2", "redraw"}));

    player.Stop();
    CChessSet rewound;
    rewound.SetUp(StartPosition(game.GetStart()).board);
    ExpectSamePosition(chessSet, rewound);
    EXPECT_EQ(player.MoveIndex(), 0u);

    player.SelectGame(0);
    ExpectSamePosition(chessSet, CChessSet{});
}

// Single steps: each withdraws what the scene has not taken, then hands over one move; the
// result shows with the last one and stays at the end.
TEST_F(GamePlayerTest, StepsAndJumpsKeepBoardAndResultInStep) {
    consumer.Stall(true);
    player.SelectGame(0);
    const CChessGameData game = player.GetGameData(0);
    const int count = game.MovesCount();
    scene.Clear();
    player.StepOnce();
    EXPECT_EQ(scene.Events(), (std::vector<std::string>{"show board", "redraw"}));
    EXPECT_TRUE(chessSet.MoveReady());
    player.StepOnce(); // the first move was never taken: shown at once, no wait
    EXPECT_EQ(player.MoveIndex(), 2u);
    ExpectReplayed(chessSet, game, 2);

    scene.Clear();
    player.ShowPosition(1);
    EXPECT_EQ(scene.Events(),
              (std::vector<std::string>{"show board", "show board", "result 3", "redraw"}));
    EXPECT_FALSE(chessSet.MoveReady());
    EXPECT_EQ(player.MoveIndex(), 1u);
    ExpectReplayed(chessSet, game, 1);

    player.ShowPosition(1000); // at most all moves, with the result
    EXPECT_EQ(player.MoveIndex(), static_cast<unsigned>(count));
    ExpectReplayed(chessSet, game, count);
    EXPECT_EQ(scene.Events().back(), "redraw");
    EXPECT_EQ(scene.Events()[scene.Events().size() - 2],
              "result " + std::to_string(game.GetResult()));

    scene.Clear();
    player.StepOnce();
    EXPECT_EQ(player.MoveIndex(), static_cast<unsigned>(count));
    EXPECT_EQ(scene.Events(),
              (std::vector<std::string>{"show board", "result " + std::to_string(game.GetResult()),
                                        "redraw"}));
}

// Pause ends the thread where the game stands; Play goes on from there.
TEST_F(GamePlayerTest, PauseKeepsThePosition) {
    Start(0);
    ASSERT_TRUE(WaitUntil([this] { return player.MoveIndex() >= 2; }));
    playing = false;
    player.Pause();
    EXPECT_FALSE(player.PlayerRunning());
    const unsigned at = player.MoveIndex();
    EXPECT_GE(at, 2u);
    ExpectReplayed(chessSet, player.GetGameData(0), static_cast<int>(at));
    playing = true;
    player.Play(playing);
    ASSERT_TRUE(WaitUntil([&] { return player.MoveIndex() > at; }));
    playing = false;
    player.Pause();
}
