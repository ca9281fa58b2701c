#include "FakeScene.h"
#include "FakeShellPlatform.h"
#include "chess/ChessSet.h"
#include "player/GamePlayer.h"
#include "resources/CommandIds.h"
#include "shell/Shell.h"

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

#include <gtest/gtest.h>

using namespace std::chrono_literals;

// The window is closed while a game plays, at a different moment of a move each time, and the
// program ends as main ends it: the event loop's last events, Shutdown, then the shell, the
// player, the scene and the window go, each from the heap so that a thread still reaching one
// that went is caught. A thread stands in for the scene's, taking each move handed over. Run
// under AddressSanitizer (the asan preset) and ThreadSanitizer (run-threads-check.sh).
TEST(ShellShutdown, ClosingTheWindowDuringPlaybackStopsThePlayerBeforeTheShellGoes) {
    for (int round = 0; round < 20; ++round) {
        auto platform = std::make_unique<CFakeShellPlatform>();
        auto chessSet = std::make_unique<CChessSet>();
        auto scene = std::make_unique<CFakeScene>(*chessSet);
        auto player = std::make_unique<CGamePlayer>(*scene, *chessSet);
        auto shell = std::make_unique<CShell>(*platform, *scene, *player);
        platform->SetEventSink(*shell);
        shell->CreateWindows();
        shell->LoadPGNFile("tests/fixtures/pgn/castling_and_promotion.pgn");
        while (shell->LoadRunning()) {
            platform->RunPosted();
            std::this_thread::sleep_for(1ms);
        }
        platform->RunPosted();
        shell->OnCommand(ids::kFirstAnimationDuration, 0);
        shell->OnCommand(ids::kFirstPauseDuration, 0);
        std::atomic<bool> taking{true};
        std::thread sceneThread([&] {
            while (taking) {
                chessSet->ClearMoveReady();
                std::this_thread::sleep_for(1ms);
            }
        });
        shell->OnCommand(ids::kPlayPauseButton, 0);
        ASSERT_TRUE(player->PlayerRunning());
        std::this_thread::sleep_for(std::chrono::milliseconds(25 * (round % 8)));

        shell->OnClose();
        platform->RunPosted();
        EXPECT_EQ(platform->quitCode, CShell::kExitCodeOnClose);
        shell->Shutdown();
        EXPECT_FALSE(player->PlayerRunning());
        shell.reset();
        std::this_thread::sleep_for(120ms); // a player thread left running would step meanwhile
        taking = false;
        sceneThread.join();
        player.reset();
        scene.reset();
        chessSet.reset();
        platform.reset();
    }
}
