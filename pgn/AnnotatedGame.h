#pragma once

#include "chess/Move.h"
#include "chess/Piece.h"

#include <array>
#include <compare>
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// One game as its annotations show it: the tag pairs in file order and a tree of move lines.
// Line 0 is the main line; every other line is a variation, an alternative to one move of
// another line (its parent), played from the position before that move. Moves and lines are
// addressed by their index; the tree is kept in flat lists, so copying, destroying and walking
// it never recurse, however deep the variations nest.

struct CTagPair {
    std::string name;
    std::string value; // \" and \\ decoded
};

// A comment after a move: its text with every [%...] command removed, runs of white space made
// one space, trimmed; never empty.
struct CMoveComment {
    std::string text;
    // How many of the move's variations stand before the comment in the text.
    int variationsBefore = 0;
};

struct CAnnotatedMove {
    CMove move;      // as resolved on the position before it
    std::string san; // the token as written, without move number and '!'/'?' suffix
    int line = 0;
    int indexInLine = 0;
    int ply = 1; // half-moves from the game's start up to this one: the first move has ply 1
    std::vector<std::uint8_t> glyphs;   // annotation glyphs 1-255 in file order; a suffix first
    std::vector<CMoveComment> comments; // in file order
    std::vector<int> variations;        // lines that replace this move, in file order
    std::string clock;                  // the last [%clk] value, such as "1:05:22"; or empty
    std::string eval;                   // the last [%eval] value, such as "-0.45" or "#3"; or empty
};

struct CAnnotationLine {
    int parent = -1; // the move it replaces; -1 for the main line
    int depth = 0;   // 0 for the main line, 1 for its variations, and so on
    // Comments before the line's first move (for the main line, the game's preamble), each
    // cleaned as a CMoveComment's text; a clock or evaluation there has no move to go with.
    std::vector<std::string> comments;
    std::vector<int> moves; // in playing order
};

// Where a comment stands in an annotated tree: comment `index` of move `move`, or of line
// `line` (before its first move) when `move` is CAnnotatedGame::kNone.
struct CCommentPlace {
    int move = -1;
    int line = 0;
    std::size_t index = 0;

    auto operator<=>(const CCommentPlace&) const = default;
};

// A comment cut short: where it stands and how many of its characters are not kept.
struct CCutComment {
    CCommentPlace place;
    std::size_t more = 0;
};

class CAnnotatedGame {
public:
    static constexpr int kNone = -1;

    CAnnotatedGame(EPieceColor firstColour, int firstMoveNumber);

    const std::vector<CTagPair>& Tags() const { return tags; }
    int LinesCount() const { return static_cast<int>(lines.size()); }
    int MovesCount() const { return static_cast<int>(moves.size()); }
    // Both throw CPGNReaderException for an index outside the tree.
    const CAnnotationLine& Line(int index) const;
    const CAnnotatedMove& Move(int index) const;
    const CAnnotationLine& MainLine() const { return lines.front(); }

    // --- Walks; each throws CPGNReaderException for a move index outside the tree. ---

    // The moves that lead from the game's start to the position after `move`, `move` last.
    std::vector<CMove> MovesTo(int move) const;
    // The move after `move` in its own line, or kNone at the line's end.
    int Next(int move) const;
    // The move whose position stands before `move`: the one before it in its line or, for a
    // variation's first move, the move before the one it replaces; kNone for the game's start.
    int Previous(int move) const;
    int Depth(int move) const { return Line(Move(move).line).depth; }
    // The side that plays `move` and its number, as in "12... Nf6" (12, Black).
    EPieceColor Colour(int move) const;
    long long MoveNumber(int move) const;

    // --- Building, for the annotation reader. ---

    void AddTag(std::string name, std::string value);
    // A new line replacing `parent` (kNone: the main line, created first); returns its index.
    int AddLine(int parent);
    // Removes the last line added, which must hold no moves, together with its entry in its
    // parent's variations.
    void RemoveLastLine();
    // The comments read cut short (see CAnnotationReader::Read), in text order.
    const std::vector<CCutComment>& CutComments() const { return cut; }
    void AddCutComment(const CCutComment& comment) { cut.push_back(comment); }
    // Appends a move to the end of `line`; returns its index.
    int AddMove(int line, const CMove& move, std::string san);
    CAnnotationLine& LineForUpdate(int index) { return lines[static_cast<std::size_t>(index)]; }
    CAnnotatedMove& MoveForUpdate(int index) { return moves[static_cast<std::size_t>(index)]; }

private:
    EPieceColor firstColour;
    int firstMoveNumber;
    std::vector<CTagPair> tags;
    std::vector<CAnnotationLine> lines;
    std::vector<CAnnotatedMove> moves;
    std::vector<CCutComment> cut;
};

// The clocks of White and Black ([%clk] values) in the position after `move` (kNone: the game's
// start): each side's last clock on the way there from the start, empty where none was given.
// Throws CPGNReaderException for a move index outside the tree.
std::array<std::string, 2> ClocksAt(const CAnnotatedGame& game, int move);

// The clocks in the position on show: after `variationMove` off the main line, else after the
// main line's first `ply` moves (as far as the tree's main line goes).
std::array<std::string, 2> ClocksOnShow(const CAnnotatedGame& game, unsigned ply,
                                        int variationMove);

// The clocks of every position of the main line, as ClocksAt gives them: index 0 before the
// first move, index i after the main line's i-th move.
std::vector<std::array<std::string, 2>> MainLineClocks(const CAnnotatedGame& game);

// The main line's comments as (ply, text): ply 0 before the first move, ply i after the i-th
// move; the comments at one ply joined with a space, in file order.
std::vector<std::pair<int, std::string>> MainLineComments(const CAnnotatedGame& game);
