#include "chess/ChessSet.h"
#include "export/ExportCommand.h"
#include "platform/qt/QtPlatform.h"
#include "player/GamePlayer.h"
#include "scene/Scene.h"
#include "shell/Shell.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr const char* kUsage = "Usage: tavrin [FILE]\n"
                               "Shows the chess games of a PGN file as a 3D animation.\n"
                               "       tavrin --export OUT [OPTIONS] FILE\n"
                               "Renders a game of FILE into a video; tavrin --export --help\n"
                               "lists the options.\n";

} // namespace

// tavrin [FILE]: opens the viewer, with FILE loaded as if it had been chosen in the dialog.
int main(int argc, char** argv) {
    const bool exporting = argc > 1 && std::string(argv[1]) == "--export";
    if (exporting && argc > 2 && std::string(argv[2]) == "--help") {
        std::fputs(kExportUsage, stdout);
        return 0;
    }
    // Without a display the application object could only abort.
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (exporting && std::getenv("DISPLAY") == nullptr &&
        (platform == nullptr || std::string(platform) == "xcb")) {
        std::fputs("tavrin: --export draws with OpenGL and needs a display: run it in a desktop "
                   "session or under xvfb-run.\n",
                   stderr);
        return 1;
    }
    CQtApplication application(argc, argv);
    const std::vector<std::string> arguments = application.Arguments();
    if (exporting) {
        return RunExportCommand(arguments, {CreateOffscreenSurface, CreateTextPainter}, stdout,
                                stderr);
    }
    if (arguments.size() > 1) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    if (!arguments.empty() && (arguments[0] == "--help" || arguments[0] == "-h")) {
        std::fputs(kUsage, stdout);
        return 0;
    }

    // Destroyed in the reverse order: Shutdown has stopped the player thread (which calls back
    // into the shell) and the render thread, so the shell goes first, then the player, then the
    // scene it drives, and the window last. The tests' fixtures keep this order.
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
