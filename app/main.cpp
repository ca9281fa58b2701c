#include "chess/ChessSet.h"
#include "platform/qt/QtPlatform.h"
#include "player/GamePlayer.h"
#include "scene/Scene.h"
#include "shell/Shell.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr const char* kUsage = "Usage: tavrin [FILE]\n"
                               "Shows the chess games of a PGN file as a 3D animation.\n";

} // namespace

// tavrin [FILE]: opens the viewer, with FILE loaded as if it had been chosen in the dialog.
int main(int argc, char** argv) {
    CQtApplication application(argc, argv);
    const std::vector<std::string> arguments = application.Arguments();
    if (arguments.size() > 1) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    if (!arguments.empty() && (arguments[0] == "--help" || arguments[0] == "-h")) {
        std::fputs(kUsage, stdout);
        return 0;
    }

    // The window outlives the render thread, which the shell ends before it goes; the player
    // goes before the scene it drives.
    const std::unique_ptr<CQtMainWindowHandle> window = CreateMainWindow();
    CChessSet chessSet;
    CScene scene(chessSet);
    CGamePlayer player(scene, chessSet);
    CShell shell(window->Platform(), scene, player);
    window->Platform().SetEventSink(shell);

    shell.CreateWindows();
    shell.StartRenderThread();
    if (!arguments.empty()) {
        shell.OpenAtStart(arguments[0]);
    }
    const int exitCode = application.Exec();
    shell.Shutdown();
    return exitCode;
}
