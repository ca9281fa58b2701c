#pragma once

#include "chess/ChessGameData.h"
#include "pgn/AnnotatedGame.h"
#include "pgn/GameAnnotations.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// A comment longer than this many characters shows its first ones and how many more there are:
// a file may hold a comment of a hundred megabytes, which the panel could not lay out.
inline constexpr std::size_t kCommentCharacters = 16 * 1024;
// The bytes of a comment's text the panel may need: more than the four a character and four
// that its cut reads (ClipForDisplay), so that it cuts where it would cut the whole text. A
// read for the panel keeps no more (CAnnotationReader::Read's `keepComment`).
inline constexpr std::size_t kCommentBytesKept = 4 * kCommentCharacters + 8;

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
