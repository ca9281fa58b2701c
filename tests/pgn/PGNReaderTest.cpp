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
    return "[Event \"" + event + "\"]\n[White \"" + white + "\"]\n[Black \"" + black +
           "\"]\n\n1. e4 e5 *\n\n";
}

const char* const kNoFile = "CPGNReader::GamesCount(): There was no file loaded!";

} // namespace

// Nothing is read before the first load, nor after a failed one; an empty file counts as read
// even though its parse fails.
TEST(PGNReader, NothingIsReadBeforeTheFirstLoad) {
    CPGNReader reader;
    EXPECT_THROW_MSG(reader.GamesCount(), CPGNReaderException, kNoFile);
    EXPECT_THROW_MSG(reader.GetGameData(0), CPGNReaderException,
                     "CPGNReader::GetGameData(): There was no file loaded!");
    EXPECT_THROW_MSG(reader.PrepareGameTitle(0), CPGNReaderException, kNoFile);
    EXPECT_TRUE(reader.GamesTitles().empty());
    EXPECT_THROW_MSG(reader.Load(WriteFile("none.pgn", "") + ".missing"), CFileReaderException,
                     "AFileReader::LoadFile(): Cannot determine file size!");
    EXPECT_THROW_MSG(reader.GamesCount(), CPGNReaderException, kNoFile);
    EXPECT_THROW(reader.Load(WriteFile("empty.pgn", "")), CPGNReaderException);
    EXPECT_EQ(reader.GamesCount(), 0);
}

// Each load appends its games; a load that fails changes nothing. Titles are "Event: White -
// Black", without an empty event, with "?" for an empty name.
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

    reader.Load(WriteFile("two.pgn", Game("Spring Open", "P1", "P2") + Game("", "P1", "")));
    EXPECT_EQ(reader.GamesCount(), 5);
    EXPECT_EQ(reader.GamesTitles().at(3), "Spring Open: P1 - P2");
    EXPECT_EQ(reader.PrepareGameTitle(4), "P1 - ?");
    for (const int bad : {5, -1}) {
        EXPECT_THROW_MSG(reader.PrepareGameTitle(bad), CPGNReaderException,
                         "CPGNReader::PrepareGameTitle(): Index out of range!");
    }
    EXPECT_THROW_MSG(reader.GetGameData(-1), CPGNReaderException,
                     "CPGNReader::GetGameData(): Parameter 'i' is lower than 0! Index cannot be "
                     "negative!");
    EXPECT_THROW_MSG(reader.GetGameData(5), CPGNReaderException,
                     "CPGNReader::GetGameData(): Parameter 'i' out of range!");
    EXPECT_EQ(reader.GetGameData(3).GetWhite(), "P1");

    // A file of which no game can be read loads without error and reports every game.
    reader.Load(WriteFile("bad.pgn", "[Event \"x\"] 2. e4 *\n[Event \"y\"] 1. Ke3 *"));
    EXPECT_EQ(reader.GamesCount(), 5);
    const CLoadReport report = reader.LastLoadReport();
    EXPECT_EQ(report.gameTexts, 2);
    EXPECT_EQ(report.gamesRead, 0);
    ASSERT_EQ(report.dropped.size(), 2u);
    EXPECT_EQ(report.dropped[1].ordinal, 1);
}
