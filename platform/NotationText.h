#pragma once

#include <string>
#include <vector>

// What the notation panel shows, in the window system's terms: blocks of text made of runs. A
// block is a paragraph, or a row of a move table with three cells (the move number, White's
// move, Black's move). A run has a style, and a run that stands for a position the user can
// choose carries a link (>= 0), which a click reports back; the panel highlights the link of
// the position on show. Texts are UTF-8.
enum class ENotationStyle {
    kPlain,
    kPlayers, // "White – Black", the header's first line
    kHeader,  // the other lines of the header
    kNumber,  // a move number
    kMove,    // a move that can be chosen
    kComment, // an annotator's comment, in a calmer style
    kGlyph,   // "!", "±", ...
    kClock,   // a clock time beside a move
    kEval,    // an evaluation, a small figure
    kResult,  // the result that closes the game
    kNote,    // a line from the program about the text (why annotations are missing)
    kMark,    // the program's judgement of a move ("?!", "?", "??"), apart from the annotator's
    kExpand,  // a link that opens more text: the rest of a comment shown cut
};

struct CNotationRun {
    std::string text;
    ENotationStyle style = ENotationStyle::kPlain;
    int link = -1;

    bool operator==(const CNotationRun&) const = default;
};

struct CNotationBlock {
    enum class EKind { kParagraph, kMoveRow };
    EKind kind = EKind::kParagraph;
    int indent = 0;                               // the depth of a variation; 0 for the main line
    std::vector<std::vector<CNotationRun>> cells; // one for a paragraph, three for a move row

    bool operator==(const CNotationBlock&) const = default;
};

struct CNotationText {
    std::vector<CNotationBlock> blocks;

    bool operator==(const CNotationText&) const = default;
};
