#include "pgn/GameAnnotations.h"

#include "pgn/PGNReader.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

void Write(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

} // namespace

// A listed game's range is read again from its file; a file that changed or went since loading
// gives the moves without annotations and says why, and a game read from memory says nothing.
TEST(GameAnnotations, ReadAgainFromTheFileAsLoadedOrExplained) {
    const fs::path path =
        fs::path(testing::TempDir()) / "game_whose_file_changed_after_loading.pgn";
    const std::string first =
        "[Event \"A\"]\n[WhiteElo \"2700\"]\n\n1. e4 {Best by test.} e5 *\n\n";
    Write(path, first + "[Event \"B\"]\n[ECO \"C20\"]\n\n1. e4 e5 2. Nf3 $1 *\n");
    CPGNReader reader;
    reader.Load(path.string());
    ASSERT_EQ(reader.GamesCount(), 2);
    EXPECT_FALSE(reader.GameSource(2).has_value());

    const CGameSource second = *reader.GameSource(1);
    EXPECT_EQ(second.offset, first.size());
    const CGameAnnotations read = ReadGameAnnotations(second, reader.GetGameData(1));
    ASSERT_TRUE(read.tree.has_value());
    EXPECT_EQ(read.note, "");

    const CGameSource source = *reader.GameSource(0);
    const CChessGameData game = reader.GetGameData(0);
    // The same size: only the modification time tells, so it is set apart from the loaded one.
    const auto loaded = fs::last_write_time(path);
    Write(path, "[Event \"A\"]\n[WhiteElo \"2700\"]\n\n1. d4 {Best by test.} d5 *\n\n");
    fs::last_write_time(path, loaded + std::chrono::seconds(1));
    const CGameAnnotations changed = ReadGameAnnotations(source, game);
    EXPECT_FALSE(changed.tree.has_value());
    EXPECT_EQ(changed.note, "Annotations are not shown: the file has changed since it was loaded.");

    fs::remove(path);
    EXPECT_EQ(ReadGameAnnotations(source, game).note,
              "Annotations are not shown: the file is gone.");

    CPGNReader memory;
    memory.LoadText(first);
    const CGameAnnotations none = ReadGameAnnotations(*memory.GameSource(0), memory.GetGameData(0));
    EXPECT_FALSE(none.tree.has_value());
    EXPECT_EQ(none.note, "");
}
