#pragma once

#include "chess/ChessGameData.h"
#include "pgn/AnnotatedGame.h"
#include "pgn/GameAnnotations.h"

#include <compare>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// Where a comment stands in an annotated tree: comment `index` of move `move`, or of line
// `line` (before its first move) when `move` is CAnnotatedGame::kNone.
struct CCommentPlace {
    int move = -1;
    int line = 0;
    std::size_t index = 0;

    auto operator<=>(const CCommentPlace&) const = default;
};

// A comment the panel shows cut: where it stands and how many of its characters are not shown.
struct CCutComment {
    CCommentPlace place;
    std::size_t more = 0;
};

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
    // The comments shown cut, by place: their texts hold only the part shown.
    std::vector<CCutComment> cut;

    // The index in `cut` of the comment at `place`, or -1 when it is shown whole.
    int CutIndex(const CCommentPlace& place) const;
};

// The panel's view of what was read again for `game`. Never throws for bad input.
CNotationAnnotations AnnotationsForNotation(CGameAnnotations read, const CChessGameData& game);

// The comment at `place` of what was read again, whole, in UTF-8; empty when the tree or the
// comment is missing. The tree's own copy of it is given up.
std::string WholeComment(CGameAnnotations& read, const CCommentPlace& place);

// Breaks a long text into paragraphs of about `length` bytes in place: the first space past
// each stretch of `length` bytes becomes a line break. A plain-text viewer lays out a paragraph
// at a time, and one paragraph of a hundred megabytes would take it minutes.
void BreakIntoParagraphs(std::string& text, std::size_t length = 4096);
