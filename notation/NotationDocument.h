#pragma once

#include "chess/ChessGameData.h"
#include "notation/NotationAnnotations.h"
#include "platform/NotationText.h"

#include <string>
#include <vector>

// A game as the notation panel shows it: its header's texts (UTF-8, cut for display), how its
// moves are numbered, and each move in standard algebraic notation.
struct CNotationGame {
    std::string white;
    std::string black;
    std::string event;
    std::string site;
    std::string date;
    std::string round;
    int result = ResultNone;
    bool blackStarts = false;      // a set-up position with Black to move
    long long firstMoveNumber = 1; // the number of the first move
    std::vector<std::string> san;
    std::string opening; // the opening its moves reach, "B90 Sicilian Defense: Najdorf Variation"
    CNotationAnnotations annotations; // read again once the game is shown
    // The program's judgement of main-line move i ("?!", "?", "??"; empty: none), shown after
    // the annotator's glyphs in a colour of its own.
    std::vector<std::string> marks;
};

// Links from here on stand for the moves of the annotated tree: link kVariationLinkBase + i is
// the position after tree move i.
inline constexpr int kVariationLinkBase = 1 << 30;
// Links from here up to kMoreTagsLink open the comments shown cut: link kCommentLinkBase + i
// shows the whole of CNotationAnnotations::cut[i].
inline constexpr int kCommentLinkBase = 1 << 29;
// The link of the "More tags" line, which opens and closes the technical tags.
inline constexpr int kMoreTagsLink = kVariationLinkBase - 1;

// The link of the position on show: after the main line's first `moves` moves, or after move
// `variationMove` of the annotated tree when that is not CAnnotatedGame::kNone.
int NotationLink(unsigned moves, int variationMove);

// The notation of a listed game: its tags decoded (in `page` where they are not UTF-8), its moves
// written from its starting position.
CNotationGame NotationOf(const CChessGameData& game,
                         ELegacyCodePage page = ELegacyCodePage::kWindows1252);

// The panel's text: the players as "White – Black" (with their Elo), Event, Site, Date and
// Round, the opening its moves reach and beside it the file's own opening tags where they say
// otherwise, the other tags, the result, and the note on missing annotations;
// "Start" for the starting position (the game's opening comments above it), then the moves
// numbered, White's and Black's side by side, and the result last. Position n of the main line
// (after n moves; 0 is "Start") is link n. With the annotated tree, the main line breaks for
// each comment and variation, which follow their move as paragraphs, variations indented by
// depth. No move is highlighted: the panel highlights the link of the position on show by
// itself, so that a step lays nothing out again. With `figurines`, piece letters become
// figurines (♞f3).
// The tags not shown elsewhere stand under a "More tags" line (link kMoreTagsLink), below it
// only with `moreTags`. A game whose players are both unknown is titled by its event.
CNotationText BuildNotation(const CNotationGame& game, bool figurines, bool moreTags = false);

// The empty panel's text: a hint on how to open games.
CNotationText EmptyNotation();

// "1-0", "0-1", "½-½" or "*".
std::string ResultSign(int result);
