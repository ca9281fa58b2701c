#pragma once

#include "FakeScene.h"
#include "FakeShellPlatform.h"
#include "chess/ChessSet.h"
#include "player/GamePlayer.h"
#include "resources/CommandIds.h"
#include "shell/Shell.h"

#include <gtest/gtest.h>

// The shell on the recording platform, with a real player and a fake scene (its camera works
// once `buffersCreated` is set). Made and ended in the order of the program's main.
class ShellFixture : public ::testing::Test {
protected:
    ShellFixture() : player(scene, chessSet), shell(platform, scene, player) {
        platform.SetEventSink(shell);
        shell.CreateWindows();
    }
    ~ShellFixture() override { shell.Shutdown(); }

    // Stands in for the scene's animation thread: takes each move the player hands over until
    // `done` holds.
    template <typename Done>
    bool TakeMovesUntil(Done done, int timeoutMs = 20000) {
        for (int waited = 0; waited < timeoutMs; waited += 2) {
            chessSet.ClearMoveReady();
            if (done()) {
                return true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        return done();
    }

    // Runs the event loop's part until every load asked for has ended and been taken over.
    void FinishLoads() {
        for (int waited = 0; waited < 60000 && shell.LoadRunning(); ++waited) {
            platform.RunPosted();
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        platform.RunPosted();
        ASSERT_FALSE(shell.LoadRunning());
    }

    // Shows game `game` and steps `steps` moves into it.
    void ChooseGameAndSteps(int game, unsigned steps) {
        platform.selection = game;
        shell.OnCommand(ids::kGameList, ids::kSelectionChanged);
        for (unsigned i = 0; i < steps; ++i) {
            shell.OnCommand(ids::kNextMove, 0);
        }
    }

    static constexpr std::size_t npos = std::string::npos;
    CFakeShellPlatform platform;
    CChessSet chessSet;
    CFakeScene scene{chessSet};
    CGamePlayer player;
    CShell shell;
};
