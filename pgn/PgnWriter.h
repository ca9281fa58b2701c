#pragma once

#include "chess/ChessGameData.h"
#include "chess/Move.h"
#include "pgn/AnnotatedGame.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// What an analysis adds to one move of the main line when a game is written.
struct CMoveNote {
    std::string eval;            // an [%eval] value ("0.45", "-1.20", "#3", "#-2"); empty: none
    std::uint8_t glyph = 0;      // a glyph to add ($6, $2, $4 for the marks); 0: none
    std::vector<CMove> bestLine; // written as a variation replacing the move; empty: none
};

// Writes `game` as PGN text in export form: the tag pairs, one a line; a blank line; the
// movetext in standard algebraic notation with move numbers, in lines of at most 79 bytes
// where a token allows; the result; a blank line.
//
// With `annotations` (the game's tree as CAnnotationReader read it, whose main line is the
// game's), the tag pairs are the tree's, in file order, and the tree's comments, glyphs (as
// $n), [%clk] and [%eval] values and variations are written where they stood; without it, the
// seven tag roster of `game` (with SetUp and FEN for a set-up start) and its moves alone.
// `notes`, indexed by the main line's move (0 for the first), add an [%eval] (in place of the
// file's), a glyph (unless the move has it already) and a variation after the move's own.
//
// What it writes reads back with CPGNReader as the same moves and with CAnnotationReader as the
// same tree. Comments are written inside braces with their commands first; a comment holding a
// '}' is written as a ';' comment to the end of its line.
std::string WritePgnGame(const CChessGameData& game, const CAnnotatedGame* annotations = nullptr,
                         const std::vector<CMoveNote>* notes = nullptr);

// A result as PGN writes it: "1-0", "0-1", "1/2-1/2" or "*".
std::string_view ResultText(int result);
