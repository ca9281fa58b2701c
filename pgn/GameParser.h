#pragma once

#include "chess/ChessSet.h"
#include "pgn/GameBatch.h"

#include <string>
#include <string_view>
#include <vector>

// Working space of the game parser, kept by each parsing thread from game to game so that a
// game is read without allocating.
struct CGameScratch {
    std::string tagText; // decoded tag values
    std::vector<CMove> moves;
    CChessSet set;
};

// Parses one game's pre-processed text: tag pairs, then numbered movetext resolved against a
// working chess set, which starts from the position of the game's FEN tag pair if it has one.
// The result's tags and moves point into `scratch` and stay valid until its next use. Throws
// any CGeneralException; the caller drops the game.
CParsedGame ParseGameText(std::string_view text, CGameScratch& scratch);

// Splits the text of one pre-processed tag pair "[Name"value"]" into its name and its value as
// written (escapes not decoded). Throws CPGNReaderException "CPGNReader::ReadTag(): Tag not
// valid!" for a pair without an opening quote, with anything between the closing quote and the
// bracket, or with a 0 byte in the value.
void SplitTagPair(std::string_view tagPair, std::string_view& name, std::string_view& rawValue);

// Appends a value as written with \" and \\ decoded.
void AppendDecodedTagValue(std::string_view rawValue, std::string& out);
