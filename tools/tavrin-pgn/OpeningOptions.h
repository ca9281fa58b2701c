#pragma once

#include "chess/ChessGameData.h"
#include "openings/OpeningBook.h"
#include "openings/PositionScanner.h"
#include "pgn/GameList.h"

#include <memory>
#include <optional>
#include <string>

// The options of tavrin-pgn about openings:
//   --openings          each game line gets "opening":{"eco":…,"name":…,"ply":N}, or null
//   --explore MOVES     instead of the games, one JSON object for all files read: the games
//                       that reach the position after MOVES ("1. e4 c5 2. Nf3") and the moves
//                       they played next there
//   --explore-fen FEN   the same for a set-up position
struct COpeningOptions {
    bool openings = false;
    std::optional<std::string> exploreMoves;
    std::optional<std::string> exploreFen;
};

// Takes argv[i] when it is one of these options, with its value argv[i + 1] (i then moves past
// it). False for anything else, a missing value included.
bool TakeOpeningOption(int argc, char** argv, int& i, COpeningOptions& options);

// What the options need while the files are read.
class COpeningOutput {
public:
    // Plays the explored position. Throws COpeningsException for a position that is not
    // valid, its message starting "--explore: " or "--explore-fen: " before the reason.
    explicit COpeningOutput(const COpeningOptions& options);
    // Reads the opening names when --openings asks for them. Throws COpeningsException.
    void LoadNames(const COpeningOptions& options);

    // True with --explore or --explore-fen: the games are counted, not written.
    bool Exploring() const noexcept { return scanner != nullptr; }
    // Appends ,"opening":{…} or ,"opening":null for the game to a game line's `extra` fields,
    // when asked for.
    void AppendOpening(std::string& extra, const CChessGameData& game) const;
    // Counts the games of one file for the explorer.
    void AddFile(const CGameListSnapshot& games);
    // {"games":N,"moves":[{"san":…,"games":n,"white":w,"draw":d,"black":b},…]} and a line feed:
    // the explored position's figures over every file added.
    std::string ExploreLine() const;

private:
    std::optional<COpeningBook> book;
    std::unique_ptr<CPositionScanner> scanner;
};
