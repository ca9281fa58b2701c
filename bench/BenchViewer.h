#pragma once

#include "player/GamePlayer.h"
#include "shell/Shell.h"
#include "support/SceneWindow.h"

#include <cstdio>

// The whole viewer as the program assembles it (window, scene drawn on its render thread,
// player, shell), for the benches that measure it from outside. A QApplication must exist
// first; the bench calls shell.Shutdown() before the viewer goes, as the program's main does.
struct CBenchViewer {
    CSceneWindow view;
    CGamePlayer player{view.scene, view.chessSet};
    CShell shell{view.window->Platform(), view.scene, player};

    // Opens the windows and starts drawing. False, with a line naming `bench` on stderr, when
    // the scene does not get ready.
    bool Start(const char* bench) {
        view.window->Platform().SetEventSink(shell);
        shell.CreateWindows();
        if (!view.WaitUntilShown() || !view.StartRendering()) {
            std::fprintf(stderr, "%s: the scene did not get ready\n", bench);
            return false;
        }
        return true;
    }
};
