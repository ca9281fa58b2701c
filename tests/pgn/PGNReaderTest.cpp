#include "pgn/PGNReader.h"

#include "chess/ChessExceptions.h"
#include "pgn/PGNExceptions.h"
#include "support/ExpectThrow.h"

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

namespace {

std::string WriteFile(const std::string& name, const std::string& content) {
    const std::filesystem::path dir = std::filesystem::path(testing::TempDir()) / "tavrin_pgn";
    std::filesystem::create_directories(dir);
    const std::string path = (dir / name).string();
    std::ofstream(path, std::ios::binary) << content;
    return path;
}

std::string Game(const std::string& event, const std::string& white, const std::string& black) {
    std::string text;
    if (!event.empty()) {
        text += "[Event \"" + event + "\"]\n";
    } else {
        text += "[Event \"\"]\n";
    }
    text += "[White \"" + white + "\"]\n[Black \"" + black + "\"]\n\n1. e4 e5 *\n\n";
    return text;
}

} // namespace

TEST(PGNReader, NothingIsReadBeforeTheFirstLoad) {
    CPGNReader reader;
    EXPECT_THROW_MSG(reader.GamesCount(), CPGNReaderException,
                     "CPGNReader::GamesCount(): There was no file loaded!");
    EXPECT_THROW_MSG(reader.GetGameData(0), CPGNReaderException,
                     "CPGNReader::GetGameData(): There was no file loaded!");
    EXPECT_THROW_MSG(reader.PrepareGameTitle(0), CPGNReaderException,
                     "CPGNReader::GamesCount(): There was no file loaded!");
    EXPECT_TRUE(reader.GamesTitles().empty());

    // A failed first load leaves it so.
    EXPECT_THROW_MSG(reader.Load(WriteFile("none.pgn", "") + ".missing"), CFileReaderException,
                     "AFileReader::LoadFile(): Cannot determine file size!");
    EXPECT_THROW_MSG(reader.GamesCount(), CPGNReaderException,
                     "CPGNReader::GamesCount(): There was no file loaded!");
}

TEST(PGNReader, LoadsAppendAndFailedLoadsChangeNothing) {
    CPGNReader reader;
    reader.Load(WriteFile("three.pgn",
                          Game("Club Cup", "", "") + Game("", "A", "B") + Game("?", "A", "B")));
    const std::vector<std::string> first = {"Club Cup: ? - ?", "A - B", "?: A - B"};
    EXPECT_EQ(reader.GamesTitles(), first);

    const std::string dir = std::filesystem::path(WriteFile("x.pgn", "")).parent_path().string();
    EXPECT_THROW_MSG(reader.Load(dir), CFileReaderException,
                     "AFileReader::LoadFile(): Cannot open file for reading!");
    EXPECT_THROW_MSG(reader.Load(WriteFile("open.pgn", "1. e4 {never closed")), CPGNReaderException,
                     "CPGNReader::PreProcessData(): End of comment ('}') not found!");
    EXPECT_THROW_MSG(reader.Load(WriteFile("empty.pgn", "")), CPGNReaderException,
                     "CPGNReader::ParseData(): Cannot find any \"Event\" tag pair!");
    EXPECT_EQ(reader.GamesTitles(), first);

    reader.Load(
        WriteFile("two.pgn", Game("Spring Open", "Player1", "Player2") + Game("", "Player1", "")));
    const std::vector<std::string> all = {"Club Cup: ? - ?", "A - B", "?: A - B",
                                          "Spring Open: Player1 - Player2", "Player1 - ?"};
    EXPECT_EQ(reader.GamesTitles(), all);
    EXPECT_EQ(reader.GamesCount(), 5);
    EXPECT_EQ(reader.PrepareGameTitle(4), "Player1 - ?");
    EXPECT_THROW_MSG(reader.PrepareGameTitle(5), CPGNReaderException,
                     "CPGNReader::PrepareGameTitle(): Index out of range!");
    EXPECT_THROW_MSG(reader.PrepareGameTitle(-1), CPGNReaderException,
                     "CPGNReader::PrepareGameTitle(): Index out of range!");
}

TEST(PGNReader, GameDataIndexesAndCopies) {
    CPGNReader reader;
    reader.Load(WriteFile("g.pgn", Game("A", "w", "b") + Game("B", "w", "b")));
    EXPECT_THROW_MSG(reader.GetGameData(-1), CPGNReaderException,
                     "CPGNReader::GetGameData(): Parameter 'i' is lower than 0! Index cannot be "
                     "negative!");
    EXPECT_THROW_MSG(reader.GetGameData(2), CPGNReaderException,
                     "CPGNReader::GetGameData(): Parameter 'i' out of range!");
    CChessGameData last = reader.GetGameData(1);
    EXPECT_EQ(last.GetEvent(), "B");
    EXPECT_EQ(last.MovesCount(), 2);
    last = reader.GetGameData(0);
    EXPECT_EQ(reader.GetGameData(1).GetEvent(), "B");
}

TEST(PGNReader, FileContentEdgeCases) {
    CPGNReader reader;
    // A 0 byte is an ordinary byte that no tag value or move accepts: its own game at most is
    // dropped.
    const std::string nul(1, '\0');
    reader.Load(WriteFile("nul.pgn", Game("A", "w", "b") + Game("N" + nul + "ul", "w", "b") +
                                         "[Event \"M\"]\n1. e4" + nul + " e5 *\n\n" +
                                         Game("C", "w", "b")));
    EXPECT_EQ(reader.GamesTitles(), (std::vector<std::string>{"A: w - b", "C: w - b"}));
    ASSERT_EQ(reader.LastLoadReport().dropped.size(), 2u);
    EXPECT_EQ(reader.LastLoadReport().dropped[0].message, "CPGNReader::ReadTag(): Tag not valid!");

    // A file of which no game can be read loads without error and reports every game.
    reader.Load(WriteFile("bad.pgn", "[Event \"x\"] 2. e4 *\n[Event \"y\"] 1. Ke3 *"));
    EXPECT_EQ(reader.GamesCount(), 2);
    const CLoadReport report = reader.LastLoadReport();
    EXPECT_EQ(report.gameTexts, 2);
    EXPECT_EQ(report.gamesRead, 0);
    ASSERT_EQ(report.dropped.size(), 2u);
    EXPECT_EQ(report.dropped[1].ordinal, 1);
    EXPECT_EQ(report.dropped[1].message,
              "CPGNReader::FindNKSrcField(): There is no piece to make the move!");

    // An empty file counts as read for the loaded flag even though the parse fails.
    CPGNReader fresh;
    EXPECT_THROW(fresh.Load(WriteFile("empty2.pgn", "")), CPGNReaderException);
    EXPECT_EQ(fresh.GamesCount(), 0);
}
