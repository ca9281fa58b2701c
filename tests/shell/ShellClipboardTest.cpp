#include "ShellFixture.h"
#include "resources/CommandIds.h"

namespace {

std::vector<CMove> MovesOf(const CChessGameData& game) {
    std::vector<CMove> moves;
    for (int i = 0; i < game.MovesCount(); ++i) {
        moves.push_back(game.GetMove(i));
    }
    return moves;
}

} // namespace

using ShellClipboard = ShellFixture;

// A position copied as FEN and pasted is shown as a new game without moves under "Pasted
// games", titled by its event; a game copied as PGN (with the annotations the panel has read)
// and pasted is the same game, and copied again the same text.
TEST_F(ShellClipboard, CopiedPositionsAndGamesComeBackWhenPasted) {
    shell.LoadPGNFile("samples/famous_games.pgn");
    FinishLoads();
    const unsigned listed = static_cast<unsigned>(platform.gameList.size());
    for (unsigned step = 0; step < 12; ++step) {
        ChooseGameAndSteps(0, 2 * step + 1);
        shell.OnCommand(ids::kCopyFen, 0);
        const std::string fen = platform.clipboard;
        shell.OnCommand(ids::kPaste, 0);
        EXPECT_EQ(player.GameIndex(), listed + step);
        EXPECT_EQ(player.GetGameData(static_cast<int>(listed + step)).MovesCount(), 0);
        EXPECT_EQ(platform.gameList.back(), "Pasted position");
        EXPECT_EQ(platform.status, "1 game added from Pasted games");
        shell.OnCommand(ids::kCopyFen, 0);
        EXPECT_EQ(platform.clipboard, fen);
    }
    shell.OnCommand(ids::kCloseAllGames, 0);
    shell.LoadPGNFile("samples/annotated_games.pgn");
    FinishLoads();
    const auto copyOnce = [this](const auto& done) {
        for (int waited = 0; waited < 10000 && !done(); ++waited) {
            platform.RunPosted();
            shell.OnCommand(ids::kCopyPgn, 0);
        }
        return platform.clipboard;
    };
    const std::string pgn = copyOnce([this] { return platform.clipboard.find('{') != npos; });
    ASSERT_NE(pgn.find('{'), npos) << "the annotations are copied";
    shell.OnCommand(ids::kPaste, 0);
    ASSERT_EQ(player.GameIndex(), 1u);
    EXPECT_EQ(MovesOf(player.GetGameData(1)), MovesOf(player.GetGameData(0)));
    platform.clipboard.clear();
    EXPECT_EQ(copyOnce([&] { return platform.clipboard == pgn; }), pgn);
}

// Text that is neither PGN nor FEN and a broken FEN are reported, with the reader's message
// under Details, and change nothing.
TEST_F(ShellClipboard, BadPastedTextIsReportedAndChangesNothing) {
    shell.LoadPGNFile("samples/famous_games.pgn");
    FinishLoads();
    ChooseGameAndSteps(1, 1);
    const std::vector<std::string> listed = platform.gameList;
    const std::string prefix = "The pasted text is neither PGN games nor a FEN position: ";
    const std::string cases[][3] = {
        {"Hello", prefix + "no game found in it.",
         "CPGNReader::ParseData(): Cannot find any \"Event\" tag pair!"},
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNX w KQkq - 0 1",
         prefix + "its starting position (FEN) is not valid.",
         "CPGNReader::ParseGame(): FEN not valid!"},
    };
    for (const auto& [text, box, details] : cases) {
        platform.boxes.clear();
        platform.clipboard = text;
        shell.OnCommand(ids::kPaste, 0);
        ASSERT_EQ(platform.boxes.size(), 1u) << text;
        EXPECT_EQ(platform.boxes[0].text, box);
        EXPECT_EQ(platform.boxes[0].details, details);
        EXPECT_EQ(platform.gameList, listed);
        EXPECT_EQ(player.GameIndex(), 1u);
        EXPECT_EQ(player.MoveIndex(), 1u);
    }
}
