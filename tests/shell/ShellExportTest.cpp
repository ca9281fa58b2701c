#include "ShellFixture.h"
#include "resources/CommandIds.h"
#include "resources/StringTable.h"

#include <filesystem>

namespace {

class ShellExport : public ShellFixture {};

} // namespace

// Without a game, before the view is ready, and with a view off screen that cannot make its
// context: each ends in its box and leaves no file. The dialog starts from the game and the
// window's durations, then from the options the user chose last.
TEST_F(ShellExport, EveryRefusalHasItsBoxAndTheOptionsAreKept) {
    shell.OnCommand(ids::kExportVideo, 0);
    ASSERT_EQ(platform.boxes.size(), 1u);
    EXPECT_EQ(platform.boxes[0].text, strings::kNoGameToExport);

    platform.dialogAnswers = {"samples/famous_games.pgn"};
    shell.OnCommand(ids::kLoadPgnFile, 0);
    FinishLoads();
    shell.OnCommand(ids::kExportVideo, 0);
    ASSERT_EQ(platform.boxes.size(), 2u);
    EXPECT_EQ(platform.boxes[1].text, strings::kViewNotReady);

    scene.buffersCreated = true;
    shell.OnCommand(ids::kExportVideo, 0); // cancelled
    EXPECT_EQ(platform.exportOffered.path, "Morphy, Paul - Duke Karl of Brunswick and Count "
                                           "Isouard.mp4");
    EXPECT_EQ(platform.exportOffered.firstMove, 1);
    EXPECT_EQ(platform.exportOffered.lastMove, 17);
    EXPECT_EQ(platform.exportOffered.animationMs, 600);
    EXPECT_EQ(platform.exportOffered.pauseMs, 1000);
    EXPECT_TRUE(platform.exportOffered.wholeGame);

    const std::string path =
        (std::filesystem::temp_directory_path() / "shell_export.webm").string();
    platform.exportAnswer = true;
    platform.exportChoice = [&](CVideoExportChoice& choice) {
        choice.path = path;
        choice.format = 1;
        choice.wholeGame = false;
        choice.fromMove = 2;
        choice.toMove = 3;
        choice.caption = false;
    };
    shell.OnCommand(ids::kExportVideo, 0);
    EXPECT_TRUE(platform.exportProgressShown);
    for (int waited = 0; waited < 20000 && platform.exportProgressShown; ++waited) {
        platform.RunPosted();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    EXPECT_FALSE(platform.exportProgressShown);
    ASSERT_EQ(platform.boxes.size(), 3u);
    EXPECT_EQ(platform.boxes[2].text, std::string(strings::kVideoNotMade) +
                                          "\nshell_export.webm was not made: the 3D view could "
                                          "not be drawn off screen.");
    EXPECT_EQ(platform.boxes[2].details, "CScene::BeginOffscreen(): no OpenGL in this test");
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_FALSE(std::filesystem::exists(path + ".part"));

    platform.exportAnswer = false;
    shell.OnCommand(ids::kExportVideo, 0);
    EXPECT_EQ(platform.exportOffered.format, 1);
    EXPECT_FALSE(platform.exportOffered.wholeGame);
    EXPECT_EQ(platform.exportOffered.fromMove, 2);
    EXPECT_EQ(platform.exportOffered.toMove, 3);
    EXPECT_FALSE(platform.exportOffered.caption);
}
