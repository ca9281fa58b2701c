#pragma once

#include "chess/ChessGameData.h"
#include "pgn/AnnotatedGame.h"
#include "pgn/GameAnnotations.h"

#include <optional>
#include <string>
#include <vector>

// What the notation panel shows of a game beyond its moves, in display texts (UTF-8, cut for
// display): the tags the list does not keep, and the annotated tree with each move in SAN and
// its comments in UTF-8.
struct CNotationAnnotations {
    std::string whiteElo;
    std::string blackElo;
    std::string opening;   // ECO, Opening and Variation, as "B15 Caro-Kann Defence, Main Line"
    std::string otherTags; // the tags not shown elsewhere, as "Annotator: X · TimeControl: 40/7200"
    std::string note;      // why the annotations are missing; empty when they are not
    std::optional<CAnnotatedGame> tree;
    std::vector<std::string> san; // per move of the tree: its SAN, written on its own position
};

// The panel's view of what was read again for `game`. Never throws for bad input.
CNotationAnnotations AnnotationsForNotation(CGameAnnotations read, const CChessGameData& game);
