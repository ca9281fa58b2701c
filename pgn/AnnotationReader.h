#pragma once

#include "chess/ChessGameData.h"
#include "chess/Move.h"
#include "pgn/AnnotatedGame.h"

#include <cstddef>
#include <string_view>
#include <vector>

// The second reader of a game, for display only: it reads the game's text as it stands in the
// file for its tag pairs, comments, glyphs, variations and comment commands, resolving every
// move on its own board. Its main line must agree with the moves CPGNReader read; variations
// are read as far as they can be (a move that does not resolve, or anything that is not a
// move, ends its variation there).
class CAnnotationReader {
public:
    // `text` runs from the game's header to the end of its movetext, any bytes; the damaged
    // lines of the header are passed over as the first reader passes them over. `fen`
    // is the FEN text of its starting position, empty for the initial position; `moves` are
    // its moves as CPGNReader read them. Reading stops at the main line's termination marker
    // or at a tag pair after the movetext has begun (the next game's). Time and memory are
    // linear in the text's length.
    //
    // Throws CPGNReaderException when the text cannot be read (a comment not closed, a tag
    // pair not valid, a ')' that closes nothing) or its main line disagrees with `moves` (a
    // move that does not resolve, or resolves to another move, or a main line longer or
    // shorter than the game); the message names the offending token.
    //
    // Of each comment's text only the first `keepComment` bytes are kept; one cut so is listed
    // in the tree's CutComments with the count of its characters not kept.
    static CAnnotatedGame Read(std::string_view text, std::string_view fen,
                               const std::vector<CMove>& moves,
                               std::size_t keepComment = std::string_view::npos);
    // The same for a game as CPGNReader read it.
    static CAnnotatedGame Read(std::string_view text, const CChessGameData& game,
                               std::size_t keepComment = std::string_view::npos);
    // Only the tag pairs at the text's start, in file order, as far as they can be read: what
    // stands of them even when the rest of the text is refused.
    static std::vector<CTagPair> ReadTags(std::string_view text);
};
